// How the writer lays a table out in its pages, checked on the raw bytes: deleted and moved
// rows flagged as the engine flags them (libmdb 1.0.0 reads those two flags the wrong way
// round, so its output cannot be the judge here), usage maps that list exactly the table's
// data pages, and text stored compressed where that is shorter.

#include "RawJetFile.h"

#include "CatalogueWriter.h"
#include "Jet4Text.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

RawJetFile readRaw(const QString &path)
{
    QFile file(path);
    return RawJetFile(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
}

// Rows of the test table start with their number: a LONG right after the 2-byte column count.
qint32 rowNumber(const QByteArray &row)
{
    return row.size() >= 6 ? qFromLittleEndian<qint32>(row.constData() + 2) : -1;
}

QString numberedRows(int count)
{
    QString text = QStringLiteral("num:LONG\tref:TEXT(10)\n");
    for (int i = 1; i <= count; ++i)
        text += QStringLiteral("%1\tR%2\n").arg(i).arg(i, 4, 10, QLatin1Char('0'));
    return text;
}

}  // namespace

class CataloguePages : public QObject {
    Q_OBJECT

private slots:
    void deletedAndMovedRowsAreFlaggedInTheirPages();
    void usageMapListsExactlyTheTablesDataPages_data();
    void usageMapListsExactlyTheTablesDataPages();
    void textIsCompressedWhereThatIsShorter_data();
    void textIsCompressedWhereThatIsShorter();
};

void CataloguePages::deletedAndMovedRowsAreFlaggedInTheirPages()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("flags.mdb"));
    WriterOptions options;
    options.deletedRows = {3, 299};
    options.movedRows = {5, 290, 300};
    createCatalogueFromTsv(numberedRows(300), path, options);

    const RawJetFile file = readRaw(path);
    const int definition = file.userTableDefinitionPage();
    QVERIFY(definition > 0);
    QCOMPARE(file.u32(definition, 16), 298u);  // the row count leaves deleted rows out
    const QList<int> dataPages = file.usageMapPages(file.u32(definition, 55));
    QVERIFY(dataPages.size() >= 3);

    // A page walk as the engine does it: skip every 0x8000 slot, follow every 0x4000 one.
    QList<int> walked;
    QSet<int> deletedSeen;
    QSet<int> movedTargetsSeen;
    QSet<int> movedTargetsReached;
    for (int page : dataPages) {
        QCOMPARE(file.byteAt(page, 0), std::uint8_t(0x01));
        QCOMPARE(file.u32(page, 4), std::uint32_t(definition));
        for (const RawJetFile::Slot &slot : file.rowSlots(page)) {
            const QByteArray bytes = file.rowAt(page, slot);
            if (slot.flags == 0xC000) {
                // Deleted: the engine's bits, the row's bytes still in place.
                deletedSeen.insert(rowNumber(bytes));
            } else if (slot.flags == 0x8000) {
                movedTargetsSeen.insert(rowNumber(bytes));
            } else if (slot.flags == 0x4000) {
                QCOMPARE(slot.length, 4);
                const std::uint32_t pointer = qFromLittleEndian<quint32>(bytes.constData());
                const int targetPage = int(pointer >> 8);
                QVERIFY(targetPage != page);
                QVERIFY(dataPages.contains(targetPage));
                const QList<RawJetFile::Slot> targetSlots = file.rowSlots(targetPage);
                QVERIFY(int(pointer & 0xFF) < targetSlots.size());
                QCOMPARE(targetSlots[pointer & 0xFF].flags, std::uint16_t(0x8000));
                walked.append(rowNumber(file.row(pointer)));
                movedTargetsReached.insert(walked.last());
            } else {
                QCOMPARE(slot.flags, std::uint16_t(0));
                walked.append(rowNumber(bytes));
            }
        }
    }

    QList<int> expected;
    for (int i = 1; i <= 300; ++i)
        if (i != 3 && i != 299)
            expected.append(i);
    QCOMPARE(walked, expected);
    QCOMPARE(deletedSeen, (QSet<int>{3, 299}));
    QCOMPARE(movedTargetsSeen, (QSet<int>{5, 290, 300}));
    QCOMPARE(movedTargetsReached, movedTargetsSeen);
}

void CataloguePages::usageMapListsExactlyTheTablesDataPages_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("mapKind");

    QTest::newRow("empty table: one empty page") << 0 << 0;
    QTest::newRow("1 000 products: bitmap in the map's row") << 1000 << 0;
    QTest::newRow("50 000 products: bitmap pages") << 50000 << 1;
}

void CataloguePages::usageMapListsExactlyTheTablesDataPages()
{
    QFETCH(int, count);
    QFETCH(int, mapKind);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("map.mdb"));
    synthesizeCatalogue(count, path);
    const RawJetFile file = readRaw(path);
    const int definition = file.userTableDefinitionPage();
    QVERIFY(definition > 0);
    QCOMPARE(file.u32(definition, 16), std::uint32_t(count));

    const std::uint32_t mapPointer = file.u32(definition, 55);
    QCOMPARE(int(file.row(mapPointer).at(0)), mapKind);
    if (mapKind == 1) {
        const QByteArray map = file.row(mapPointer);
        const int firstBitmapPage = int(qFromLittleEndian<quint32>(map.constData() + 1));
        QCOMPARE(file.byteAt(firstBitmapPage, 0), std::uint8_t(0x05));
    }

    QList<int> owned;
    int rows = 0;
    for (int page = 1; page < file.pageCount(); ++page) {
        if (file.byteAt(page, 0) == 0x01 && file.u32(page, 4) == std::uint32_t(definition)) {
            owned.append(page);
            rows += int(file.rowSlots(page).size());
        }
    }
    QCOMPARE(file.usageMapPages(mapPointer), owned);
    QCOMPARE(rows, count);
}

void CataloguePages::textIsCompressedWhereThatIsShorter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("stored");

    QTest::newRow("empty: no bytes at all") << QString() << QByteArray();
    QTest::newRow("one letter: plain is shorter") << QStringLiteral("a") << QByteArray::fromHex("6100");
    QTest::newRow("accents up to U+00FF: one byte each") << QStringLiteral("Été") << QByteArray::fromHex("fffec974e9");
    QTest::newRow("a wide run between narrow ones") << QStringLiteral("abcdefΩghijkl")
                                                    << QByteArray::fromHex("fffe616263646566"
                                                                           "00a903"
                                                                           "00676869"
                                                                           "6a6b6c");
    QTest::newRow("one narrow letter between wide ones stays wide") << QStringLiteral("abcdefΩxΩghijkl")
                                                                    << QByteArray::fromHex("fffe616263646566"
                                                                                           "00a9037800a903"
                                                                                           "00676869"
                                                                                           "6a6b6c");
    QTest::newRow("mostly wide: plain is shorter") << QStringLiteral("aΩb") << QByteArray::fromHex("6100a9036200");
    QTest::newRow("a unit ending in a zero byte cannot be compressed")
        << QStringLiteral("abcdĀ") << QByteArray::fromHex("61006200630064000001");
    QTest::newRow("a leading U+FEFF is kept compressed, so it is not read as the marker")
        << QStringLiteral("\uFEFFa") << QByteArray::fromHex("fffe00fffe6100");
}

void CataloguePages::textIsCompressedWhereThatIsShorter()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, stored);
    QCOMPARE(jetwriter::encodeJet4Text(text).toHex(), stored.toHex());
}

QTEST_GUILESS_MAIN(CataloguePages)
#include "tst_catalogue_pages.moc"
