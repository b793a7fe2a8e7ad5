// The sheet's line rules without a window: where the computations differ, they differ on
// purpose, and a listed line figured from its values is what its texts would give.

#include "LineRules.h"
#include "NumberRules.h"
#include "RuntimeError.h"
#include "SheetColumns.h"
#include "TestLocales.h"

#include <QTest>
#include <cmath>

namespace {

const RegionalSettings French = RegionalSettings::fromLocale(QLocale(QLocale::French, QLocale::France));

QStringList listedCells(const ProductValues &product)
{
    QStringList cells;
    for (int column = 0; column < SheetColumnCount; ++column)
        cells << listedCell(column, product, French);
    return cells;
}

ProductValues product(const MixedValue &quantity, const MixedValue &price)
{
    return {MixedValue(QStringLiteral("R")), MixedValue(QStringLiteral("D")), quantity, price};
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
        QCOMPARE(listedCells(product(quantity, price)), cells);
    }

    void aListedLineWhoseQuantityIsNoNumberFails()
    {
        QVERIFY_THROWS_EXCEPTION(RuntimeError,
                                 listedLineTotal(MixedValue(QStringLiteral("trois")), MixedValue(2.0), French));
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
        const QStringList listed = listedCells(product(MixedValue(std::int32_t{2}), MixedValue(0.003)));
        QCOMPARE(listed[3], QStringLiteral("  0,00"));
        QCOMPARE(listed[5], QStringLiteral("  0,01"));
        QCOMPARE(::recalculatedLine(listed[2], listed[3], listed[4], French).lineTotalText, QStringLiteral("  0,00"));
    }

    // The recalculation of a listed line figured from its values gives what its cells' texts
    // give, for quantities and prices of every kind, size and sign, in every test locale.
    void aListedLineRecalculatedFromItsValues()
    {
        std::uint64_t state = 3;
        for (int step = 0; step < 5000; ++step) {
            state = state * 6364136223846793005ULL + 1442695040888963407ULL;
            const auto bits = static_cast<std::int64_t>(state);
            const std::int64_t scaled = bits >> (step % 60);
            const MixedValue quantities[] = {MixedValue(std::int16_t(bits >> 48)), MixedValue(std::int32_t(scaled)),
                                             MixedValue(double(scaled) / 7)};
            const MixedValue prices[] = {MixedValue(Currency::fromTenThousandths(scaled)),
                                         MixedValue(double(scaled) / std::pow(10.0, step % 7)), MixedValue::null()};
            for (const TestLocale &locale : testLocales()) {
                for (const MixedValue &quantity : quantities) {
                    for (const MixedValue &price : prices) {
                        const double fromTexts =
                            ::recalculatedLine(MixedArithmetic::JoinedText(quantity, locale.rs),
                                               FormatAmount(price, locale.rs), QString(), locale.rs)
                                .lineTotal;
                        QCOMPARE(recalculatedListedTotal(quantity, price, locale.rs), fromTexts);
                        std::optional<qint64> amount;
                        try {
                            amount = ToCurrency(fromTexts).tenThousandths;
                        } catch (const RuntimeError &) {
                        }
                        const std::optional<Currency> figured = recalculatedListedAmount(quantity, price, locale.rs);
                        QCOMPARE(figured ? std::optional<qint64>(figured->tenThousandths) : std::nullopt, amount);
                    }
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(LineRulesTest)
#include "tst_line_rules.moc"
