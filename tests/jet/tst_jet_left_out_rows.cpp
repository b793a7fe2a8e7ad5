// A catalogue the project's writer wrote, damaged in place one way at a time, read by the
// engine: the rows whose bytes contradict each other are left out and named by their
// position, page and slot, and every other product is read exactly as written; a page
// that is not what the table's map of pages says is left out whole. Damage to the table's
// definition or to the catalog of objects still refuses the file.

#include "CatalogueFixtures.h"
#include "RawJetFile.h"

#include <QFile>
#include <QtTest/QtTest>

namespace {

constexpr int ProductCount = 300;
constexpr int MovedProduct = 20;  // stored on another page, behind a pointer in its slot
constexpr int DamagedProduct = 150;

QString productsTsv()
{
    QString tsv = ProductHeader;
    for (int n = 1; n <= ProductCount; ++n)
        tsv += QStringLiteral("R%1\tProduit numéro %1\t%1\t%1.25\n").arg(n);
    return tsv;
}

std::vector<MixedValue> product(int n)
{
    return {MixedValue(QStringLiteral("R%1").arg(n)), MixedValue(QStringLiteral("Produit numéro %1").arg(n)),
            MixedValue(std::int16_t(n)), MixedValue(Currency::fromTenThousandths(n * 10000LL + 2500))};
}

QStringList shown(const std::vector<jet::LeftOutRow> &rows)
{
    QStringList texts;
    for (const jet::LeftOutRow &row : rows)
        texts.append(QStringLiteral("position %1, page %2, slot %3").arg(row.position).arg(row.page).arg(row.slot));
    return texts;
}

enum class Damage {
    VariableOffset,      // desi's start in the row's table of variable offsets
    VariableCount,       // the count of variable columns
    TextMarkedNull,      // desi's bit in the null mask cleared though desi has bytes
    MaskBitPastColumns,  // a null-mask bit past the row's four columns
    ColumnCount,         // the row's column count, which sizes its null mask
    SlotAboveRowBefore,  // the slot's start above its row's end, up to the row before's end
    MovedRowPointer,     // a moved row's pointer, to a page past the end of the file
    SecondPointer,       // a row turned into a second pointer to where a moved row lives
    PageKind,            // the data page's kind byte
    PageOwner,           // the data page's owner: the page of the usage maps
    SlotCount,           // more slots than the page can hold
    TableDefinitionKind,
    CatalogRow,  // one row of the catalog of objects: its count of variable columns
};

// Damages `file` in place: the row of `target` (its RowPlace), its page, or the structures
// around the table.
void damage(RawJetFile &file, Damage what, const RawJetFile::RowPlace &target)
{
    const int page = target.page;
    const int row = target.bytes.start;
    const int end = target.bytes.start + target.bytes.length;  // the trailer runs back from here
    switch (what) {
    case Damage::VariableOffset:
        file.put16(page, end - 7, 0x0FFF);
        break;
    case Damage::VariableCount:
        file.put16(page, end - 3, 0x0100);
        break;
    case Damage::TextMarkedNull:
        file.putByte(page, end - 1, file.byteAt(page, end - 1) & ~0x02);
        break;
    case Damage::MaskBitPastColumns:
        file.putByte(page, end - 1, file.byteAt(page, end - 1) | 0x40);
        break;
    case Damage::ColumnCount:
        file.put16(page, row, 0x0100);
        break;
    case Damage::SlotAboveRowBefore: {
        // Up to where the row before ends: the next row would then end there too.
        const RawJetFile::Slot before = file.rowSlots(page)[target.slot - 1];
        file.put16(page, 14 + 2 * target.slot, std::uint16_t(before.start + before.length));
        break;
    }
    case Damage::MovedRowPointer:
        file.put32(page, row, 0xFFFFFF00u);
        break;
    case Damage::SecondPointer: {
        const RawJetFile::RowPlace moved = file.storedRows(file.userTableDefinitionPage()).at(MovedProduct - 1);
        file.put16(page, 14 + 2 * target.slot, std::uint16_t(0x4000 | row));
        file.put32(page, row, file.u32(moved.page, moved.bytes.start));
        break;
    }
    case Damage::PageKind:
        file.putByte(page, 0, 0x03);
        break;
    case Damage::PageOwner:
        file.put32(page, 4, 3);
        break;
    case Damage::SlotCount:
        file.put16(page, 12, 0x0800);
        break;
    case Damage::TableDefinitionKind:
        file.putByte(file.userTableDefinitionPage(), 0, 0x01);
        break;
    case Damage::CatalogRow: {
        const RawJetFile::RowPlace object = file.storedRows(2).front();
        file.put16(object.page, object.bytes.start + object.bytes.length - 1 - 2, 0x0100);
        break;
    }
    }
}

}  // namespace

Q_DECLARE_METATYPE(Damage)

class LeftOutRowsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void soundFileLeavesNothingOut();
    void damaged_data();
    void damaged();

private:
    CatalogueFiles m_files;
    QByteArray m_sound;
};

void LeftOutRowsTest::initTestCase()
{
    WriterOptions options;
    options.movedRows = {MovedProduct};
    QFile file(m_files.write(QStringLiteral("sain.mdb"), productsTsv(), options));
    QVERIFY(file.open(QIODevice::ReadOnly));
    m_sound = file.readAll();
}

void LeftOutRowsTest::soundFileLeavesNothingOut()
{
    const auto database = jet::DBEngine::OpenDatabase(m_files.path(QStringLiteral("sain.mdb")));
    const auto products = database->OpenRecordset(QStringLiteral("Produit"));
    QCOMPARE(products->RecordCount(), ProductCount);
    QVERIFY(products->LeftOutRows().empty());
    QVERIFY(database->OpenRecordset(ListingQuery)->LeftOutRows().empty());
}

void LeftOutRowsTest::damaged_data()
{
    QTest::addColumn<Damage>("what");
    QTest::addColumn<int>("target");    // the product whose row (or page) is damaged
    QTest::addColumn<int>("rowsLost");  // from the target on; −1: its whole page
    QTest::addColumn<int>("refusal");   // the engine's error, 0 when the file reads
    QTest::newRow("variable offset") << Damage::VariableOffset << DamagedProduct << 1 << 0;
    QTest::newRow("variable count") << Damage::VariableCount << DamagedProduct << 1 << 0;
    QTest::newRow("null mask: text marked null") << Damage::TextMarkedNull << DamagedProduct << 1 << 0;
    QTest::newRow("null mask: bit past the columns") << Damage::MaskBitPastColumns << DamagedProduct << 1 << 0;
    QTest::newRow("column count") << Damage::ColumnCount << DamagedProduct << 1 << 0;
    // The next row ends where this one starts: it cannot be told apart either.
    QTest::newRow("slot start above its row") << Damage::SlotAboveRowBefore << DamagedProduct << 2 << 0;
    QTest::newRow("moved row's pointer") << Damage::MovedRowPointer << MovedProduct << 1 << 0;
    // Which of the two pointers is the moved row's own is not known: both rows are left out.
    QTest::newRow("second pointer to a moved row") << Damage::SecondPointer << DamagedProduct << 1 << 0;
    QTest::newRow("page kind") << Damage::PageKind << DamagedProduct << -1 << 0;
    QTest::newRow("page owner") << Damage::PageOwner << DamagedProduct << -1 << 0;
    QTest::newRow("slot count") << Damage::SlotCount << DamagedProduct << -1 << 0;
    QTest::newRow("table definition") << Damage::TableDefinitionKind << DamagedProduct << 0 << 3049;
    QTest::newRow("catalog of objects") << Damage::CatalogRow << DamagedProduct << 0 << 3343;
}

void LeftOutRowsTest::damaged()
{
    QFETCH(Damage, what);
    QFETCH(int, target);
    QFETCH(int, rowsLost);
    QFETCH(int, refusal);
    RawJetFile file(m_sound);
    const QList<RawJetFile::RowPlace> places = file.storedRows(file.userTableDefinitionPage());
    QCOMPARE(places.size(), ProductCount);
    const RawJetFile::RowPlace &place = places[target - 1];
    damage(file, what, place);
    const QString path = m_files.path(QStringLiteral("abime.mdb"));
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(out.write(file.bytes()), file.bytes().size());
    out.close();

    // Stored order is product order: product n is at position n.
    const int movedRowLost = what == Damage::SecondPointer ? MovedProduct : 0;
    QList<int> lost;
    QStringList expectedLeftOut;
    for (int n = 1; n <= ProductCount; ++n) {
        const RawJetFile::RowPlace &at = places[n - 1];
        const bool onDamagedPage = rowsLost < 0 && at.page == place.page;
        if (onDamagedPage || (n >= target && n < target + rowsLost) || n == movedRowLost)
            lost.append(n);
        if ((rowsLost > 0 && lost.contains(n)) || (onDamagedPage && lost.size() == 1))
            expectedLeftOut.append(shown({{std::uint32_t(n), std::uint32_t(at.page), rowsLost < 0 ? -1 : at.slot}}));
    }
    std::vector<std::vector<MixedValue>> expected;
    for (int n = 1; n <= ProductCount; ++n) {
        if (!lost.contains(n))
            expected.push_back(product(n));
    }

    std::unique_ptr<jet::Recordset> products;
    std::unique_ptr<jet::Recordset> listing;
    const EngineFailure failure = failureOf([&] {
        const auto database = jet::DBEngine::OpenDatabase(path);
        products = database->OpenRecordset(QStringLiteral("Produit"));
        listing = database->OpenRecordset(ListingQuery);
    });
    QCOMPARE(failure.number, refusal);
    if (refusal != 0)
        return;
    QCOMPARE(shown(products->LeftOutRows()), expectedLeftOut);
    QCOMPARE(shown(listing->LeftOutRows()), expectedLeftOut);
    QCOMPARE(listing->RecordCount(), std::int32_t(expected.size()));
    const std::vector<std::vector<MixedValue>> read = remainingRecords(*products);
    QCOMPARE(read.size(), expected.size());
    for (std::size_t i = 0; i < read.size(); ++i) {
        for (std::size_t field = 0; field < expected[i].size(); ++field)
            QCOMPARE(read[i][field], expected[i][field]);
    }
}

QTEST_GUILESS_MAIN(LeftOutRowsTest)
#include "tst_jet_left_out_rows.moc"
