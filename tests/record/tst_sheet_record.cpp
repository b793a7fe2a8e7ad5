// The recovery record as the real window writes it while the user works, read back whole,
// cut at every byte and with every byte changed: each time the sheet exactly as the user
// saw it after one of the changes written before the cut or the damage, never another.
// And records whose checks hold but whose numbers do not fit the sheet they apply to.

#include "ExportTestKit.h"
#include "FicheTestSupport.h"
#include "LineGrid.h"
#include "RecordChunk.h"
#include "SheetColumns.h"
#include "SheetRecord.h"
#include "SheetRecordReader.h"
#include "SheetTestKit.h"

#include <QBuffer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace ExportTest;

namespace {

const QString Catalogue = FicheTest::ProductColumns + QStringLiteral("\n"
                                                                     "H1\tDemi-centime \\\\ barre\t1\t0.005\n"
                                                                     "M1\tMilliers\t2\t1234.565\n"
                                                                     "V1\tVis\t10\t0.5\n"
                                                                     "E1\tÉcrou\t4\t1.25\n");

// The sheet a reading gives, as whatTheUserSees() lists a window's: the titles' row first.
QStringList seenIn(RecordReading reading, const QStringList &titles)
{
    if (!reading.sheet)
        return {};
    const SheetContents sheet = contentsOf(std::move(reading));
    QStringList seen = titles;
    for (int line = 0; line < sheet.lineCount(); ++line) {
        for (int column = 0; column < SheetColumnCount; ++column)
            seen.append(sheet.cell(line, column).toString());
    }
    return seen << sheet.counters.lineCount << sheet.counters.grandTotal;
}

RecordReading readBytes(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return readSheetRecord(buffer);
}

}  // namespace

class SheetRecordTest : public QObject {
    Q_OBJECT

private slots:
    void cutOrChangedAtEveryByte();
    void numbersThatDoNotFitTheSheet_data();
    void numbersThatDoNotFitTheSheet();
};

// A user's changes of every kind, undone and redone among them, each written down as it is
// made; the products the sheet starts from only partly written when the first one comes.
void SheetRecordTest::cutOrChangedAtEveryByte()
{
    QTemporaryDir dir;
    const auto form = FicheTest::loadForm(FicheTest::writeCatalogue(dir, Catalogue));
    form->startHistory();
    const FicheTest::Controls ui(*form);
    FicheTest::showActive(*form);
    QFile file(dir.filePath(QStringLiteral("journal")));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const auto captions = [&] {
        return CounterCaptions{form->findChild<QLabel *>(QStringLiteral("nbr"))->text(),
                               form->findChild<QLabel *>(QStringLiteral("totaux"))->text()};
    };
    SheetRecord record(file, grid(*form).sheet(), captions());
    form->history().addListener(&record);
    QVERIFY(!record.writeProducts(2));

    // What the user saw after each change, and where the record ended then.
    QList<QStringList> seen{whatTheUserSees(*form)};
    QList<qint64> ends{file.size()};
    const auto changed = [&] {
        seen.append(whatTheUserSees(*form));
        ends.append(file.size());
    };
    SheetTest::editCell(*ui.G, 2, 1, QStringLiteral("Écrou \\t « tabulé »"));
    QTRY_COMPARE(ui.G->CellText(2, 1), QStringLiteral("Écrou \\t « tabulé »"));
    changed();
    SheetTest::editCell(*ui.G, 3, 2, QStringLiteral("7"));  // repricing every listed line
    QTRY_COMPARE(ui.G->CellText(3, 2), QStringLiteral("7"));
    changed();
    ui.Ref->setFocus();
    QTest::keyClicks(ui.Ref, QStringLiteral("V1"));
    QTest::keyClick(ui.Ref, Qt::Key_Return);
    QTest::keyClicks(ui.qte, QStringLiteral("3"));
    QTest::keyClick(ui.qte, Qt::Key_Return);
    QTest::keyClicks(ui.remise, QStringLiteral("10"));
    QTest::keyClick(ui.remise, Qt::Key_Return);
    QTest::keyClick(ui.total, Qt::Key_Return);
    changed();
    form->setQuestion([](const QString &) { return false; });
    grid(*form).setCurrentRow(5);
    QTest::mouseClick(ui.haut, Qt::LeftButton);
    changed();
    ui.G->setFocus();
    QTest::keyClick(ui.G, Qt::Key_Z, Qt::ControlModifier);
    changed();
    QTest::keyClick(ui.G, Qt::Key_Y, Qt::ControlModifier);
    changed();
    QTest::mouseClick(ui.Nouveau, Qt::LeftButton);
    changed();
    ui.G->setFocus();
    QTest::keyClick(ui.G, Qt::Key_Z, Qt::ControlModifier);
    changed();
    QTest::keyClick(ui.G, Qt::Key_Y, Qt::ControlModifier);
    changed();
    QVERIFY(!record.failed());
    for (int i = 1; i < seen.size(); ++i)
        QVERIFY2(seen[i] != seen[i - 1] && ends[i] > ends[i - 1], qPrintable(QString::number(i)));

    QFile written(file.fileName());
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    QCOMPARE(bytes.size(), ends.last());
    const QStringList titles = seen[0].mid(0, SheetColumnCount);
    const RecordReading whole = readBytes(bytes);
    QCOMPARE(whole.stop, QString());
    QVERIFY(whole.lastChange.isValid());
    QCOMPARE(seenIn(readBytes(bytes), titles), seen.last());

    // The sheet after the last change written whole before `byte`: before the first one,
    // the listed sheet once its products are all written, nothing until then.
    const auto sheetBefore = [&](qint64 byte, const QStringList &read) {
        int change = 0;
        while (change + 1 < ends.size() && ends[change + 1] <= byte)
            ++change;
        if (change == 0)
            return read.isEmpty() || read == seen[0];
        return read == seen[change];
    };
    for (qint64 cut = 0; cut <= bytes.size(); ++cut) {
        const QStringList read = seenIn(readBytes(bytes.first(cut)), titles);
        QVERIFY2(sheetBefore(cut, read), qPrintable(QStringLiteral("cut at %1: %2").arg(cut).arg(read.join(u'|'))));
    }
    for (qint64 byte = 0; byte < bytes.size(); ++byte) {
        QByteArray changedBytes = bytes;
        changedBytes[byte] = char(changedBytes[byte] ^ 0x20);
        const RecordReading reading = readBytes(changedBytes);
        QVERIFY2(!reading.stop.isEmpty(), qPrintable(QStringLiteral("byte %1 changed unnoticed").arg(byte)));
        const QStringList read = seenIn(readBytes(changedBytes), titles);
        QVERIFY2(sheetBefore(byte, read),
                 qPrintable(QStringLiteral("byte %1 changed: %2").arg(byte).arg(read.join(u'|'))));
    }
}

// Records whose checks hold, written as the window never would: each number is checked
// against the sheet it applies to, and the reading stops before the change that holds it,
// the changes before it kept.
void SheetRecordTest::numbersThatDoNotFitTheSheet_data()
{
    QTest::addColumn<QList<QStringList>>("change");
    const auto record = [](std::initializer_list<QString> fields) { return QStringList(fields); };
    const QString sixth = QStringLiteral("f");
    QTest::newRow("line beyond the sheet")
        << QList<QStringList>{record({QStringLiteral("echange"), QStringLiteral("0"), QStringLiteral("1")})};
    QTest::newRow("line far beyond") << QList<QStringList>{
        record({QStringLiteral("prend"), QStringLiteral("2147483647")})};
    QTest::newRow("negative line") << QList<QStringList>{
        record({QStringLiteral("echange"), QStringLiteral("-1"), QStringLiteral("0")})};
    QTest::newRow("own line taken again") << QList<QStringList>{record({QStringLiteral("prend"), QStringLiteral("0")})};
    QTest::newRow("slot beyond") << QList<QStringList>{
        record({QStringLiteral("cellule"), QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("x")})};
    QTest::newRow("column beyond") << QList<QStringList>{
        record({QStringLiteral("cellule"), QStringLiteral("0"), QStringLiteral("6"), QStringLiteral("x")})};
    QTest::newRow("no listed line to reprice") << QList<QStringList>{record({QStringLiteral("reprix")})};
    QTest::newRow("cut to more lines") << QList<QStringList>{record({QStringLiteral("coupe"), QStringLiteral("1")})};
    QTest::newRow("replaced by lines missing")
        << QList<QStringList>{record({QStringLiteral("remplace"), QStringLiteral("2")}),
                              record({QStringLiteral("ligne"), QStringLiteral("a"), QStringLiteral("b"),
                                      QStringLiteral("c"), QStringLiteral("d"), QStringLiteral("e"), sixth})};
    QTest::newRow("a fitting step, then one that does not")
        << QList<QStringList>{record({QStringLiteral("ajout"), QStringLiteral("a"), QStringLiteral("b"),
                                      QStringLiteral("c"), QStringLiteral("d"), QStringLiteral("e"), sixth}),
                              record({QStringLiteral("echange"), QStringLiteral("0"), QStringLiteral("2")})};
    QTest::newRow("nothing to redo") << QList<QStringList>{record({QStringLiteral("retablit"), QStringLiteral("0")})};
}

void SheetRecordTest::numbersThatDoNotFitTheSheet()
{
    QFETCH(QList<QStringList>, change);
    RecordChunk chunk;
    const auto add = [&](const QStringList &fields) {
        chunk.startRecord(fields[0].toLatin1().constData());
        for (const QString &field : fields.mid(1))
            chunk.addField(field);
        chunk.endRecord();
    };
    add({QStringLiteral("releve-fiche-produit"), QStringLiteral("1")});
    add({QStringLiteral("debut"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")});
    add({QStringLiteral("produits"), QStringLiteral("0")});
    // One line of its own: the sheet the bad change applies to.
    add({QStringLiteral("ajout"), QStringLiteral("V1"), QStringLiteral("Vis"), QStringLiteral("3"),
         QStringLiteral("0,50"), QString(), QStringLiteral("1,50")});
    add({QStringLiteral("modif"), QStringLiteral("ajout"), QStringLiteral("1"), QStringLiteral("1,5"),
         QStringLiteral("1000")});
    for (const QStringList &fields : change)
        add(fields);
    add({QStringLiteral("modif"), QStringLiteral("deplacement"), QStringLiteral("9"), QStringLiteral("9"),
         QStringLiteral("2000")});
    const QByteArray bytes = chunk.bytes();
    const RecordReading reading = readBytes(bytes);

    QVERIFY(!reading.stop.isEmpty());
    QCOMPARE(reading.lineCount, 1);
    QCOMPARE(reading.captions, (CounterCaptions{QStringLiteral("1"), QStringLiteral("1,5")}));
    QCOMPARE(reading.lastChange.toMSecsSinceEpoch(), 1000);
    QCOMPARE(seenIn(readBytes(bytes), {}),
             QStringList({QStringLiteral("V1"), QStringLiteral("Vis"), QStringLiteral("3"), QStringLiteral("0,50"),
                          QString(), QStringLiteral("1,50"), QStringLiteral("1"), QStringLiteral("1,5")}));
}

QTEST_MAIN(SheetRecordTest)
#include "tst_sheet_record.moc"
