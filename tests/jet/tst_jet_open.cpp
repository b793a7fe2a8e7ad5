// Opening files: every kind of file that is not a usable database fails with an engine
// error naming the cause; damaged files fail the same way, never with a crash and never
// with libmdb printing; the user's environment does not change what the engine reads;
// two handles on one file coexist, and a file changed on disk is read afresh.

#include "CatalogueFixtures.h"
#include "RawJetFile.h"

#include <QFile>
#include <QtEndian>
#include <QtTest/QtTest>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

const QString Products =
    ProductHeader + QStringLiteral("A1\tAgrafeuse\t1\t12.50\nB2\tBloc-notes\t2\t2.95\nC3\tCrayon\t3\t0.80\n");

// What the process writes on its standard output and error while it lives.
class CapturedOutput {
public:
    CapturedOutput()
    {
        std::fflush(stdout);
        std::fflush(stderr);
        m_file = std::tmpfile();
        m_out = ::dup(STDOUT_FILENO);
        m_err = ::dup(STDERR_FILENO);
        ::dup2(fileno(m_file), STDOUT_FILENO);
        ::dup2(fileno(m_file), STDERR_FILENO);
    }

    QByteArray finish()
    {
        std::fflush(stdout);
        std::fflush(stderr);
        ::dup2(m_out, STDOUT_FILENO);
        ::dup2(m_err, STDERR_FILENO);
        ::close(m_out);
        ::close(m_err);
        QByteArray written;
        std::rewind(m_file);
        char buffer[4096];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, m_file)) > 0;)
            written.append(buffer, qsizetype(got));
        std::fclose(m_file);
        return written;
    }

private:
    std::FILE *m_file = nullptr;
    int m_out = -1;
    int m_err = -1;
};

// Everything the program does with a catalogue; an engine error ends it.
int useAsCatalogue(const QString &path)
{
    return failureOf([&] {
               const auto database = jet::DBEngine::OpenDatabase(path);
               const auto table = database->OpenRecordset(QStringLiteral("Produit"));
               remainingRecords(*table);
               table->setIndex(QStringLiteral("XREF"));
               table->Seek(QStringLiteral("="), MixedValue(QStringLiteral("b2")));
               const auto listing = database->OpenRecordset(ListingQuery);
               remainingRecords(*listing);
           })
        .number;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

constexpr int PageSize = 4096;

quint16 read16(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

}  // namespace

class OpenTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void environmentDoesNotMatter();
    void notADatabase_data();
    void notADatabase();
    void cutShort_data();
    void cutShort();
    void unreadableFile();
    void tableNotFound();
    void zeroLengthUsageMap();
    void damagedFiles();
    void loopingLongValueChain();
    void catalogColumnsOfAnotherType_data();
    void catalogColumnsOfAnotherType();
    void twoHandlesCoexist();
    void twoThreadsOpenTheSameFile();
    void changedFileIsReadAfresh();

private:
    CatalogueFiles m_files;
    QString m_catalogue;
};

void OpenTest::initTestCase()
{
    m_catalogue = m_files.write(QStringLiteral("catalogue.mdb"), Products);
}

// Runs first, before the engine has touched libmdb: an empty entry in MDBPATH makes
// libmdb 1.0.0 loop forever on a missing file, its debug options print rows, and another
// charset would garble names such as "qté".
void OpenTest::environmentDoesNotMatter()
{
    qputenv("MDBPATH", QByteArrayLiteral("/tmp::/nowhere"));
    qputenv("MDBOPTS", QByteArrayLiteral("debug_all:use_index:no_memo"));
    qputenv("MDBICONV", QByteArrayLiteral("ISO-8859-1"));
    CapturedOutput output;
    const int missing =
        failureOf([&] { jet::DBEngine::OpenDatabase(m_files.path(QStringLiteral("absent.mdb"))); }).number;
    const int used = useAsCatalogue(m_catalogue);
    const QByteArray printed = output.finish();
    QCOMPARE(missing, 3024);
    QCOMPARE(used, 0);
    QCOMPARE(printed, QByteArray());
}

void OpenTest::notADatabase_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("cause");
    QTest::newRow("missing") << QStringLiteral("absent.mdb") << QByteArray() << 3024 << QStringLiteral("introuvable");
    QTest::newRow("directory") << QStringLiteral("dossier.mdb") << QByteArray() << 3044 << QStringLiteral("dossier");
    QTest::newRow("empty") << QStringLiteral("vide.mdb") << QByteArray("") << 3343 << QStringLiteral("vide");
    QTest::newRow("text") << QStringLiteral("texte.mdb") << QByteArray("ref;desi\nA1;Agrafeuse\n").repeated(200) << 3343
                          << QStringLiteral("Jet ou Access");
    QTest::newRow("zeros") << QStringLiteral("zeros.mdb") << QByteArray(3 * PageSize, '\0') << 3343
                           << QStringLiteral("Jet ou Access");
    QTest::newRow("unknown version") << QStringLiteral("version.mdb") << QByteArray() << 3343
                                     << QStringLiteral("version");
    QTest::newRow("header only") << QStringLiteral("tronque.mdb") << QByteArray() << 3343 << QStringLiteral("tronqué");
    QTest::newRow("pipe") << QStringLiteral("tube.mdb") << QByteArray() << 3343 << QStringLiteral("ordinaire");
}

void OpenTest::notADatabase()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(int, number);
    QFETCH(QString, cause);
    const QString path = m_files.path(name);
    const QByteArray catalogue = readAll(m_catalogue);
    if (name == u"dossier.mdb")
        QVERIFY(QDir().mkdir(path));
    else if (name == u"version.mdb")
        writeAll(path, catalogue.left(0x14) + char(0x33) + catalogue.mid(0x15));
    else if (name == u"tronque.mdb")
        writeAll(path, catalogue.left(PageSize + 100));
    else if (name == u"tube.mdb")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (name != u"absent.mdb")
        writeAll(path, content);

    CapturedOutput output;
    const EngineFailure failure = failureOf([&] { jet::DBEngine::OpenDatabase(path); });
    QCOMPARE(output.finish(), QByteArray());
    QCOMPARE(failure.number, number);
    QVERIFY2(failure.description.contains(cause), qPrintable(failure.description));
    QVERIFY2(failure.description.contains(path), qPrintable(failure.description));
}

// A file another program is still writing, or one cut short: whatever reads of it must
// not pass for the whole catalogue.
void OpenTest::cutShort_data()
{
    QTest::addColumn<int>("keptBytes");  // negative: that many bytes fewer than the whole file
    QTest::addColumn<int>("number");
    QTest::newRow("ends inside its last page") << -100 << 3049;
    QTest::newRow("ends inside a data page") << -(PageSize + PageSize / 2) << 3049;
    QTest::newRow("data pages missing") << -PageSize << 3049;
    QTest::newRow("catalog without its rows") << 3 * PageSize << 3343;
    QTest::newRow("not even the catalog") << 2 * PageSize << 3343;
}

void OpenTest::cutShort()
{
    QFETCH(int, keptBytes);
    QFETCH(int, number);
    // Enough products for several data pages, the last pages of the file.
    QString tsv = ProductHeader;
    for (int i = 0; i < 400; ++i)
        tsv += QStringLiteral("R%1\tProduit numéro %1 en stock\t%1\t1.5\n").arg(i);
    const QByteArray whole = readAll(m_files.write(QStringLiteral("entier.mdb"), tsv));
    const QString path = m_files.path(QStringLiteral("coupe.mdb"));
    writeAll(path, whole.left(keptBytes < 0 ? whole.size() + keptBytes : keptBytes));
    const EngineFailure failure = failureOf([&] {
        const auto database = jet::DBEngine::OpenDatabase(path);
        remainingRecords(*database->OpenRecordset(QStringLiteral("Produit")));
    });
    QCOMPARE(failure.number, number);
    QVERIFY2(failure.description.contains(QStringLiteral("tronqué")), qPrintable(failure.description));
}

void OpenTest::unreadableFile()
{
    if (::geteuid() == 0)
        QSKIP("run as root: file permissions do not stop root from reading");
    const QString path = m_files.write(QStringLiteral("ferme.mdb"), Products);
    QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
    const EngineFailure failure = failureOf([&] { jet::DBEngine::OpenDatabase(path); });
    QCOMPARE(failure.number, 3051);
    QVERIFY(failure.description.contains(path));
}

void OpenTest::tableNotFound()
{
    const auto database = jet::DBEngine::OpenDatabase(m_catalogue);
    const EngineFailure failure = failureOf([&] { database->OpenRecordset(QStringLiteral("Produits")); });
    QCOMPARE(failure.number, 3078);
    QCOMPARE(failure.description, QStringLiteral("Le moteur de base de données ne trouve pas la table « Produits »"));
    // The engine's own tables are tables too, but never the program's catalogue.
    QVERIFY(!database->TableNames().contains(QStringLiteral("MSysObjects")));
    QCOMPARE(database->TableNames(), QStringList{QStringLiteral("Produit")});
}

// libmdb 1.0.0 crashes on a table whose usage map is an empty row (CVE-2021-45927).
void OpenTest::zeroLengthUsageMap()
{
    QByteArray bytes = readAll(m_catalogue);
    // The one user table's definition: the table-definition page other than the catalog's.
    qsizetype definition = -1;
    for (qsizetype page = 3; page * PageSize < bytes.size(); ++page) {
        if (bytes.at(page * PageSize) == 0x02)
            definition = page * PageSize;
    }
    QVERIFY(definition > 0);
    const quint32 pointer = qFromLittleEndian<quint32>(bytes.constData() + definition + 55);
    const qsizetype mapPage = qsizetype(pointer >> 8) * PageSize;
    const int row = int(pointer & 0xFF);
    const int end = row == 0 ? PageSize : (read16(bytes, mapPage + 14 + 2 * (row - 1)) & 0x1FFF);
    qToLittleEndian<quint16>(quint16(end), bytes.data() + mapPage + 14 + 2 * row);
    const QString path = m_files.path(QStringLiteral("carte-vide.mdb"));
    writeAll(path, bytes);

    CapturedOutput output;
    const int number = useAsCatalogue(path);
    QCOMPARE(output.finish(), QByteArray());
    QCOMPARE(number, 3049);
}

// Bytes overwritten all over a catalogue, one place at a time: each damaged file either
// still reads or fails with an engine error; nothing crashes, nothing is printed.
void OpenTest::damagedFiles()
{
    const QByteArray sound = readAll(m_catalogue);
    const QString path = m_files.path(QStringLiteral("abime.mdb"));
    int failed = 0;
    int read = 0;
    QList<int> otherErrors;
    CapturedOutput output;
    for (qsizetype at = 0x80; at < sound.size(); at += 53) {
        for (const char pattern : {char(0xFF), char(0x00), char(0x7F)}) {
            QByteArray damaged = sound;
            for (qsizetype i = at; i < std::min(at + 6, damaged.size()); ++i)
                damaged[i] = pattern;
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(damaged) != damaged.size())
                break;
            file.close();
            const int number = useAsCatalogue(path);
            (number == 0 ? read : failed) += 1;
            // Not a database, damaged, or damaged where the names of the table, its fields
            // or its index are.
            if (number != 0 && number != 3343 && number != 3049 && number != 3078 && number != 3061 && number != 3800)
                otherErrors.append(number);
        }
    }
    const QByteArray printed = output.finish();
    QCOMPARE(printed, QByteArray());
    QCOMPARE(otherErrors, QList<int>());
    QVERIFY(failed > 0);
    QVERIFY(read > 0);
}

// A long value chained over three LVAL rows, its second link damaged to lead back to the
// first. Followed, the loop would give the first rows' bytes again up to the announced
// length, as if they were the value: the engine must leave that product's row out
// instead, and read the products around it as they are.
void OpenTest::loopingLongValueChain()
{
    QByteArray object(10000, '\0');
    for (int i = 0; i < object.size(); ++i)
        object[i] = char(i * 7 % 251);
    const QString sound = m_files.write(QStringLiteral("objet.mdb"),
                                        QStringLiteral("ref:TEXT(20)\tphoto:OLE\nA1\t0A0B\nB2\t%1\nC3\t0C0D\n")
                                            .arg(QString::fromLatin1(object.toHex())));
    const auto readObjects = [](const QString &path, std::vector<jet::LeftOutRow> &leftOut) {
        const auto records = jet::DBEngine::OpenDatabase(path)->OpenRecordset(QStringLiteral("Produit"));
        leftOut = records->LeftOutRows();
        QStringList texts;
        for (const std::vector<MixedValue> &record : remainingRecords(*records))
            texts.append(record[0].as<QString>() + u' ' + record[1].as<QString>().toLower());
        return texts;
    };
    std::vector<jet::LeftOutRow> leftOut;
    QCOMPARE(readObjects(sound, leftOut),
             QStringList({QStringLiteral("A1 0a0b"), QStringLiteral("B2 ") + QString::fromLatin1(object.toHex()),
                          QStringLiteral("C3 0c0d")}));
    QVERIFY(leftOut.empty());

    // The object's links are the only rows on LVAL pages; each starts with the next one's
    // page-row pointer, the last with 0.
    QByteArray bytes = readAll(sound);
    const RawJetFile raw(bytes);
    QMap<std::uint32_t, std::uint32_t> nextLink;
    QMap<std::uint32_t, qsizetype> offsetOf;
    for (int page = 1; page < raw.pageCount(); ++page) {
        if (raw.byteAt(page, 0) != 0x01 || raw.u32(page, 4) != qFromLittleEndian<quint32>("LVAL"))
            continue;
        const QList<RawJetFile::Slot> rows = raw.rowSlots(page);
        for (int slot = 0; slot < rows.size(); ++slot) {
            const std::uint32_t link = std::uint32_t(page) << 8 | std::uint32_t(slot);
            nextLink[link] = raw.u32(page, rows[slot].start);
            offsetOf[link] = qsizetype(page) * PageSize + rows[slot].start;
        }
    }
    QCOMPARE(nextLink.size(), 3);
    const QList<std::uint32_t> named = nextLink.values();
    const auto first =
        std::find_if(nextLink.keyBegin(), nextLink.keyEnd(), [&](std::uint32_t link) { return !named.contains(link); });
    QVERIFY(first != nextLink.keyEnd());
    const std::uint32_t second = nextLink[*first];
    QVERIFY(nextLink.value(second) != 0);
    qToLittleEndian<quint32>(*first, bytes.data() + offsetOf[second]);
    const QString looping = m_files.path(QStringLiteral("objet-boucle.mdb"));
    writeAll(looping, bytes);

    QCOMPARE(readObjects(looping, leftOut), QStringList({QStringLiteral("A1 0a0b"), QStringLiteral("C3 0c0d")}));
    const RawJetFile::RowPlace b2 = raw.storedRows(raw.userTableDefinitionPage()).at(1);
    QCOMPARE(leftOut.size(), std::size_t(1));
    QCOMPARE(leftOut[0].position, 2u);
    QCOMPARE(leftOut[0].page, std::uint32_t(b2.page));
    QCOMPARE(leftOut[0].slot, b2.slot);
}

// The catalog's definition says what type each of its columns has; a damaged type byte
// must not make the engine read a text column as numbers (it once did, and crashed): the
// file reads, or fails as not a database, damaged, or without its table.
void OpenTest::catalogColumnsOfAnotherType_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("type");
    const QByteArray bytes = readAll(m_catalogue);
    const int columns = read16(bytes, 2 * PageSize + 45);
    for (int column = 0; column < columns; ++column) {
        for (const int type : {0x01, 0x04, 0x0A, 0x0C}) {
            QTest::addRow("column %d as type %d", column, type) << column << type;
        }
    }
}

void OpenTest::catalogColumnsOfAnotherType()
{
    QFETCH(int, column);
    QFETCH(int, type);
    QByteArray bytes = readAll(m_catalogue);
    const qsizetype catalog = 2 * PageSize;
    const quint32 realIndexes = qFromLittleEndian<quint32>(bytes.constData() + catalog + 51);
    bytes[catalog + 63 + 12 * realIndexes + 25 * column] = char(type);
    const QString path = m_files.path(QStringLiteral("catalogue-type.mdb"));
    writeAll(path, bytes);
    const int number = useAsCatalogue(path);
    QVERIFY2(QList<int>({0, 3343, 3049, 3078}).contains(number), qPrintable(QString::number(number)));
}

void OpenTest::twoHandlesCoexist()
{
    const auto first = jet::DBEngine::OpenDatabase(m_catalogue);
    const auto table = first->OpenRecordset(QStringLiteral("Produit"));
    {
        const auto second = jet::DBEngine::OpenDatabase(m_catalogue);
        const auto listing = second->OpenRecordset(ListingQuery);
        QCOMPARE(listing->RecordCount(), 3);
        QCOMPARE(remainingTexts(*listing, 1),
                 QStringList({QStringLiteral("Agrafeuse"), QStringLiteral("Bloc-notes"), QStringLiteral("Crayon")}));
    }
    QCOMPARE(remainingTexts(*table, 0),
             QStringList({QStringLiteral("A1"), QStringLiteral("B2"), QStringLiteral("C3")}));
}

// As the start-up opens the catalogue on a worker thread while the window is built: a
// second thread opening the same file meanwhile shares its decoding and reads the same
// rows, in the same order, and finds the same records.
void OpenTest::twoThreadsOpenTheSameFile()
{
    const QString file = m_files.write(QStringLiteral("shared.mdb"), syntheticCatalogueTsv(20000, 5));
    const auto readEverything = [&] {
        const auto database = jet::DBEngine::OpenDatabase(file);
        const auto table = database->OpenRecordset(QStringLiteral("Produit"));
        const auto listing = database->OpenRecordset(ListingQuery);
        table->setIndex(QStringLiteral("XREF"));
        QStringList seen = remainingTexts(*listing, 0);
        for (qsizetype i = 0; i < seen.size(); i += 613) {
            table->Seek(QStringLiteral("="), MixedValue(seen[i].toLower()));
            seen.append(QString::number(table->AbsolutePosition()));
        }
        return seen;
    };
    const QStringList alone = readEverything();
    // Each round opens the file afresh: no handle outlives it.
    for (int round = 0; round < 5; ++round) {
        QStringList fromWorker;
        std::thread worker([&] {
            try {
                fromWorker = readEverything();
            } catch (const RuntimeError &error) {
                fromWorker = QStringList{error.description()};
            }
        });
        const QStringList fromMain = readEverything();
        worker.join();
        QCOMPARE(fromWorker, alone);
        QCOMPARE(fromMain, alone);
    }
}

void OpenTest::changedFileIsReadAfresh()
{
    const QString path = m_files.write(QStringLiteral("change.mdb"), Products);
    const auto before = jet::DBEngine::OpenDatabase(path);
    const auto oldTable = before->OpenRecordset(QStringLiteral("Produit"));
    m_files.write(QStringLiteral("change.mdb"), ProductHeader + QStringLiteral("Z9\tZèbre\t1\t1\n"));
    const auto after = jet::DBEngine::OpenDatabase(path);
    QCOMPARE(remainingTexts(*after->OpenRecordset(QStringLiteral("Produit")), 0), QStringList{QStringLiteral("Z9")});
    QCOMPARE(remainingTexts(*oldTable, 0),
             QStringList({QStringLiteral("A1"), QStringLiteral("B2"), QStringLiteral("C3")}));
}

QTEST_GUILESS_MAIN(OpenTest)
#include "tst_jet_open.moc"
