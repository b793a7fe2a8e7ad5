#include "ExportTestKit.h"

#include <QAction>
#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QTest>
#include <QWindow>

namespace ExportTest {

LineGrid &grid(Form2 &form)
{
    return *form.findChild<LineGrid *>(QStringLiteral("G"));
}

GridActions &actions(Form2 &form)
{
    return *form.findChild<GridActions *>(QStringLiteral("actionsFiche"));
}

QStringList whatTheUserSees(Form2 &form)
{
    const LineGrid &lines = grid(form);
    QStringList seen;
    for (int row = 0; row < lines.RowCount(); ++row) {
        for (int column = 0; column < lines.ColumnCount(); ++column)
            seen.append(lines.CellText(row, column));
    }
    for (const char *counter : {"nbr", "totaux"})
        seen.append(form.findChild<QLabel *>(QString::fromLatin1(counter))->text());
    return seen;
}

bool chooseFromGridMenu(Form2 &form, const QString &actionName)
{
    LineGrid &lines = grid(form);
    const QRect current = lines.visualRect(lines.currentIndex());
    // Through the window, as the platform delivers a click: Qt makes the context menu event
    // of a right click there, not in the widget.
    const QPoint inViewport = current.isValid() ? current.center() : QPoint(5, 5);
    QTest::mouseClick(form.windowHandle(), Qt::RightButton, {}, lines.viewport()->mapTo(&form, inViewport));
    QMenu *menu = nullptr;
    if (!QTest::qWaitFor([&] { return (menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())); }, 2000)) {
        qWarning("no context menu opened on the grid");
        return false;
    }
    QAction *entry = nullptr;
    for (QAction *action : menu->actions()) {
        if (action->objectName() == actionName)
            entry = action;
    }
    if (!entry || !entry->isEnabled()) {
        qWarning("the grid's menu has no enabled entry %s", qPrintable(actionName));
        menu->close();
        return false;
    }
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
    return true;
}

void answerDialogs(Form2 &form, Answers &answers)
{
    GridActions &gridActions = actions(form);
    gridActions.setSaveFileQuestion([&answers](const QString &, const QString &proposedFile, const QString &) {
        answers.proposedFile = proposedFile;
        return answers.file;
    });
    gridActions.setMessage([&answers](QMessageBox::Icon, const QString &text) { answers.messages.append(text); });
}

bool chooseKeepingTheSheet(Form2 &form, const QString &actionName, Answers &answers)
{
    answerDialogs(form, answers);
    const QStringList before = whatTheUserSees(form);
    if (!chooseFromGridMenu(form, actionName))
        return false;
    if (whatTheUserSees(form) != before) {
        qWarning("%s changed the sheet", qPrintable(actionName));
        return false;
    }
    return true;
}

namespace {

QByteArray runTool(const QString &program, const QStringList &arguments, bool &ok)
{
    QProcess tool;
    tool.start(program, arguments);
    ok = tool.waitForFinished(60000) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
    if (!ok)
        qWarning("%s failed: %s", qPrintable(program), tool.readAllStandardError().constData());
    return tool.readAllStandardOutput();
}

}  // namespace

QList<QStringList> readCsv(const QString &file, QChar separator, bool &ok)
{
    const QString reader =
        QStringLiteral("import csv, json, sys\n"
                       "with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:\n"
                       "    print(json.dumps(list(csv.reader(f, delimiter=sys.argv[2], strict=True))))\n");
    const QByteArray json = runTool(QStringLiteral("python3"), {QStringLiteral("-c"), reader, file, separator}, ok);
    QList<QStringList> rows;
    for (const QJsonValue row : QJsonDocument::fromJson(json).array()) {
        QStringList fields;
        for (const QJsonValue field : row.toArray())
            fields.append(field.toString());
        rows.append(fields);
    }
    return rows;
}

bool writeCsv(const QString &file, const QList<QStringList> &rows, QChar separator, const QString &rowEnd,
              bool byteOrderMark)
{
    const QString writer = QStringLiteral("import csv, json, sys\n"
                                          "rows = json.loads(sys.argv[2])\n"
                                          "encoding = 'utf-8-sig' if sys.argv[5] == '1' else 'utf-8'\n"
                                          "with open(sys.argv[1], 'w', encoding=encoding, newline='') as f:\n"
                                          "    csv.writer(f, delimiter=sys.argv[3], lineterminator=sys.argv[4])"
                                          ".writerows(rows)\n");
    QJsonArray table;
    for (const QStringList &row : rows)
        table.append(QJsonArray::fromStringList(row));
    bool ok = false;
    runTool(QStringLiteral("python3"),
            {QStringLiteral("-c"), writer, file, QString::fromUtf8(QJsonDocument(table).toJson()), separator, rowEnd,
             byteOrderMark ? QStringLiteral("1") : QStringLiteral("0")},
            ok);
    return ok;
}

bool rewriteFicheRecord(const QString &file, int lineNumber, const QStringList &fields)
{
    const QString rewriter = QStringLiteral(
        "import json, sys, zlib\n"
        "def escape(text):\n"
        "    return (text.replace('\\\\', '\\\\\\\\').replace('\\t', '\\\\t')\n"
        "                .replace('\\n', '\\\\n').replace('\\r', '\\\\r'))\n"
        "data = open(sys.argv[1], 'rb').read()\n"
        "records = [line.rsplit(b'\\t', 1)[0] for line in data.split(b'\\n')[:-1]]\n"
        "records[int(sys.argv[2]) - 1] = '\\t'.join(map(escape, json.loads(sys.argv[3]))).encode('utf-8')\n"
        "out, crc = b'', 0\n"
        "for record in records:\n"
        "    crc = zlib.crc32(record + b'\\t', crc)\n"
        "    check = b'%08x' % crc\n"
        "    crc = zlib.crc32(check + b'\\n', crc)\n"
        "    out += record + b'\\t' + check + b'\\n'\n"
        "open(sys.argv[1], 'wb').write(out)\n");
    bool ok = false;
    runTool(QStringLiteral("python3"),
            {QStringLiteral("-c"), rewriter, file, QString::number(lineNumber),
             QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(fields)).toJson())},
            ok);
    return ok;
}

QString pdfText(const QString &file, bool &ok)
{
    return QString::fromUtf8(runTool(
        QStringLiteral("pdftotext"),
        {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), file, QStringLiteral("-")}, ok));
}

}  // namespace ExportTest
