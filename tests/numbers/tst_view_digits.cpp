// The digits of a double as the user sees it (NumberDecisions D2): fifteen significant
// digits, correctly rounded. The writers find them through the shortest form that reads
// back as the double when that form is short enough; here every path is checked against
// the C library's own fifteen-digit conversion, on doubles of every kind.

#include "DecimalNumber.h"
#include "NumberRules.h"

#include <QTest>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace {

// "digits e exponent sign", trailing zeros dropped, from printf's "%.14e".
std::string printfView(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.14e", std::fabs(value));
    std::string digits(1, text[0]);
    const char *p = text + 2;
    while (*p != 'e')
        digits += *p++;
    int exponent = std::atoi(p + 1) - int(digits.size() - 1);
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
        ++exponent;
    }
    return digits + 'e' + std::to_string(exponent) + (value < 0 ? '-' : '+');
}

std::string userView(double value)
{
    const DecimalNumber n = DecimalNumber::userView(value);
    return std::string(n.digits, std::size_t(n.count)) + 'e' + std::to_string(n.exponent) + (n.negative ? '-' : '+');
}

}  // namespace

class ViewDigitsTest : public QObject {
    Q_OBJECT
private slots:
    void chosenValues_data()
    {
        QTest::addColumn<double>("value");
        QTest::newRow("an amount") << 1234.5;
        QTest::newRow("sum with a binary tail") << 0.1 + 0.2;
        QTest::newRow("fifteen digits") << 123456789012345.0;
        QTest::newRow("sixteen digits") << 1234567890123456.0;
        QTest::newRow("seventeen digits") << 0.30000000000000004;
        QTest::newRow("just below a power of ten") << std::nextafter(1000.0, 0.0);
        QTest::newRow("just above a power of ten") << std::nextafter(1000.0, 2000.0);
        QTest::newRow("a half at the sixteenth digit") << 2.0000000000000005;
        QTest::newRow("largest double") << std::numeric_limits<double>::max();
        QTest::newRow("smallest normal") << std::numeric_limits<double>::min();
        QTest::newRow("subnormal") << 7.3713030335399493e-311;
        QTest::newRow("smallest subnormal") << std::numeric_limits<double>::denorm_min();
        QTest::newRow("negative") << -2469.0;
    }

    void chosenValues()
    {
        QFETCH(double, value);
        QCOMPARE(userView(value), printfView(value));
    }

    // ToCurrency rounds the seen digits to the ten-thousandth, halves to even, whatever
    // quicker way it finds: amounts near and on a half, sums with a binary tail, and beyond.
    void toCurrencyRoundsTheSeenDigits()
    {
        std::mt19937_64 random(7);
        for (int i = 0; i < 300000; ++i) {
            const std::uint64_t range = i % 2 ? 20000000000000ull : 2000000000000000ull;  // up to 10^9, 10^11
            const double tenThousandths = double(std::int64_t(random() % range) - std::int64_t(range / 2));
            const double half = (tenThousandths + 0.5) / 10000;
            const double tail = tenThousandths / 10000 + 0.1 + 0.2;
            std::uint64_t bits = random();
            double anyDouble;
            std::memcpy(&anyDouble, &bits, sizeof anyDouble);
            for (const double value : {tenThousandths / 10000, half, std::nextafter(half, 0.0),
                                       std::nextafter(half, 1e300), tail, tail * 1e6, anyDouble}) {
                if (!std::isfinite(value) || std::fabs(value) >= 9e14)
                    continue;
                if (ToCurrency(value).tenThousandths != DecimalNumber::userView(value).toCurrency().tenThousandths)
                    QFAIL(qPrintable(QStringLiteral("%1").arg(value, 0, 'g', 17)));
            }
        }
    }

    void randomValues()
    {
        std::mt19937_64 random(20261207);
        for (int i = 0; i < 200000; ++i) {
            std::uint64_t bits = random();
            double anyDouble;
            std::memcpy(&anyDouble, &bits, sizeof anyDouble);
            const double cents = double(std::int64_t(random() % 2000000000) - 1000000000) / 100.0;
            const double scaled = double(random() % 999999999999999ull) * std::pow(10.0, int(random() % 40) - 20);
            for (const double value : {anyDouble, cents, cents * 3, cents / 7, scaled, std::nextafter(scaled, 1e300)}) {
                if (value == 0 || !std::isfinite(value))
                    continue;
                if (userView(value) != printfView(value))
                    QFAIL(qPrintable(
                        QStringLiteral("%1: %2 against %3")
                            .arg(value, 0, 'g', 17)
                            .arg(QString::fromStdString(userView(value)), QString::fromStdString(printfView(value)))));
            }
        }
    }
};

QTEST_APPLESS_MAIN(ViewDigitsTest)
#include "tst_view_digits.moc"
