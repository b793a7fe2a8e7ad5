// ReadLocaleDouble, TryReadLocaleDouble and ReadLocaleCurrency under the four locales.

#include "NumberRules.h"
#include "TestLocales.h"

#include <QTest>
#include <cfloat>
#include <cmath>

class LocaleReadersTest : public QObject {
    Q_OBJECT

    // Rows every reader must agree on: the text, and the double it stands for or the error.
    static void addTextColumns()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
    }

private slots:
    void readsDouble_data()
    {
        addTextColumns();
        QTest::addColumn<double>("expected");

        addRowInEachLocale("blanks at both ends", QString(" 12{d}50 "), 12.5);
        addRowInEachLocale("whole", QString("12"), 12.0);
        addRowInEachLocale("locale minus", QString("{m}12{d}5"), -12.5);
        addRowInEachLocale("hyphen minus", QString("-12{d}5"), -12.5);
        addRowInEachLocale("plus", QString("+12{d}5"), 12.5);
        addRowInEachLocale("locale group separator", QString("1{g}234{d}5"), 1234.5);
        addRowInEachLocale("group sizes do not matter", QString("1{g}2{g}34"), 1234.0);
        addRowInEachLocale("plain space between groups", QString("1 234{d}5"), 1234.5);
        addRowInEachLocale("no-break space between groups", QString("1\u00A0234{d}5"), 1234.5);
        addRowInEachLocale("narrow no-break space between groups", QString("1\u202F234{d}5"), 1234.5);
        addRowInEachLocale("an amount as the grid shows it", QString(" 1 000{d}00"), 1000.0);
        addRowInEachLocale("tab and no-break blanks at the ends", QString("\t\u00A012\u202F"), 12.0);
        addRowInEachLocale("opening decimal separator", QString("{d}5"), 0.5);
        addRowInEachLocale("closing decimal separator", QString("5{d}"), 5.0);
        addRowInEachLocale("exponent", QString("1E3"), 1000.0);
        addRowInEachLocale("small exponent letter", QString("1e3"), 1000.0);
        addRowInEachLocale("negative exponent", QString("1{d}5E-2"), 0.015);
        addRowInEachLocale("exponent with locale minus", QString("1E{m}2"), 0.01);
        addRowInEachLocale("exponent with plus", QString("1{d}5E+20"), 1.5e20);
        addRowInEachLocale("minus zero is zero", QString("-0"), 0.0);
        addRowInEachLocale("below the smallest double", QString("1E-400"), 0.0);
        addRowInEachLocale("smallest subnormal", QString("4{d}9406564584124654E-324"), 4.9406564584124654e-324);
        addRowInEachLocale("largest double", QString("1{d}7976931348623157E308"), DBL_MAX);
        addRowInEachLocale("largest double as shown", QString("1{d}79769313486232E+308"), DBL_MAX);
        addRowInEachLocale("largest double as shown, negative", QString("{m}1{d}79769313486232E+308"), -DBL_MAX);
        addRowInEachLocale("largest double as shown, in full",
                           "179{g}769{g}313{g}486{g}232" + QString(",000").repeated(98).replace(',', "{g}") + "{d}00",
                           DBL_MAX);
        addRowInEachLocale("just below the largest double", QString("1{d}797E308"), 1.797e308);
        addRowInEachLocale("nearest double of a decimal", QString("0{d}1"), 0.1);
        addRowInEachLocale("leading zeros", QString("000{d}000125"), 0.000125);
        addRowInEachLocale("huge exponent of zero", QString("0E999999999999"), 0.0);
        // Halfway between 0.1 and the next double: ties go to the even one, 0.1, unless a
        // non-zero digit follows, however far past the digits kept.
        const QString halfwayAboveATenth("0{d}100000000000000012490009027033011079765856266021728515625");
        addRowInEachLocale("halfway between two doubles", halfwayAboveATenth, 0.1);
        addRowInEachLocale("just above halfway, far digit", halfwayAboveATenth + QString(900, u'0') + "1",
                           0.10000000000000002);
        addRowInEachLocale("just above halfway, far whole digit",
                           "100000000000000012490009027033011079765856266021728515625" + QString(900, u'0') + "1E-958",
                           0.10000000000000002);
    }

    void readsDouble()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(double, expected);
        const RegionalSettings &rs = settingsNamed(locale);
        const QString localText = inLocale(text, rs);

        const double value = ReadLocaleDouble(localText, rs);
        QCOMPARE(exactly(value), exactly(expected));
        QCOMPARE(TryReadLocaleDouble(localText, rs), std::optional<double>(expected));
    }

    void rejects_data()
    {
        addTextColumns();
        QTest::addColumn<int>("error");

        addRowInEachLocale("empty", QString(), TypeMismatch);
        addRowInEachLocale("blanks only", QString("   "), TypeMismatch);
        addRowInEachLocale("decimal separator alone", QString("{d}"), TypeMismatch);
        addRowInEachLocale("sign alone", QString("-"), TypeMismatch);
        addRowInEachLocale("letters", QString("abc"), TypeMismatch);
        addRowInEachLocale("trailing letter", QString("12a"), TypeMismatch);
        addRowInEachLocale("two decimal separators", QString("1{d}2{d}3"), TypeMismatch);
        addRowInEachLocale("two blanks between groups", QString("1  234"), TypeMismatch);
        addRowInEachLocale("group separator before the decimals", QString("1{g}{d}5"), TypeMismatch);
        addRowInEachLocale("group separator in the decimals", QString("12{d}5 3"), TypeMismatch);
        addRowInEachLocale("blank before the exponent", QString("1 E3"), TypeMismatch);
        addRowInEachLocale("exponent without digits", QString("1E"), TypeMismatch);
        addRowInEachLocale("exponent sign without digits", QString("1E+"), TypeMismatch);
        addRowInEachLocale("exponent without a number", QString("E5"), TypeMismatch);
        addRowInEachLocale("two signs", QString("--5"), TypeMismatch);
        addRowInEachLocale("plus and minus", QString("+-5"), TypeMismatch);
        addRowInEachLocale("blank after the sign", QString("- 5"), TypeMismatch);
        addRowInEachLocale("parentheses", QString("(12)"), TypeMismatch);
        addRowInEachLocale("trailing sign", QString("12-"), TypeMismatch);
        addRowInEachLocale("currency symbol", QString("12 \u20AC"), TypeMismatch);
        addRowInEachLocale("hexadecimal prefix", QString("0x1A"), TypeMismatch);
        addRowInEachLocale("hexadecimal prefix of old", QString("&H1A"), TypeMismatch);
        addRowInEachLocale("line feed at the end", QString("12\n"), TypeMismatch);
        addRowInEachLocale("digits of another script", QString("\u0661\u0662"), TypeMismatch);
        addRowInEachLocale("full-width digits", QString("\uFF11\uFF12"), TypeMismatch);
        addRowInEachLocale("beyond the double range", QString("1E309"), Overflow);
        addRowInEachLocale("beyond the range, negative", QString("-1E400"), Overflow);
        addRowInEachLocale("just beyond the largest double as shown", QString("1{d}797693134862321E308"), Overflow);
        addRowInEachLocale("many digits", "1" + QString(400, u'0'), Overflow);
    }

    void rejects()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(int, error);
        const RegionalSettings &rs = settingsNamed(locale);
        const QString localText = inLocale(text, rs);

        QCOMPARE(raisedError([&] { ReadLocaleDouble(localText, rs); }), error);
        QCOMPARE(raisedError([&] { ReadLocaleCurrency(localText, rs); }), error);
        QCOMPARE(TryReadLocaleDouble(localText, rs), std::nullopt);
    }

    // Where the separators themselves differ between the locales.
    void readsInOneLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");

        QTest::newRow("comma is the decimal separator [fr_FR]") << "fr_FR"
                                                                << "1,5" << 1.5;
        QTest::newRow("comma is the decimal separator [de_DE]") << "de_DE"
                                                                << "1,5" << 1.5;
        QTest::newRow("comma groups [en_US]") << "en_US"
                                              << "1,5" << 15.0;
        QTest::newRow("comma groups [C]") << "C"
                                          << "1,234.5" << 1234.5;
        QTest::newRow("period groups [de_DE]") << "de_DE"
                                               << "1.234,5" << 1234.5;
        QTest::newRow("period is the decimal separator [en_US]") << "en_US"
                                                                 << "1.5" << 1.5;
    }

    void readsInOneLocale()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(exactly(ReadLocaleDouble(text, settingsNamed(locale))), exactly(expected));
    }

    void rejectsInOneLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");

        QTest::newRow("period is no decimal separator [fr_FR]") << "fr_FR"
                                                                << "1.5";
        QTest::newRow("period groups only before the decimals [de_DE]") << "de_DE"
                                                                        << "1,234.5";
        QTest::newRow("comma groups only before the decimals [en_US]") << "en_US"
                                                                       << "1.234,5";
    }

    void rejectsInOneLocale()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QCOMPARE(raisedError([&] { ReadLocaleDouble(text, settingsNamed(locale)); }), TypeMismatch);
    }

    // Straight from the decimal digits to ten-thousandths, halves to even.
    void readsCurrency_data()
    {
        addTextColumns();
        QTest::addColumn<Currency>("expected");

        addRowInEachLocale("half below even", QString("0{d}00005"), tenThousandths(0));
        addRowInEachLocale("half above odd", QString("0{d}00015"), tenThousandths(2));
        addRowInEachLocale("half of a larger amount", QString("2{d}00005"), tenThousandths(20000));
        addRowInEachLocale("half up to even", QString("2{d}00015"), tenThousandths(20002));
        addRowInEachLocale("negative half", QString("{m}0{d}00015"), tenThousandths(-2));
        addRowInEachLocale("negative half to zero", QString("-0{d}00005"), tenThousandths(0));
        addRowInEachLocale("just above half", QString("0{d}000050001"), tenThousandths(1));
        addRowInEachLocale("far digits decide above half", "0{d}00005" + QString(900, u'0') + "1", tenThousandths(1));
        addRowInEachLocale("just below half", QString("0{d}000049999"), tenThousandths(0));
        addRowInEachLocale("four decimals exactly", QString("12{d}3456"), tenThousandths(123456));
        addRowInEachLocale("a tenth, exactly", QString("0{d}1"), tenThousandths(1000));
        addRowInEachLocale("grouped", QString("1 000{d}5"), tenThousandths(10005000));
        addRowInEachLocale("locale grouped", QString("1{g}000{d}5"), tenThousandths(10005000));
        addRowInEachLocale("exponent", QString("1E3"), tenThousandths(10000000));
        addRowInEachLocale("exponent makes a half", QString("1{d}5E-4"), tenThousandths(2));
        addRowInEachLocale("below every ten-thousandth", QString("1E-400"), tenThousandths(0));
        addRowInEachLocale("largest", QString("922337203685477{d}5807"), Currency::max());
        addRowInEachLocale("largest after rounding down", QString("922337203685477{d}58074"), Currency::max());
        addRowInEachLocale("smallest", QString("{m}922337203685477{d}5808"), Currency::min());
        addRowInEachLocale("smallest after rounding", QString("-922337203685477{d}58084999"), Currency::min());
    }

    void readsCurrency()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(Currency, expected);
        const RegionalSettings &rs = settingsNamed(locale);
        QCOMPARE(ReadLocaleCurrency(inLocale(text, rs), rs).tenThousandths, expected.tenThousandths);
    }

    void currencyBeyondItsRange_data()
    {
        addTextColumns();
        addRowInEachLocale("one above the largest", QString("922337203685477{d}5808"));
        addRowInEachLocale("half above the largest rounds up", QString("922337203685477{d}58075"));
        addRowInEachLocale("one below the smallest", QString("-922337203685477{d}5809"));
        addRowInEachLocale("twenty digits", QString("12345678901234567890"));
        addRowInEachLocale("exponent", QString("1E400"));
        addRowInEachLocale("a double but no Currency", QString("1E15"));
    }

    void currencyBeyondItsRange()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        const RegionalSettings &rs = settingsNamed(locale);
        QCOMPARE(raisedError([&] { ReadLocaleCurrency(inLocale(text, rs), rs); }), Overflow);
    }
};

QTEST_GUILESS_MAIN(LocaleReadersTest)
#include "tst_locale_readers.moc"
