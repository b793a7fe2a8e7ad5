// The catalogue rewritten on disk while the window is open, as the back office does when it
// changes prices during the day: a look-up must find the products as the file holds them
// once the new file is complete; a file caught half-written must change nothing, neither
// crash nor show anything of it, until a whole one can be read.

#include "DamagedRow.h"
#include "FicheTestSupport.h"
#include "NumberRules.h"

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>

namespace {

constexpr qsizetype PageSize = 4096;

// The catalogue of the day: many products (so that the file spans many pages) around the
// ones the test looks up.
QString catalogue(const QString &a1Designation, const QString &a1Price, bool withZ9)
{
    QString tsv = FicheTest::ProductColumns + QStringLiteral("\nA1\t%1\t2\t%2").arg(a1Designation, a1Price);
    for (int i = 0; i < 2000; ++i)
        tsv += QStringLiteral("\nR%1\tArticle de rayon %1\t1\t%2").arg(i).arg(i % 90 + 1);
    if (withZ9)
        tsv += QStringLiteral("\nZ9\tZèbre en peluche\t1\t99");
    return tsv;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Rewrites the file where it is (same inode), as a program that truncates and writes does.
void rewriteInPlace(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Writes beside the file, then renames over it, as careful programs do.
void replaceByRename(const QString &path, const QByteArray &bytes)
{
    const QString beside = path + QStringLiteral(".nouveau");
    rewriteInPlace(beside, bytes);
    QVERIFY(::rename(QFile::encodeName(beside).constData(), QFile::encodeName(path).constData()) == 0);
}

// File times move at the file system's clock tick (milliseconds): a rewrite at the same
// size within the tick of the first write would look like no change to anyone. The back
// office writes minutes after start-up; the test waits for the next tick instead.
void waitForNextFileTimeTick(const QString &path)
{
    const QString probe = path + QStringLiteral(".horloge");
    const QDateTime written = QFileInfo(path).fileTime(QFileDevice::FileModificationTime);
    for (;;) {
        rewriteInPlace(probe, "t");
        if (QFileInfo(probe).fileTime(QFileDevice::FileModificationTime) > written)
            break;
        QTest::qWait(1);
    }
    QFile::remove(probe);
}

// A price as the look-up shows it.
QString price(double amount)
{
    return FormatAmount(amount, FicheTest::frenchSettings());
}

struct Shown {
    QString designation;
    QString price;
};

Shown lookUp(const FicheTest::Controls &form, const QString &reference)
{
    form.Ref->setEditText(QString());
    form.Ref->setEditText(reference);
    return {form.desi->text(), form.prixvente->text()};
}

}  // namespace

class CatalogueReloadTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void rewrittenBetweenLookUps_data();
    void rewrittenBetweenLookUps();
    void halfWrittenKeepsLastGood_data();
    void halfWrittenKeepsLastGood();

private:
    QTemporaryDir m_dir;
    QByteArray m_morning;  // A1 at 10, no Z9
    QByteArray m_noon;     // A1 at 12,50 under another name, Z9 added
};

void CatalogueReloadTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_morning = readFile(FicheTest::writeCatalogue(m_dir, catalogue(QStringLiteral("Vis"), QStringLiteral("10"), false),
                                                   {}, QStringLiteral("matin.mdb")));
    m_noon = readFile(FicheTest::writeCatalogue(
        m_dir, catalogue(QStringLiteral("Vis inox"), QStringLiteral("12.5"), true), {}, QStringLiteral("midi.mdb")));
    QVERIFY(m_morning.size() > 10 * PageSize);
    QVERIFY(m_noon.size() > 10 * PageSize);
}

void CatalogueReloadTest::rewrittenBetweenLookUps_data()
{
    QTest::addColumn<bool>("byRename");
    QTest::newRow("rewritten in place") << false;
    QTest::newRow("replaced by rename") << true;
}

void CatalogueReloadTest::rewrittenBetweenLookUps()
{
    QFETCH(bool, byRename);
    const QString path = m_dir.filePath(QStringLiteral("QUARN.MDB"));
    rewriteInPlace(path, m_morning);
    FicheTest::CollectedReports reports;
    const auto form = FicheTest::loadForm(path);
    const FicheTest::Controls ui(*form);

    QCOMPARE(lookUp(ui, QStringLiteral("A1")).price, price(10));
    QCOMPARE(lookUp(ui, QStringLiteral("Z9")).designation, QString());

    waitForNextFileTimeTick(path);
    byRename ? replaceByRename(path, m_noon) : rewriteInPlace(path, m_noon);
    const Shown a1 = lookUp(ui, QStringLiteral("A1"));
    QCOMPARE(a1.designation, QStringLiteral("VIS INOX"));
    QCOMPARE(a1.price, price(12.5));
    QCOMPARE(lookUp(ui, QStringLiteral("Z9")).price, price(99));
    // The list and the sheet keep what start-up listed: 2 001 products.
    QCOMPARE(ui.Ref->count(), 2001);
    QCOMPARE(reports.reports().size(), 0);
}

void CatalogueReloadTest::halfWrittenKeepsLastGood_data()
{
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("nothing yet") << m_noon.left(0);
    QTest::newRow("first page") << m_noon.left(PageSize);
    QTest::newRow("ten pages") << m_noon.left(10 * PageSize);
    QTest::newRow("inside a page") << m_noon.left(7 * PageSize + 100);
    QTest::newRow("all but the last page") << m_noon.left(m_noon.size() - PageSize);
    QTest::newRow("whole, but a product's row damaged") << withDamagedRow(m_noon, 500);
}

void CatalogueReloadTest::halfWrittenKeepsLastGood()
{
    QFETCH(QByteArray, written);
    const QString path = m_dir.filePath(QStringLiteral("QUARN.MDB"));
    rewriteInPlace(path, m_morning);
    FicheTest::CollectedReports reports;
    const auto form = FicheTest::loadForm(path);
    const FicheTest::Controls ui(*form);
    QCOMPARE(lookUp(ui, QStringLiteral("A1")).price, price(10));

    waitForNextFileTimeTick(path);
    rewriteInPlace(path, written);
    for (int again = 0; again < 2; ++again) {  // a second look-up on the same broken file too
        const Shown a1 = lookUp(ui, QStringLiteral("A1"));
        QCOMPARE(a1.designation, QStringLiteral("VIS"));
        QCOMPARE(a1.price, price(10));
        QCOMPARE(lookUp(ui, QStringLiteral("Z9")).designation, QString());
    }
    QCOMPARE(reports.reports().size(), 0);

    // The writer finishes: the next look-up reads the whole new catalogue.
    waitForNextFileTimeTick(path);
    rewriteInPlace(path, m_noon);
    QCOMPARE(lookUp(ui, QStringLiteral("A1")).price, price(12.5));
    QCOMPARE(lookUp(ui, QStringLiteral("Z9")).designation, QStringLiteral("ZÈBRE EN PELUCHE"));
    QCOMPARE(reports.reports().size(), 0);
}

QTEST_MAIN(CatalogueReloadTest)
#include "tst_catalogue_reload.moc"
