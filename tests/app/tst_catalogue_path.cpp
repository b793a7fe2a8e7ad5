// The fixed catalogue path found where a Windows program running under Wine keeps it.

#include "CataloguePath.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class CataloguePathTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void mapping_data();
    void mapping();
    void prefixFromTheEnvironment();
    void defaultPrefixInHome();

private:
    QTemporaryDir m_prefix;
};

void CataloguePathTest::initTestCase()
{
    QVERIFY(m_prefix.isValid());
    // A fake Wine prefix: names spelt as the back office wrote them, not as the program does.
    QVERIFY(QDir(m_prefix.path()).mkpath(QStringLiteral("drive_c/VASTERON")));
    QVERIFY(QDir(m_prefix.path()).mkpath(QStringLiteral("drive_c/Autre/Base")));
    QVERIFY(QDir(m_prefix.path()).mkpath(QStringLiteral("dosdevices/d:/Stock")));
    for (const QString &file :
         {QStringLiteral("drive_c/VASTERON/quarn.mdb"), QStringLiteral("drive_c/Autre/Base/QUARN.MDB"),
          QStringLiteral("drive_c/Autre/Base/quarn.mdb"), QStringLiteral("dosdevices/d:/Stock/Cat.mdb")}) {
        QFile touched(m_prefix.filePath(file));
        QVERIFY(touched.open(QIODevice::WriteOnly));
    }
}

void CataloguePathTest::mapping_data()
{
    QTest::addColumn<QString>("windowsPath");
    QTest::addColumn<QString>("expected");  // relative to the prefix, or absolute

    QTest::newRow("the fixed path, other case on disk") << R"(c:\Vasteron\QUARN.MDB)"
                                                        << "drive_c/VASTERON/quarn.mdb";
    QTest::newRow("capital drive letter, forward slashes") << "C:/vasteron/Quarn.Mdb"
                                                           << "drive_c/VASTERON/quarn.mdb";
    QTest::newRow("doubled separators") << R"(c:\\Vasteron\\QUARN.MDB)"
                                        << "drive_c/VASTERON/quarn.mdb";
    QTest::newRow("exact spelling wins over another case") << R"(c:\autre\base\quarn.mdb)"
                                                           << "drive_c/Autre/Base/quarn.mdb";
    QTest::newRow("missing file keeps the name as written") << R"(c:\Vasteron\ABSENT.MDB)"
                                                            << "drive_c/VASTERON/ABSENT.MDB";
    QTest::newRow("missing folder keeps the rest as written") << R"(c:\Ailleurs\Sous\QUARN.MDB)"
                                                              << "drive_c/Ailleurs/Sous/QUARN.MDB";
    QTest::newRow("another drive through Wine's links") << R"(D:\stock\CAT.MDB)"
                                                        << "dosdevices/d:/Stock/Cat.mdb";
    QTest::newRow("not a drive path: unchanged") << "/srv/catalogue.mdb"
                                                 << "/srv/catalogue.mdb";
}

void CataloguePathTest::mapping()
{
    QFETCH(QString, windowsPath);
    QFETCH(QString, expected);
    const QString full = QDir::isAbsolutePath(expected) ? expected : m_prefix.filePath(expected);
    QCOMPARE(mapWindowsPath(windowsPath, m_prefix.path()), full);
}

void CataloguePathTest::prefixFromTheEnvironment()
{
    qputenv("WINEPREFIX", m_prefix.path().toLocal8Bit());
    QCOMPARE(winePrefix(), m_prefix.path());
    QCOMPARE(localCataloguePath(QStringLiteral(R"(c:\Vasteron\QUARN.MDB)")),
             m_prefix.filePath(QStringLiteral("drive_c/VASTERON/quarn.mdb")));
    qunsetenv("WINEPREFIX");
}

void CataloguePathTest::defaultPrefixInHome()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QByteArray savedHome = qgetenv("HOME");
    qunsetenv("WINEPREFIX");
    qputenv("HOME", home.path().toLocal8Bit());
    QCOMPARE(winePrefix(), home.filePath(QStringLiteral(".wine")));
    QCOMPARE(localCataloguePath(QStringLiteral(R"(c:\Vasteron\QUARN.MDB)")),
             home.filePath(QStringLiteral(".wine/drive_c/Vasteron/QUARN.MDB")));
    qputenv("HOME", savedHome);
}

QTEST_GUILESS_MAIN(CataloguePathTest)
#include "tst_catalogue_path.moc"
