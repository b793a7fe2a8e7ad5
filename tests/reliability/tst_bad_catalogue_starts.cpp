// The real program started on catalogue files that cannot be used: each start must end by
// itself with the French report naming the cause and the file, and a non-zero exit status,
// never a crash; and the program only reads, so the file's bytes are the same afterwards.

#include "FicheTestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QtEndian>
#include <unistd.h>

namespace {

constexpr qsizetype PageSize = 4096;
constexpr int ProgramTimeoutMs = 60000;

struct Ending {
    bool ended = false;    // by itself, before the time-out
    bool crashed = false;  // a signal (sanitizer reports abort with a status instead)
    int exitCode = -1;
    QString err;
};

// Runs `command` (the program, possibly behind a user switch) and waits for it to end.
Ending runToEnd(const QString &command, const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("fr_FR.UTF-8"));
    process.setProcessEnvironment(environment);
    process.start(command, arguments);
    Ending ending;
    ending.ended = process.waitForFinished(ProgramTimeoutMs);
    if (!ending.ended) {
        process.kill();
        process.waitForFinished();
    }
    ending.crashed = process.exitStatus() == QProcess::CrashExit;
    ending.exitCode = process.exitCode();
    ending.err = QString::fromUtf8(process.readAllStandardError());
    return ending;
}

QStringList programOn(const QString &catalogue)
{
    return {QStringLiteral("--database"), catalogue};
}

// What a run left of the file: its bytes' digest, or the folder's listing.
QByteArray fingerprint(const QString &path)
{
    if (QFileInfo(path).isDir())
        return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System).join(u'/').toUtf8();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("unreadable by the test");
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The start ended as it must: by itself, with a status, the report naming the error, its
// cause and the file.
void checkRefused(const Ending &ending, int number, const QString &cause, const QString &file)
{
    QVERIFY2(ending.ended, "the program did not end by itself");
    QVERIFY2(!ending.crashed, qPrintable(ending.err));
    QVERIFY2(ending.exitCode > 0, qPrintable(ending.err));
    QVERIFY2(ending.err.contains(QStringLiteral("Erreur d'exécution '%1' :\n").arg(number)), qPrintable(ending.err));
    QVERIFY2(ending.err.contains(cause), qPrintable(ending.err));
    QVERIFY2(ending.err.contains(file), qPrintable(ending.err));
}

// The page holding the definition of the catalogue's product table: the last table
// definition page (kind 2), the first one (page 2) being the engine's list of objects.
qsizetype productDefinitionPage(const QByteArray &bytes)
{
    qsizetype found = -1;
    for (qsizetype page = 3; page * PageSize < bytes.size(); ++page) {
        if (bytes.at(page * PageSize) == 0x02)
            found = page;
    }
    return found;
}

QByteArray flipped(QByteArray bytes, qsizetype from, qsizetype to)
{
    for (qsizetype i = from; i < to; ++i)
        bytes[i] = char(~bytes.at(i));
    return bytes;
}

}  // namespace

class BadCatalogueStartTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void badFile_data();
    void badFile();
    void unreadableFile();
    void fileStillBeingWritten();

private:
    QString newCataloguePath();

    QTemporaryDir m_dir;
    QByteArray m_sound;  // a catalogue spread over many pages
    int m_runs = 0;
};

void BadCatalogueStartTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QString tsv = FicheTest::ProductColumns;
    for (int i = 0; i < 3000; ++i)
        tsv += QStringLiteral("\nR%1\tProduit numéro %1 du catalogue\t%2\t%3.25").arg(i).arg(i % 17).arg(i % 500);
    m_sound = readFile(FicheTest::writeCatalogue(m_dir, tsv, {}, QStringLiteral("sain.mdb")));
    QVERIFY2(m_sound.size() > 20 * PageSize, "the sound catalogue must be longer than the truncations");
    QVERIFY(productDefinitionPage(m_sound) > 2);
}

// Each run in a folder of its own, under the name the program looks for.
QString BadCatalogueStartTest::newCataloguePath()
{
    const QString folder = m_dir.filePath(QStringLiteral("run%1").arg(++m_runs));
    QDir().mkpath(folder);
    return folder + QStringLiteral("/QUARN.MDB");
}

void BadCatalogueStartTest::badFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("directory");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("cause");

    const qsizetype definition = productDefinitionPage(m_sound) * PageSize;
    QTest::newRow("zero bytes") << QByteArray() << false << 3343 << QStringLiteral("vide");
    QTest::newRow("truncated to 1 page") << m_sound.left(PageSize) << false << 3343 << QStringLiteral("tronqué");
    QTest::newRow("truncated to 2 pages") << m_sound.left(2 * PageSize) << false << 3343 << QStringLiteral("tronqué");
    QTest::newRow("truncated to 10 pages") << m_sound.left(10 * PageSize) << false << 3049 << QStringLiteral("tronqué");
    QTest::newRow("header signature flipped")
        << flipped(m_sound, 4, 20) << false << 3343 << QStringLiteral("Jet ou Access");
    QTest::newRow("header version flipped")
        << flipped(m_sound, 0x14, 0x15) << false << 3343 << QStringLiteral("version");
    QTest::newRow("table definition kind flipped")
        << flipped(m_sound, definition, definition + 1) << false << 3049 << QStringLiteral("Produit");
    QTest::newRow("table definition body flipped")
        << flipped(m_sound, definition + 8, definition + PageSize) << false << 3049 << QStringLiteral("Produit");
    QTest::newRow("text file") << QByteArray("ref;desi;qté;prixvente\nA1;Agrafeuse;2;3,50\n") << false << 3343
                               << QStringLiteral("Jet ou Access");
    QTest::newRow("directory") << QByteArray() << true << 3044 << QStringLiteral("dossier");
}

void BadCatalogueStartTest::badFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, directory);
    QFETCH(int, number);
    QFETCH(QString, cause);

    const QString path = newCataloguePath();
    if (directory) {
        QVERIFY(QDir().mkpath(path));
        writeFile(path + QStringLiteral("/inside.txt"), "ne pas toucher");
    } else {
        writeFile(path, bytes);
    }
    const QByteArray before = fingerprint(path);
    const Ending ending = runToEnd(QStringLiteral(FICHE_PROGRAM), programOn(path));
    checkRefused(ending, number, cause, path);
    QCOMPARE(fingerprint(path), before);
}

// Root reads every file whatever its permissions: then the program runs as an ordinary
// user who may reach the folder but not read the file.
void BadCatalogueStartTest::unreadableFile()
{
    const QString path = newCataloguePath();
    writeFile(path, m_sound);
    QString command = QStringLiteral(FICHE_PROGRAM);
    QStringList arguments = programOn(path);
    if (::geteuid() == 0) {
        if (QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
            QSKIP("run as root without setpriv: no other user to run the program as");
        const QFile::Permissions reachable =
            QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
        QVERIFY(QFile::setPermissions(m_dir.path(), reachable));
        QVERIFY(QFile::setPermissions(QFileInfo(path).path(), reachable));
        arguments = QStringList{QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                                QStringLiteral("--clear-groups"), command} +
                    arguments;
        command = QStringLiteral("setpriv");
    }
    QVERIFY(QFile::setPermissions(path, QFile::WriteOwner));
    const QByteArray before = fingerprint(path);
    const Ending ending = runToEnd(command, arguments);
    checkRefused(ending, 3051, QStringLiteral("lecture non autorisée"), path);
    QCOMPARE(fingerprint(path), before);
    QCOMPARE(before, QCryptographicHash::hash(m_sound, QCryptographicHash::Sha256).toHex());
}

// Another process has written the first pages (and half of the next) and is still at it
// when the program starts: the program must refuse what it finds and leave the writer's
// work alone, which ends as the writer meant it.
void BadCatalogueStartTest::fileStillBeingWritten()
{
    const QString source = m_dir.filePath(QStringLiteral("sain.mdb"));
    const QString path = newCataloguePath();
    const qsizetype firstPart = 5 * PageSize + PageSize / 2;
    QProcess writer;
    writer.start(
        QStringLiteral("sh"),
        {QStringLiteral("-c"),
         QStringLiteral(
             R"sh(exec 3>"$2"; head -c "$3" "$1" >&3; echo written; read go; tail -c +"$(($3 + 1))" "$1" >&3)sh"),
         QStringLiteral("writer"), source, path, QString::number(firstPart)});
    QVERIFY(writer.waitForReadyRead(ProgramTimeoutMs));
    QCOMPARE(writer.readLine().trimmed(), QByteArray("written"));
    QCOMPARE(QFileInfo(path).size(), firstPart);

    const Ending ending = runToEnd(QStringLiteral(FICHE_PROGRAM), programOn(path));
    checkRefused(ending, 3049, QStringLiteral("tronqué"), path);
    QCOMPARE(QFileInfo(path).size(), firstPart);

    writer.write("go\n");
    writer.closeWriteChannel();
    QVERIFY(writer.waitForFinished(ProgramTimeoutMs));
    QCOMPARE(writer.exitCode(), 0);
    QCOMPARE(readFile(path), m_sound);
}

QTEST_GUILESS_MAIN(BadCatalogueStartTest)
#include "tst_bad_catalogue_starts.moc"
