// The real program's start-up and window, driven by keys and clicks as a user would, for
// the kill test (tst_record_kill.cpp), which runs it in two ways:
//
//   record_run CATALOGUE travail SEED   works on the sheet without end, changes drawn from
//                                       SEED; prints "pret" once the window shows, then
//                                       "etat N <sheet>" after each change, N from 1
//   record_run CATALOGUE reprise        answers Oui to the recovery's question with Enter,
//                                       prints "question <text>" and "etat 0 <sheet>" once
//                                       the window has settled, and ends normally
//
// <sheet> is every cell of the grid and both counters, as the user sees them, joined by
// the unit separator (0x1f).

#include "ExportTestKit.h"
#include "FicheTestSupport.h"
#include "LineGrid.h"
#include "SheetModel.h"
#include "SheetTestKit.h"
#include "StartUp.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>
#include <QTimer>
#include <cstdio>

using namespace ExportTest;

namespace {

void print(const QString &line)
{
    std::fputs(qPrintable(line + u'\n'), stdout);
    std::fflush(stdout);
}

QString sheetSeen(Form2 &window)
{
    return whatTheUserSees(window).join(QChar(0x1f));
}

// A double-click on the cell, its text replaced by `text` typed key by key, Enter.
void retype(LineGrid &lines, int row, int column, const QString &text)
{
    const QPoint centre = SheetTest::cellCentre(lines, row, column);
    QTest::mouseClick(lines.viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(lines.viewport(), Qt::LeftButton, {}, centre);
    QWidget *editor = QApplication::focusWidget();
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    for (const QChar character : text)
        QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString(character), Qt::NoModifier);
    QTest::keyClick(editor, Qt::Key_Return);
    // The grid commits the text once the event loop runs; a text the cell already had
    // changes nothing, and the next change is drawn.
    static_cast<void>(QTest::qWaitFor([&] { return lines.CellText(row, column) == text; }, 2000));
}

// One change a user might make, drawn from `random`; the sheet as it then reads.
void changeSomething(Form2 &window, QRandomGenerator &random, int serial)
{
    const Form2Controls &ui = window.controls();
    LineGrid &lines = grid(window);
    const int count = lines.sheet().lineCount();
    const int draw = random.bounded(100);
    if (draw < 30 && count > 0) {
        const int row = 1 + random.bounded(count);
        const int column = random.bounded(2) ? 2 : 1;  // a quantity, or a designation
        const QString text = column == 2 ? QString::number(serial % 97 + 1) : QStringLiteral("Texte %1").arg(serial);
        retype(lines, row, column, text);
    } else if (draw < 55) {
        ui.Ref->setFocus();
        QTest::keyClick(ui.Ref, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(ui.Ref, QStringLiteral("P%1").arg(random.bounded(12), 2, 10, QChar(u'0')));
        QTest::keyClick(ui.Ref, Qt::Key_Return);
        QTest::keyClicks(ui.qte, QString::number(random.bounded(1, 20)));
        QTest::keyClick(ui.qte, Qt::Key_Return);
        QTest::keyClicks(ui.remise, QString::number(random.bounded(30)));
        QTest::keyClick(ui.remise, Qt::Key_Return);
        QTest::keyClick(ui.total, Qt::Key_Return);
    } else if (draw < 75 && count > 1) {
        lines.setCurrentRow(2 + random.bounded(count - 1));
        QTest::mouseClick(random.bounded(2) ? ui.haut : ui.bas, Qt::LeftButton);
    } else if (draw < 79) {
        QTest::mouseClick(ui.Nouveau, Qt::LeftButton);
    } else {
        ui.G->setFocus();
        QTest::keyClick(ui.G, draw < 92 ? Qt::Key_Z : Qt::Key_Y, Qt::ControlModifier);
    }
}

void work(Form2 &window, quint32 seed)
{
    QRandomGenerator random(seed);
    // One step per move: the question after it is answered Non.
    window.setQuestion([](const QString &) { return false; });
    FicheTest::showActive(window);
    print(QStringLiteral("pret"));
    QString seen = sheetSeen(window);
    for (int change = 1, serial = 0;; ++serial) {
        changeSomething(window, random, serial);
        const QString now = sheetSeen(window);
        if (now != seen)
            print(QStringLiteral("etat %1 %2").arg(change++).arg(now));
        seen = now;
    }
}

void recover(Form2 &window)
{
    auto *answer = new QTimer(&window);
    QObject::connect(answer, &QTimer::timeout, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            print(QStringLiteral("question %1").arg(box->text()));
            QTest::keyClick(box, Qt::Key_Return);  // Oui, the default
        }
    });
    answer->start(10);
    auto *settled = new QTimer(&window);
    QObject::connect(settled, &QTimer::timeout, [&window] {
        if (QApplication::activeModalWidget())
            return;
        print(QStringLiteral("etat 0 %1").arg(sheetSeen(window)));
        QCoreApplication::exit(EXIT_SUCCESS);
    });
    settled->start(300);
}

}  // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 3)
        return 2;
    const std::unique_ptr<Form2> window = startWindow(arguments[1], FicheTest::frenchSettings());
    if (!window)
        return 1;
    showWindow(*window);
    if (arguments[2] == QStringLiteral("travail"))
        QTimer::singleShot(0, window.get(), [&] { work(*window, arguments.value(3).toUInt()); });
    else
        recover(*window);
    const int status = QCoreApplication::exec();
    if (status == EXIT_SUCCESS)
        window->endNormally();
    return status;
}
