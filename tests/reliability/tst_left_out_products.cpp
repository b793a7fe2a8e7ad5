// A catalogue with one damaged product row at start-up: the window lists every other product
// exactly, counts only those, tells the user once, and the look-up does not find the lost one.

#include "DamagedRow.h"
#include "FicheTestSupport.h"
#include "LineGrid.h"
#include "NumberRules.h"
#include "StartUp.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

class LeftOutProductsTest : public QObject {
    Q_OBJECT

private slots:
    void aDamagedRowIsLeftOutAndToldOnce()
    {
        constexpr int Products = 40;
        constexpr int Damaged = 7;
        QString tsv = FicheTest::ProductColumns;
        for (int n = 1; n <= Products; ++n)
            tsv += QStringLiteral("\nR%1\tProduit %2\t%1\t%1.25").arg(n).arg(n, 2, 10, QLatin1Char('0'));
        QTemporaryDir dir;
        const QString path = FicheTest::writeCatalogue(dir, tsv);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QByteArray damaged = withDamagedRow(file.readAll(), Damaged);
        QVERIFY(file.seek(0));
        QCOMPARE(file.write(damaged), damaged.size());
        file.close();

        const RegionalSettings rs = FicheTest::frenchSettings();
        FicheTest::CollectedReports reports;
        const std::unique_ptr<Form2> form = startWindow(path, rs);
        QVERIFY(form);
        QVERIFY(reports.reports().isEmpty());  // nothing is said before the window shows
        showWindow(*form);
        QTRY_COMPARE(reports.reports().size(), 1);
        const StandardReport &told = reports.reports().front();
        QCOMPARE(told.kind, StandardReport::Kind::Warning);
        QVERIFY2(told.text.startsWith(QStringLiteral("Un produit du catalogue n'a pas pu être lu")),
                 qPrintable(told.text));
        QVERIFY2(told.text.contains(QStringLiteral("(ligne 7)")), qPrintable(told.text));
        QVERIFY2(told.text.contains(QStringLiteral("faites-le réparer")), qPrintable(told.text));

        const FicheTest::Controls ui(*form);
        QCOMPARE(ui.G->RowCount(), Products);  // the header and 39 lines
        Currency sum;
        for (int n = 1; n <= Products; ++n) {
            const int row = n < Damaged ? n : n - 1;
            if (n == Damaged)
                continue;
            QCOMPARE(ui.G->CellText(row, 0), QStringLiteral("R%1").arg(n));
            sum = sum + Currency::fromTenThousandths(n * (n * 10000LL + 2500));
        }
        QCOMPARE(ui.nbr->text(), QStringLiteral("39"));
        QCOMPARE(ui.totaux->text(), FormatStandard(sum, rs));
        QCOMPARE(ui.Ref->count(), Products - 1);
        ui.Ref->setEditText(QStringLiteral("R7"));
        QCOMPARE(ui.desi->text(), QString());
        ui.Ref->setEditText(QStringLiteral("R8"));
        QCOMPARE(ui.desi->text(), QStringLiteral("PRODUIT 08"));

        QTest::qWait(50);
        QCOMPARE(reports.reports().size(), 1);  // told once
    }
};

QTEST_MAIN(LeftOutProductsTest)
#include "tst_left_out_products.moc"
