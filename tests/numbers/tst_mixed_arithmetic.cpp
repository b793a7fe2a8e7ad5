// MixedArithmetic: result kinds by operand kinds and operator, widening, null and empty,
// and a mixed value as a text or a double.

#include "NumberRules.h"
#include "TestLocales.h"

#include <QTest>
#include <limits>

namespace {

MixedValue i16(int v)
{
    return MixedValue(static_cast<std::int16_t>(v));
}
MixedValue i32(std::int32_t v)
{
    return MixedValue(v);
}
MixedValue dbl(double v)
{
    return MixedValue(v);
}
MixedValue cur(std::int64_t t)
{
    return MixedValue(tenThousandths(t));
}
MixedValue txt(const char *t)
{
    return MixedValue(QString::fromUtf8(t));
}
const MixedValue Null = MixedValue::null();
const MixedValue Empty;
const MixedValue NoResult;

MixedValue apply(QChar op, const MixedValue &a, const MixedValue &b, const RegionalSettings &rs)
{
    switch (op.unicode()) {
    case u'*':
        return MixedArithmetic::Multiply(a, b, rs);
    case u'-':
        return MixedArithmetic::Subtract(a, b, rs);
    case u'/':
        return MixedArithmetic::Divide(a, b, rs);
    case u'+':
        return MixedArithmetic::Add(a, b, rs);
    }
    qFatal("unknown operator");
}

}  // namespace

class MixedArithmeticTest : public QObject {
    Q_OBJECT
private slots:
    void operators_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QChar>("op");
        QTest::addColumn<MixedValue>("a");
        QTest::addColumn<MixedValue>("b");
        QTest::addColumn<int>("error");
        QTest::addColumn<MixedValue>("expected");

        auto row = [](const char *label, char op, const MixedValue &a, const MixedValue &b, int error,
                      const MixedValue &expected) { addRowInEachLocale(label, QChar(op), a, b, error, expected); };

        // Integers keep the wider kind and widen when the result does not fit.
        row("16 × 16 fits", '*', i16(200), i16(100), NoError, i16(20000));
        row("16 × 16 widens to 32", '*', i16(300), i16(200), NoError, i32(60000));
        row("16 + 16 widens to 32", '+', i16(32767), i16(1), NoError, i32(32768));
        row("16 − 16 widens to 32", '-', i16(-32768), i16(1), NoError, i32(-32769));
        row("32 + 16 stays 32", '+', i32(1), i16(1), NoError, i32(2));
        row("16 − 32 stays 32", '-', i16(5), i32(7), NoError, i32(-2));
        row("32 × 32 widens to double", '*', i32(65536), i32(65536), NoError, dbl(4294967296.0));
        row("32 − 32 widens to double", '-', i32(std::numeric_limits<std::int32_t>::min()), i32(1), NoError,
            dbl(-2147483649.0));
        row("32 + 32 widens to double", '+', i32(2147483647), i32(2147483647), NoError, dbl(4294967294.0));

        // A double operand gives a double.
        row("16 × double", '*', i16(2), dbl(1.5), NoError, dbl(3.0));
        row("double + currency", '+', dbl(0.25), cur(15000), NoError, dbl(1.75));
        row("currency − double", '-', cur(15000), dbl(0.25), NoError, dbl(1.25));
        row("double + double, binary sum", '+', dbl(0.1), dbl(0.2), NoError, dbl(0.1 + 0.2));
        row("double overflow", '*', dbl(1e308), dbl(10.0), Overflow, NoResult);
        row("double sum overflow", '+', dbl(1e308), dbl(1e308), Overflow, NoResult);

        // Currency with Currency or an integer gives Currency, checked.
        row("currency × 16", '*', cur(15000), i16(3), NoError, cur(45000));
        row("32 × currency", '*', i32(-2), cur(15000), NoError, cur(-30000));
        row("currency + currency", '+', cur(15000), cur(1), NoError, cur(15001));
        row("currency − 32", '-', cur(15000), i32(1), NoError, cur(5000));
        row("currency × currency", '*', cur(10001), cur(10001), NoError, cur(10002));
        row("currency × currency, half to even below", '*', cur(5), cur(5000), NoError, cur(2));
        row("currency × currency, half to even above", '*', cur(15), cur(5000), NoError, cur(8));
        row("currency × currency, negative half", '*', cur(-15), cur(5000), NoError, cur(-8));
        row("currency sum beyond the range", '+', MixedValue(Currency::max()), cur(1), Overflow, NoResult);
        row("currency difference beyond the range", '-', MixedValue(Currency::min()), i16(1), Overflow, NoResult);
        row("currency product beyond the range", '*', MixedValue(Currency::max()), i16(2), Overflow, NoResult);
        row("currency product of extremes", '*', MixedValue(Currency::min()), MixedValue(Currency::min()), Overflow,
            NoResult);

        // ÷ always gives a double.
        row("16 ÷ 16", '/', i16(7), i16(2), NoError, dbl(3.5));
        row("currency ÷ currency", '/', cur(100000), cur(40000), NoError, dbl(2.5));
        row("32 ÷ double", '/', i32(1), dbl(4.0), NoError, dbl(0.25));
        row("÷ 0", '/', i16(1), i16(0), DivisionByZero, NoResult);
        row("÷ 0.0", '/', dbl(-2.5), dbl(0.0), DivisionByZero, NoResult);
        row("÷ zero currency", '/', cur(10000), cur(0), DivisionByZero, NoResult);
        row("0 ÷ 0", '/', i16(0), dbl(0.0), Overflow, NoResult);
        row("÷ a tiny number", '/', dbl(1e300), dbl(1e-300), Overflow, NoResult);

        // A text beside a number is read in the user's locale and gives a double.
        row("text × 16", '*', txt("2{d}5"), i16(2), NoError, dbl(5.0));
        row("text × text", '*', txt("3"), txt("19{d}99"), NoError, dbl(3 * 19.99));
        row("text − text", '-', txt("10"), txt("2{d}5"), NoError, dbl(7.5));
        row("text ÷ text", '/', txt("10"), txt("4"), NoError, dbl(2.5));
        row("amount text + 16", '+', txt(" 1 234{d}50"), i16(1), NoError, dbl(1235.5));
        row("currency + text", '+', cur(10000), txt("{m}0{d}5"), NoError, dbl(0.5));
        row("double + text", '+', dbl(0.5), txt("1{g}000"), NoError, dbl(1000.5));
        row("text not a number", '*', txt("abc"), i16(2), TypeMismatch, NoResult);
        row("empty text", '-', i16(2), txt(""), TypeMismatch, NoResult);
        row("text ÷ 0", '/', txt("1"), i16(0), DivisionByZero, NoResult);

        // Two texts joined by + are concatenated.
        row("text + text", '+', txt("ab"), txt("cd"), NoError, txt("abcd"));
        row("number texts + number texts", '+', txt("1{d}5"), txt("2"), NoError, txt("1{d}52"));

        // Null gives null, before any text is read; empty is the 16-bit integer 0.
        row("null × 16", '*', Null, i16(2), NoError, Null);
        row("currency + null", '+', cur(1), Null, NoError, Null);
        row("null + text", '+', Null, txt("abc"), NoError, Null);
        row("text − null", '-', txt("abc"), Null, NoError, Null);
        row("null ÷ 0", '/', Null, i16(0), NoError, Null);
        row("empty + empty", '+', Empty, Empty, NoError, i16(0));
        row("empty + 16", '+', Empty, i16(5), NoError, i16(5));
        row("empty − 32", '-', Empty, i32(5), NoError, i32(-5));
        row("empty × currency", '*', Empty, cur(15000), NoError, cur(0));
        row("empty + double", '+', Empty, dbl(2.5), NoError, dbl(2.5));
        row("empty + text", '+', Empty, txt("5"), NoError, dbl(5.0));
        row("÷ empty", '/', i16(1), Empty, DivisionByZero, NoResult);
    }

    void operators()
    {
        QFETCH(QString, locale);
        QFETCH(QChar, op);
        QFETCH(MixedValue, a);
        QFETCH(MixedValue, b);
        QFETCH(int, error);
        QFETCH(MixedValue, expected);
        const RegionalSettings &rs = settingsNamed(locale);

        MixedValue result;
        QCOMPARE(raisedError([&] { result = apply(op, inLocale(a, rs), inLocale(b, rs), rs); }), error);
        if (error == NoError)
            QCOMPARE(describe(result), describe(inLocale(expected, rs)));
    }

    void asText_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<MixedValue>("value");
        QTest::addColumn<QString>("joined");
        QTest::addColumn<int>("errorOnItsOwn");

        addRowInEachLocale("text as it is", txt(" ab "), QString(" ab "), NoError);
        addRowInEachLocale("16-bit", i16(-3), QString("{m}3"), NoError);
        addRowInEachLocale("32-bit", i32(1234567), QString("1234567"), NoError);
        addRowInEachLocale("double", dbl(2.5), QString("2{d}5"), NoError);
        addRowInEachLocale("currency", cur(123400), QString("12{d}34"), NoError);
        addRowInEachLocale("empty", Empty, QString(), NoError);
        addRowInEachLocale("null", Null, QString(), InvalidUseOfNull);
    }

    // Joined into a grid line, null is the empty text; turned into a text on its own, it fails.
    void asText()
    {
        QFETCH(QString, locale);
        QFETCH(MixedValue, value);
        QFETCH(QString, joined);
        QFETCH(int, errorOnItsOwn);
        const RegionalSettings &rs = settingsNamed(locale);

        QCOMPARE(MixedArithmetic::JoinedText(value, rs), inLocale(joined, rs));
        QString own;
        QCOMPARE(raisedError([&] { own = MixedArithmetic::ToText(value, rs); }), errorOnItsOwn);
        if (errorOnItsOwn == NoError)
            QCOMPARE(own, inLocale(joined, rs));
    }

    void asDouble_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<MixedValue>("value");
        QTest::addColumn<int>("error");
        QTest::addColumn<double>("expected");

        addRowInEachLocale("text", txt("2{d}5"), NoError, 2.5);
        addRowInEachLocale("text not a number", txt("abc"), TypeMismatch, 0.0);
        addRowInEachLocale("null", Null, InvalidUseOfNull, 0.0);
        addRowInEachLocale("empty", Empty, NoError, 0.0);
        addRowInEachLocale("currency", cur(15000), NoError, 1.5);
        addRowInEachLocale("16-bit", i16(-7), NoError, -7.0);
        addRowInEachLocale("32-bit", i32(2147483647), NoError, 2147483647.0);
    }

    void asDouble()
    {
        QFETCH(QString, locale);
        QFETCH(MixedValue, value);
        QFETCH(int, error);
        QFETCH(double, expected);
        const RegionalSettings &rs = settingsNamed(locale);

        double result = 0;
        QCOMPARE(raisedError([&] { result = MixedArithmetic::ToDouble(inLocale(value, rs), rs); }), error);
        if (error == NoError)
            QCOMPARE(exactly(result), exactly(expected));
    }

    void isNumber_data()
    {
        QTest::addColumn<MixedValue>("value");
        QTest::addColumn<bool>("expected");
        QTest::newRow("empty") << Empty << false;
        QTest::newRow("null") << Null << false;
        QTest::newRow("16-bit") << i16(0) << true;
        QTest::newRow("32-bit") << i32(0) << true;
        QTest::newRow("double") << dbl(0) << true;
        QTest::newRow("currency") << cur(0) << true;
        QTest::newRow("text of a number") << txt("1") << false;
    }

    void isNumber()
    {
        QFETCH(MixedValue, value);
        QFETCH(bool, expected);
        QCOMPARE(value.isNumber(), expected);
    }
};

QTEST_GUILESS_MAIN(MixedArithmeticTest)
#include "tst_mixed_arithmetic.moc"
