// Start-up on real catalogues: the initial fields, the reference list, the listing sorted
// by designation with its exact cells and counters, "Nouveau", the catalogues that end
// start-up with the standard report, and those that are valid although unusual.

#include "FicheTestSupport.h"
#include "LineGrid.h"
#include "SheetTestKit.h"
#include "StartUp.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using SheetTest::lineCells;

namespace {

// Products in table order; the designations mix case and accents, two are equal.
const QString Shop = FicheTest::ProductColumns + QStringLiteral(R"(
C3	clou	4	0.1
A1	Écrou	2	1234.5
B2	anneau	1	3
D4	Boulon	10	0.5
E5	Écrou	1	2
F6	étau	1	45.99
)");

QStringList referenceList(const QComboBox &box)
{
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        items << box.itemText(i);
    return items;
}

}  // namespace

class StartUpTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void initialValues();
    void referenceListInTableOrder();
    void listingSortedByDesignation();
    void listingCells_data();
    void listingCells();
    void counters();
    void nouveauEmptiesTheSheetOnly();
    void emptyCatalogueIsValid();
    void nullReferenceLeftOutOfTheList();
    void nullQuantityOrPrice_data();
    void nullQuantityOrPrice();
    void failures_data();
    void failures();
    void otherStoredFieldOrder();
    void unreadableFile();
    void fixedPathFoundUnderWine();
    void fixedPathMissingNamesTheMappedFile();

private:
    QString write(const QString &tsv, const WriterOptions &options = {});

    QTemporaryDir m_dir;
    int m_files = 0;
    std::unique_ptr<Form2> m_shop;
    FicheTest::Controls m_shopUi;
    RegionalSettings m_rs = FicheTest::frenchSettings();
};

QString StartUpTest::write(const QString &tsv, const WriterOptions &options)
{
    return FicheTest::writeCatalogue(m_dir, tsv, options, QStringLiteral("cat%1.mdb").arg(++m_files));
}

void StartUpTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_shop = FicheTest::loadForm(write(Shop));
    m_shopUi = FicheTest::Controls(*m_shop);
}

void StartUpTest::cleanup()
{
    qunsetenv("WINEPREFIX");
}

void StartUpTest::initialValues()
{
    QCOMPARE(m_shopUi.Ref->currentText(), QString());
    QCOMPARE(m_shopUi.Ref->currentIndex(), -1);
    QCOMPARE(m_shopUi.desi->text(), QString());
    QCOMPARE(m_shopUi.qte->text(), QStringLiteral("0"));
    QCOMPARE(m_shopUi.prixvente->text(), QStringLiteral("0"));
    QCOMPARE(m_shopUi.remise->text(), QStringLiteral("0"));
    QCOMPARE(m_shopUi.total->text(), QStringLiteral("0"));
}

void StartUpTest::referenceListInTableOrder()
{
    QCOMPARE(referenceList(*m_shopUi.Ref), (QStringList{"C3", "A1", "B2", "D4", "E5", "F6"}));
}

void StartUpTest::listingSortedByDesignation()
{
    const LineGrid &grid = *m_shopUi.G;
    QCOMPARE(grid.RowCount(), 7);
    QStringList references;
    for (int row = 1; row < grid.RowCount(); ++row)
        references << grid.CellText(row, 0);
    // Case and accents do not decide the order; equal designations stay side by side.
    QCOMPARE(references.mid(0, 3), (QStringList{"B2", "D4", "C3"}));
    QCOMPARE(QSet<QString>(references.begin() + 3, references.begin() + 5), (QSet<QString>{"A1", "E5"}));
    QCOMPARE(references[5], QStringLiteral("F6"));
}

void StartUpTest::listingCells_data()
{
    QTest::addColumn<QString>("reference");
    QTest::addColumn<QStringList>("cells");

    QTest::newRow("thousands") << "A1" << QStringList{"A1", "Écrou", "2", " 1 234,50", "", " 2 469,00"};
    QTest::newRow("below one") << "C3" << QStringList{"C3", "clou", "4", "  0,10", "", "  0,40"};
    QTest::newRow("units") << "B2" << QStringList{"B2", "anneau", "1", "  3,00", "", "  3,00"};
    QTest::newRow("tens") << "F6" << QStringList{"F6", "étau", "1", "  45,99", "", "  45,99"};
}

void StartUpTest::listingCells()
{
    QFETCH(QString, reference);
    QFETCH(QStringList, cells);
    const LineGrid &grid = *m_shopUi.G;
    for (int row = 1; row < grid.RowCount(); ++row) {
        if (grid.CellText(row, 0) == reference) {
            QCOMPARE(lineCells(grid, row), cells);
            return;
        }
    }
    QFAIL("reference not listed");
}

void StartUpTest::counters()
{
    QCOMPARE(m_shopUi.nbr->text(), QStringLiteral("6"));
    // 0.40 + 2469 + 3 + 5 + 2 + 45.99
    QCOMPARE(m_shopUi.totaux->text(), QStringLiteral("2") + m_rs.groupSeparator + QStringLiteral("525,39"));
}

void StartUpTest::nouveauEmptiesTheSheetOnly()
{
    const auto form = FicheTest::loadForm(write(Shop));
    const FicheTest::Controls ui(*form);
    FicheTest::showActive(*form);
    ui.desi->setText(QStringLiteral("gardé"));
    QTest::mouseClick(ui.Nouveau, Qt::LeftButton);

    QCOMPARE(ui.G->RowCount(), 1);
    QCOMPARE(ui.G->CellText(0, 5).trimmed(), QStringLiteral("Prix Total"));
    QCOMPARE(ui.nbr->text(), QStringLiteral("0"));
    QCOMPARE(ui.totaux->text(), QStringLiteral("0"));
    QCOMPARE(ui.desi->text(), QStringLiteral("gardé"));
    QCOMPARE(ui.Ref->count(), 6);
    ui.Ref->setEditText(QStringLiteral("A1"));  // the catalogue is still there to look up
    QCOMPARE(ui.desi->text(), QStringLiteral("ÉCROU"));
}

void StartUpTest::emptyCatalogueIsValid()
{
    FicheTest::CollectedReports reports;
    const std::unique_ptr<Form2> form = startWindow(write(FicheTest::ProductColumns + u'\n'), m_rs);
    QVERIFY(form);
    const FicheTest::Controls ui(*form);
    QVERIFY(reports.reports().isEmpty());
    QCOMPARE(ui.Ref->count(), 0);
    QCOMPARE(ui.G->RowCount(), 1);
    QCOMPARE(ui.nbr->text(), QStringLiteral("0"));
    QCOMPARE(ui.totaux->text(), QStringLiteral("0"));
    QCOMPARE(ui.qte->text(), QStringLiteral("0"));
}

void StartUpTest::nullReferenceLeftOutOfTheList()
{
    const auto form = FicheTest::loadForm(write(FicheTest::ProductColumns + QStringLiteral(R"(
B1	Bague	1	2
NULL	Anonyme	3	1
C1	Cale	1	1
)")));
    const FicheTest::Controls ui(*form);
    QCOMPARE(referenceList(*ui.Ref), (QStringList{"B1", "C1"}));
    QCOMPARE(ui.G->RowCount(), 4);
    QCOMPARE(lineCells(*ui.G, 1), (QStringList{"", "Anonyme", "3", "  1,00", "", "  3,00"}));
    QCOMPARE(ui.nbr->text(), QStringLiteral("3"));
    QCOMPARE(ui.totaux->text(), QStringLiteral("6,00"));
}

void StartUpTest::nullQuantityOrPrice_data()
{
    QTest::addColumn<QString>("product");
    QTest::addColumn<QStringList>("cells");

    QTest::newRow("no quantity") << "N1\tNéant\tNULL\t7" << QStringList{"N1", "Néant", "", "  7,00", "", ""};
    QTest::newRow("no price") << "N1\tNéant\t2\tNULL" << QStringList{"N1", "Néant", "2", "", "", ""};
    QTest::newRow("neither") << "N1\tNéant\tNULL\tNULL" << QStringList{"N1", "Néant", "", "", "", ""};
}

void StartUpTest::nullQuantityOrPrice()
{
    QFETCH(QString, product);
    QFETCH(QStringList, cells);
    const auto form =
        FicheTest::loadForm(write(FicheTest::ProductColumns + u'\n' + QStringLiteral("A1\tAxe\t2\t1.25\n") + product +
                                  QStringLiteral("\nZ1\tZinc\t1\t10\n")));
    const FicheTest::Controls ui(*form);
    QCOMPARE(ui.G->RowCount(), 4);
    QCOMPARE(lineCells(*ui.G, 2), cells);
    QCOMPARE(ui.nbr->text(), QStringLiteral("3"));         // still counted
    QCOMPARE(ui.totaux->text(), QStringLiteral("12,50"));  // adds nothing
    QCOMPARE(referenceList(*ui.Ref), (QStringList{"A1", "N1", "Z1"}));
}

void StartUpTest::failures_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("named");  // what the description must name

    const QString missing = m_dir.filePath(QStringLiteral("absent.mdb"));
    QTest::newRow("no such file") << missing << 3024 << missing;

    const QString text = m_dir.filePath(QStringLiteral("texte.mdb"));
    QFile notADatabase(text);
    QVERIFY(notADatabase.open(QIODevice::WriteOnly));
    notADatabase.write(QByteArray("Ceci n'est pas une base de données.\n").repeated(200));
    notADatabase.close();
    QTest::newRow("not a database") << text << 3343 << text;

    const QString folder = m_dir.filePath(QStringLiteral("dossier.mdb"));
    QVERIFY(QDir().mkpath(folder));
    QTest::newRow("a folder") << folder << 3044 << folder;

    QTest::newRow("no field qté for the listing")
        << write(QStringLiteral("ref:TEXT(10)\tdesi:TEXT(10)\tprixvente:MONEY\nA\tB\t1\n")) << 3061
        << QStringLiteral("qté");

    QTest::newRow("no table Produit") << write(QStringLiteral("ref:TEXT(10)\tdesi:TEXT(10)\nA\tB\n"),
                                               WriterOptions{QStringLiteral("Articles"), true, {}, {}})
                                      << 3078 << QStringLiteral("Produit");
}

void StartUpTest::failures()
{
    QFETCH(QString, file);
    QFETCH(int, number);
    QFETCH(QString, named);

    FicheTest::CollectedReports reports;
    QVERIFY(!startWindow(file, m_rs));
    QCOMPARE(reports.reports().size(), 1);
    const StandardReport &report = reports.reports().front();
    QCOMPARE(report.title, QStringLiteral("Fiche Produit"));
    const QString heading = QStringLiteral("Erreur d'exécution '%1' :\n").arg(number);
    QVERIFY2(report.text.startsWith(heading), qPrintable(report.text));
    QVERIFY2(report.text.contains(named), qPrintable(report.text));
}

void StartUpTest::otherStoredFieldOrder()
{
    // The reference list and the look-up read the table's stored places 0, 1 and 3, whatever
    // stands there: here the designation, the price and the quantity. The listing names its
    // fields and still shows the right ones.
    const auto form =
        FicheTest::loadForm(write(QStringLiteral("desi:TEXT(20)\tprixvente:MONEY\tref:TEXT(10)\tqté:LONG\n"
                                                 "Vis\t1.5\tV1\t2\n")));
    const FicheTest::Controls ui(*form);
    QCOMPARE(referenceList(*ui.Ref), QStringList{QStringLiteral("Vis")});
    QCOMPARE(lineCells(*ui.G, 1), (QStringList{"V1", "Vis", "2", "  1,50", "", "  3,00"}));

    // The index is on ref: typing it finds the product, shown from places 1 and 3.
    QTest::keyClicks(ui.Ref->lineEdit(), QStringLiteral("V1"));
    QCOMPARE(ui.desi->text(), QStringLiteral("1,5"));
    QCOMPARE(ui.prixvente->text(), QStringLiteral("  2,00"));
}

void StartUpTest::unreadableFile()
{
    const QString file = write(Shop);
    QVERIFY(QFile::setPermissions(file, QFileDevice::WriteOwner));
    if (QFile(file).open(QIODevice::ReadOnly))
        QSKIP("this user reads every file (root): no permission can be refused");
    FicheTest::CollectedReports reports;
    QVERIFY(!startWindow(file, m_rs));
    QCOMPARE(reports.reports().size(), 1);
    const QString text = reports.reports().front().text;
    QVERIFY2(text.startsWith(QStringLiteral("Erreur d'exécution '3051' :\n")), qPrintable(text));
    QVERIFY2(text.contains(file), qPrintable(text));
}

void StartUpTest::fixedPathFoundUnderWine()
{
    QTemporaryDir prefix;
    QVERIFY(QDir(prefix.path()).mkpath(QStringLiteral("drive_c/vasteron")));
    FicheTest::writeCatalogue(prefix, Shop, {}, QStringLiteral("drive_c/vasteron/Quarn.mdb"));
    qputenv("WINEPREFIX", prefix.path().toLocal8Bit());

    const auto form = FicheTest::loadForm(QString());

    const FicheTest::Controls ui(*form);
    QCOMPARE(ui.nbr->text(), QStringLiteral("6"));
    QCOMPARE(form->module1().DatabaseFile(), prefix.filePath(QStringLiteral("drive_c/vasteron/Quarn.mdb")));
}

void StartUpTest::fixedPathMissingNamesTheMappedFile()
{
    QTemporaryDir prefix;
    qputenv("WINEPREFIX", prefix.path().toLocal8Bit());
    FicheTest::CollectedReports reports;
    QVERIFY(!startWindow(QString(), m_rs));
    QCOMPARE(reports.reports().size(), 1);
    const QString text = reports.reports().front().text;
    QVERIFY2(text.startsWith(QStringLiteral("Erreur d'exécution '3024' :\n")), qPrintable(text));
    QVERIFY2(text.contains(prefix.filePath(QStringLiteral("drive_c/Vasteron/QUARN.MDB"))), qPrintable(text));
}

QTEST_MAIN(StartUpTest)
#include "tst_startup.moc"
