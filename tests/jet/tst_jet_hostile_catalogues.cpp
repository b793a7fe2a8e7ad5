// Catalogues made to hurt the reader: a catalogue the project's writer wrote, with a few
// bytes patched (and pages added) so that the engine would read past a page, follow
// long-value chains once per row, reserve memory for a row count of billions, or hop along
// a definition chained to itself through a huge sparse file. Each is read by the engine
// and by `fiche-catalogue check`, and gives a clean answer: the rows that cannot be read
// left out, or the file refused in French. Unbounded work shows as the test's time-out;
// a read past a page buffer, in the sanitized build, as the sanitizer's report.

#include "CatalogueFixtures.h"
#include "RawJetFile.h"

#include <QFile>
#include <QProcess>
#include <QtEndian>
#include <QtTest/QtTest>

namespace {

constexpr int PageSize = RawJetFile::PageSize;
constexpr std::uint16_t DeletedFlag = 0x8000;
constexpr std::uint16_t MovedFlag = 0x4000;
constexpr std::uint16_t FurthestOffset = 0x1FFF;  // what a slot's 13 bits reach
constexpr std::uint32_t Chain = 0x00000000;       // long value: a chain of rows
// Sparse files: they take no disk, but their pages count as many as a real file's.
constexpr qint64 PagesForTwoBillionRows = qint64(32) << 30;  // 2^23 pages of 256 rows
constexpr qint64 PagesBeyondCounting = qint64(1) << 40;      // 2^28 pages

struct ToolRun {
    int exitCode = -1;
    QString out;
};

ToolRun check(const QString &path)
{
    QProcess process;
    process.start(QStringLiteral(FICHE_CATALOGUE_TOOL), {QStringLiteral("check"), path});
    ToolRun run;
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    return run;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes `bytes` as the file, then makes it `size` bytes long without writing the rest.
QString writeFile(const QString &path, const QByteArray &bytes, qint64 size = 0)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() ||
        (size > 0 && !file.resize(size)))
        QTest::qFail(qPrintable(QStringLiteral("cannot write %1").arg(path)), __FILE__, __LINE__);
    return path;
}

QString products(const QString &header, int count, const QString &extra = QString())
{
    QString tsv = header;
    for (int n = 1; n <= count; ++n)
        tsv += QStringLiteral("R%1\tProduit numéro %1\t%2\t%1.25%3\n").arg(n).arg(n % 30000).arg(extra);
    return tsv;
}

// A long-value page holding `rows`, the first at the page's end, the others below it.
QByteArray longValuePage(const QList<QByteArray> &rows)
{
    QByteArray page(PageSize, '\0');
    page[0] = 0x01;
    page[1] = 0x01;
    page.replace(4, 4, "LVAL");
    qToLittleEndian<quint16>(quint16(rows.size()), page.data() + 12);
    int start = PageSize;
    for (int slot = 0; slot < rows.size(); ++slot) {
        start -= int(rows[slot].size());
        page.replace(start, rows[slot].size(), rows[slot]);
        qToLittleEndian<quint16>(quint16(start), page.data() + 14 + 2 * slot);
    }
    qToLittleEndian<quint16>(quint16(start - 14 - 2 * rows.size()), page.data() + 2);
    return page;
}

// Where variable column `index` of a Jet 4 row starts in its page: the row ends with its
// null mask (one byte for up to eight columns), the count of variable columns, and their
// offsets from the row's start stored backwards.
int variableFieldStart(const RawJetFile &file, const RawJetFile::RowPlace &row, int index)
{
    const int end = row.bytes.start + row.bytes.length - 1;
    return row.bytes.start + file.u16(row.page, end - 2 - 2 - 2 * index);
}

// A long value's 12-byte header: a chain of `length` bytes starting at `pointer`.
void putChainHeader(RawJetFile &file, int page, int at, std::uint32_t length, std::uint32_t pointer)
{
    file.put32(page, at, length | Chain);
    file.put32(page, at + 4, pointer);
    file.put32(page, at + 8, 0);
}

std::uint32_t pageRow(int page, int slot)
{
    return std::uint32_t(page) << 8 | std::uint32_t(slot);
}

QStringList shown(const std::vector<jet::LeftOutRow> &rows)
{
    QStringList texts;
    for (const jet::LeftOutRow &row : rows)
        texts.append(QStringLiteral("%1 p%2 s%3").arg(row.position).arg(row.page).arg(row.slot));
    return texts;
}

// Every row of `places` left out, in stored order.
QStringList allLeftOut(const QList<RawJetFile::RowPlace> &places)
{
    QStringList texts;
    for (int n = 1; n <= places.size(); ++n)
        texts.append(QStringLiteral("%1 p%2 s%3").arg(n).arg(places[n - 1].page).arg(places[n - 1].slot));
    return texts;
}

// The catalogue at `path` read by the engine and by `check`: every row of `places` left out,
// none listed, and the tool saying so.
void expectEveryRowLeftOut(const QString &path, const QList<RawJetFile::RowPlace> &places)
{
    const auto records = jet::DBEngine::OpenDatabase(path)->OpenRecordset(QStringLiteral("Produit"));
    QCOMPARE(shown(records->LeftOutRows()), allLeftOut(places));
    QCOMPARE(records->RecordCount(), 0);

    const ToolRun run = check(path);
    QCOMPARE(run.exitCode, 3);
    QVERIFY2(run.out.contains(QStringLiteral("%1 ligne(s)").arg(places.size())), qPrintable(run.out.left(2000)));
}

}  // namespace

class HostileCataloguesTest : public QObject {
    Q_OBJECT

private slots:
    void rowsPastTheirPage();
    void movedRowPastItsPage();
    void chainsOfEmptyLinksStartedByEveryRow();
    void rowsStartingAlongOneLongChain();
    void rowCountOfBillions();
    void definitionChainedToItself();

private:
    CatalogueFiles m_files;
};

// A page cut down to three slots: two deleted ones whose offsets reach into the next page,
// and a live one between them. Read as the slots say, the row would be a row of the next
// page, listed twice.
void HostileCataloguesTest::rowsPastTheirPage()
{
    constexpr int Count = 300;
    RawJetFile file(readAll(m_files.write(QStringLiteral("sain.mdb"), products(ProductHeader, Count))));
    const QList<RawJetFile::RowPlace> places = file.storedRows(file.userTableDefinitionPage());
    QCOMPARE(places.size(), Count);
    const int page = places.front().page;
    const QList<RawJetFile::Slot> next = file.rowSlots(page + 1);
    QVERIFY(next.size() > 2);
    QVERIFY(places.back().page > page + 1);  // the next page is the table's too
    file.put16(page, 12, 3);
    file.put16(page, 14, DeletedFlag | FurthestOffset);
    file.put16(page, 16, quint16(DeletedFlag | (PageSize + next[0].start)));
    file.put16(page, 18, quint16(PageSize + next[1].start));
    const QString path = writeFile(m_files.path(QStringLiteral("au-dela.mdb")), file.bytes());

    QStringList expected;
    for (int n = 1; n <= Count; ++n) {
        if (places[n - 1].page != page)
            expected.append(QStringLiteral("R%1").arg(n));
    }
    const auto database = jet::DBEngine::OpenDatabase(path);
    const auto records = database->OpenRecordset(QStringLiteral("Produit"));
    QCOMPARE(shown(records->LeftOutRows()), QStringList{QStringLiteral("1 p%1 s2").arg(page)});
    QCOMPARE(remainingTexts(*records, 0), expected);

    const ToolRun run = check(path);
    QCOMPARE(run.exitCode, 3);
    QVERIFY2(run.out.contains(QStringLiteral("ligne 1 (page %1, emplacement 2)").arg(page)), qPrintable(run.out));
}

// A row moved to a slot whose offsets reach past its page: the row is read from a buffer
// of one page, and past it lies whatever the memory holds (what the sanitized build stops
// at; here it may well decode as nothing, and the row be left out all the same).
void HostileCataloguesTest::movedRowPastItsPage()
{
    constexpr int Count = 300;
    RawJetFile file(readAll(m_files.write(QStringLiteral("sain.mdb"), products(ProductHeader, Count))));
    const QList<RawJetFile::RowPlace> places = file.storedRows(file.userTableDefinitionPage());
    const RawJetFile::RowPlace moved = places.front();
    const int target = places.back().page;
    QVERIFY(target != moved.page);
    file.put16(target, 12, 3);
    file.put16(target, 14, DeletedFlag | FurthestOffset);
    file.put16(target, 16, DeletedFlag | FurthestOffset);
    file.put16(target, 18, DeletedFlag | 0x1F00);  // up to the slot before's 8 191
    file.put16(moved.page, 14, quint16(MovedFlag | moved.bytes.start));
    file.put32(moved.page, moved.bytes.start, pageRow(target, 2));
    const QString path = writeFile(m_files.path(QStringLiteral("deplacee.mdb")), file.bytes());

    QStringList expected;
    for (int n = 2; n <= Count; ++n) {
        if (places[n - 1].page != target)
            expected.append(QStringLiteral("R%1").arg(n));
    }
    const auto records = jet::DBEngine::OpenDatabase(path)->OpenRecordset(QStringLiteral("Produit"));
    QCOMPARE(shown(records->LeftOutRows()), QStringList{QStringLiteral("1 p%1 s0").arg(moved.page)});
    QCOMPARE(remainingTexts(*records, 0), expected);
    QCOMPARE(check(path).exitCode, 3);
}

// Every product's memo starts the same chain of 5 120 links that carry no bytes. Walked
// once per product, the chain would cost twenty thousand times its length; walked once, it
// is no product's more than another's, and every product is left out.
void HostileCataloguesTest::chainsOfEmptyLinksStartedByEveryRow()
{
    constexpr int Count = 20000;
    constexpr int Pages = 20;
    constexpr int LinksPerPage = 256;
    const QString header = QStringLiteral("ref:TEXT(20)\tdesi:MEMO\tqté:INT\tprixvente:MONEY\n");
    const QByteArray sound = readAll(m_files.write(QStringLiteral("memo.mdb"), products(header, Count)));
    const int first = int(sound.size() / PageSize);
    QByteArray added;
    for (int page = 0; page < Pages; ++page) {
        QList<QByteArray> links;
        for (int slot = 0; slot < LinksPerPage; ++slot) {
            const int next = page * LinksPerPage + slot + 1;
            QByteArray link(4, '\0');
            if (next < Pages * LinksPerPage)
                qToLittleEndian<quint32>(pageRow(first + next / LinksPerPage, next % LinksPerPage), link.data());
            links.append(link);
        }
        added += longValuePage(links);
    }
    RawJetFile file(sound + added);
    const QList<RawJetFile::RowPlace> places = file.storedRows(file.userTableDefinitionPage());
    QCOMPARE(places.size(), Count);
    for (const RawJetFile::RowPlace &row : places)
        putChainHeader(file, row.page, variableFieldStart(file, row, 1), 100, pageRow(first, 0));
    const QString path = writeFile(m_files.path(QStringLiteral("chaines.mdb")), file.bytes());

    expectEveryRowLeftOut(path, places);
}

// One chain of 8 000 links of 400 bytes, product r's object starting at link r: each
// object would be another suffix of the chain, 13 GB of them together. No link is one
// product's more than another's: every product is left out.
void HostileCataloguesTest::rowsStartingAlongOneLongChain()
{
    constexpr int Count = 8000;
    constexpr int Links = 8000;
    constexpr int LinksPerPage = 10;
    constexpr int LinkBytes = 400;
    const QString header = ProductHeader.chopped(1) + QStringLiteral("\tphoto:OLE\n");
    const QByteArray sound =
        readAll(m_files.write(QStringLiteral("objet.mdb"), products(header, Count, QStringLiteral("\t0A0B"))));
    const int first = int(sound.size() / PageSize);
    QByteArray added;
    for (int page = 0; page < Links / LinksPerPage; ++page) {
        QList<QByteArray> links;
        for (int slot = 0; slot < LinksPerPage; ++slot) {
            const int next = page * LinksPerPage + slot + 1;
            QByteArray link(4, '\0');
            if (next < Links)
                qToLittleEndian<quint32>(pageRow(first + next / LinksPerPage, next % LinksPerPage), link.data());
            links.append(link + QByteArray(LinkBytes, char(next * 7)));
        }
        added += longValuePage(links);
    }
    RawJetFile file(sound + added);
    const QList<RawJetFile::RowPlace> places = file.storedRows(file.userTableDefinitionPage());
    QCOMPARE(places.size(), Count);
    for (int r = 0; r < Count; ++r) {
        const int link = r % Links;
        putChainHeader(file, places[r].page, variableFieldStart(file, places[r], 2), Links * LinkBytes,
                       pageRow(first + link / LinksPerPage, link % LinksPerPage));
    }
    const QString path = writeFile(m_files.path(QStringLiteral("suffixes.mdb")), file.bytes());

    expectEveryRowLeftOut(path, places);
}

// The definition says 4 294 967 295 rows, in a file whose pages could hold two billion.
// Its rows are sound and all read.
void HostileCataloguesTest::rowCountOfBillions()
{
    constexpr int Count = 2000;
    RawJetFile file(readAll(m_files.write(QStringLiteral("sain.mdb"), products(ProductHeader, Count))));
    file.put32(file.userTableDefinitionPage(), 16, 0xFFFFFFFF);
    const QString path = writeFile(m_files.path(QStringLiteral("milliards.mdb")), file.bytes(), PagesForTwoBillionRows);

    QStringList expected;
    for (int n = 1; n <= Count; ++n)
        expected.append(QStringLiteral("R%1").arg(n));
    const auto records = jet::DBEngine::OpenDatabase(path)->OpenRecordset(QStringLiteral("Produit"));
    QVERIFY(records->LeftOutRows().empty());
    QCOMPARE(remainingTexts(*records, 0), expected);
    QCOMPARE(check(path).exitCode, 0);
}

// The catalog's definition names its own page as its continuation, in a file of 2^28
// pages: followed hop by hop, the loop would show only after as many hops.
void HostileCataloguesTest::definitionChainedToItself()
{
    RawJetFile file(readAll(m_files.write(QStringLiteral("sain.mdb"), products(ProductHeader, 3))));
    file.put32(2, 4, 2);
    const QString path = writeFile(m_files.path(QStringLiteral("boucle.mdb")), file.bytes(), PagesBeyondCounting);

    const EngineFailure failure = failureOf([&] { jet::DBEngine::OpenDatabase(path); });
    QCOMPARE(failure.number, 3343);
    QVERIFY2(failure.description.contains(QStringLiteral("la définition boucle sur elle-même")),
             qPrintable(failure.description));
    const ToolRun run = check(path);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.out.contains(QStringLiteral("boucle sur elle-même")), qPrintable(run.out));
}

QTEST_GUILESS_MAIN(HostileCataloguesTest)
#include "tst_jet_hostile_catalogues.moc"
