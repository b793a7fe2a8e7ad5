// The sheet's line rules and counters without a window: where the three ways of computing
// a line and of counting the sheet differ, they differ on purpose.

#include "LineRules.h"
#include "NumberRules.h"
#include "RuntimeError.h"
#include "SheetCounters.h"

#include <QTest>

Q_DECLARE_METATYPE(MixedValue)

namespace {

const RegionalSettings French = RegionalSettings::fromLocale(QLocale(QLocale::French, QLocale::France));

QStringList cellsOf(const ListedLine &line)
{
    return line.text.split(u'\t');
}

}  // namespace

class LineRulesTest : public QObject {
    Q_OBJECT

private slots:
    void listedLine_data()
    {
        QTest::addColumn<MixedValue>("quantity");
        QTest::addColumn<MixedValue>("price");
        QTest::addColumn<QStringList>("cells");

        QTest::newRow("money price") << MixedValue(std::int32_t{2})
                                     << MixedValue(Currency::fromTenThousandths(12'345'000))
                                     << QStringList{"R", "D", "2", " 1 234,50", "", " 2 469,00"};
        QTest::newRow("null quantity: no total")
            << MixedValue::null() << MixedValue(7.0) << QStringList{"R", "D", "", "  7,00", "", ""};
        QTest::newRow("text quantity read as a number")
            << MixedValue(QStringLiteral("1,5")) << MixedValue(std::int16_t{4})
            << QStringList{"R", "D", "1,5", "  4,00", "", "  6,00"};
    }
    void listedLine()
    {
        QFETCH(MixedValue, quantity);
        QFETCH(MixedValue, price);
        QFETCH(QStringList, cells);
        const ProductValues product{MixedValue(QStringLiteral("R")), MixedValue(QStringLiteral("D")), quantity, price};
        QCOMPARE(cellsOf(::listedLine(product, French)), cells);
    }

    void aListedLineWhoseQuantityIsNoNumberFails()
    {
        const ProductValues product{MixedValue(QStringLiteral("R")), MixedValue(QStringLiteral("D")),
                                    MixedValue(QStringLiteral("trois")), MixedValue(2.0)};
        QVERIFY_THROWS_EXCEPTION(RuntimeError, ::listedLine(product, French));
    }

    void recalculatedLine_data()
    {
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("discount");
        QTest::addColumn<QString>("priceCell");
        QTest::addColumn<QString>("totalCell");

        QTest::newRow("discount") << "2"
                                  << "10"
                                  << "10"
                                  << "  10,00"
                                  << "  18,00";
        QTest::newRow("empty discount: none") << "2"
                                              << "10"
                                              << ""
                                              << "  10,00"
                                              << "  20,00";
        QTest::newRow("quantity in letters: zero") << "deux"
                                                   << "10"
                                                   << "10"
                                                   << "  10,00"
                                                   << "  0,00";
        QTest::newRow("price in letters kept, zero") << "2"
                                                     << "dix"
                                                     << "0"
                                                     << "dix"
                                                     << "  0,00";
        QTest::newRow("price of a thousand, as the grid writes it") << "2"
                                                                    << " 1 234,50"
                                                                    << ""
                                                                    << " 1 234,50"
                                                                    << " 2 469,00";
    }
    void recalculatedLine()
    {
        QFETCH(QString, quantity);
        QFETCH(QString, price);
        QFETCH(QString, discount);
        QFETCH(QString, priceCell);
        QFETCH(QString, totalCell);
        const RecalculatedLine line = ::recalculatedLine(quantity, price, discount, French);
        QCOMPARE(line.price, priceCell);
        QCOMPARE(line.lineTotalText, totalCell);
        QCOMPARE(FormatAmount(line.lineTotal, French), totalCell);
    }

    // A listed line totals the catalogue's own price; once a cell edit prices it again, it
    // totals the price as its cell shows it, to the cent.
    void aListedLineRecalculatedTotalsThePriceItShows()
    {
        const QStringList listed =
            cellsOf(::listedLine({MixedValue(QStringLiteral("R")), MixedValue(QStringLiteral("D")),
                                  MixedValue(std::int32_t{2}), MixedValue(0.003)},
                                 French));
        QCOMPARE(listed[3], QStringLiteral("  0,00"));
        QCOMPARE(listed[5], QStringLiteral("  0,01"));
        QCOMPARE(::recalculatedLine(listed[2], listed[3], listed[4], French).lineTotalText, QStringLiteral("  0,00"));
    }

    // The same three line totals of 0.004, counted the three ways: the listing and adding a
    // line count the totals as their cells show them, to the cent; the recalculation adds
    // the totals it has rounded to four decimals only.
    void theThreeCounts()
    {
        const Currency lineTotal = Currency::fromTenThousandths(40);
        ListingCounters listing(French);
        QCOMPARE(listing.countCaption(), std::nullopt);  // nothing listed: the captions keep "0"
        CellRecount recount(French);
        RecalculationCounters recalculation(French);
        for (int line = 0; line < 3; ++line) {
            listing.countLine();
            listing.add(MixedValue(lineTotal));
            recount.add(FormatAmount(MixedValue(lineTotal), French));
            recalculation.countLine();
            recalculation.add(lineTotal.toDouble());
        }
        QVERIFY_THROWS_EXCEPTION(RuntimeError, recount.add(QStringLiteral("illisible")));

        QCOMPARE(listing.countCaption(), QStringLiteral("3"));
        QCOMPARE(listing.sumCaption(), QStringLiteral("0,00"));
        QCOMPARE(recount.countCaption(4), QStringLiteral("3"));
        QCOMPARE(recount.sumCaption(), QStringLiteral("0,00"));
        QCOMPARE(recalculation.countCaption(), QStringLiteral("3"));
        QCOMPARE(recalculation.sumCaption(), QStringLiteral("0,01"));
    }
};

QTEST_GUILESS_MAIN(LineRulesTest)
#include "tst_line_rules.moc"
