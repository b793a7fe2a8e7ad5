// Feeds arbitrary bytes to every number reader under French, German, US English and C
// settings, and checks what the rules promise rather than only that nothing crashes:
// - a reader returns a value or raises a type mismatch or an overflow, nothing else;
// - the two locale-aware readers agree on what is a number, and on its value to the
//   ten-thousandth; the non-raising reader agrees with the raising one;
// - FormatAmount of a text is the text unchanged or the amount of what it reads;
// - a text operand of MixedArithmetic and ToInt32 is read as ReadLocaleDouble reads it;
// - ReadLocaleCurrency of PlainNumberText of any Currency gives it back;
// - ReadLocaleDouble of FormatStandard of any double gives it back rounded to the cent,
//   and so does ReadLocaleDouble of FormatAmount;
// - ReadLocaleDouble of PlainNumberText of any double gives back what PlainNumberText shows.

#include "NumberRules.h"
#include "RuntimeError.h"

#include <QLocale>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

const std::array<RegionalSettings, 4> &locales()
{
    static const std::array<RegionalSettings, 4> all{
        RegionalSettings::fromLocale(QLocale(QLocale::French, QLocale::France)),
        RegionalSettings::fromLocale(QLocale(QLocale::German, QLocale::Germany)),
        RegionalSettings::fromLocale(QLocale(QLocale::English, QLocale::UnitedStates)),
        RegionalSettings::fromLocale(QLocale::c()),
    };
    return all;
}

[[noreturn]] void fail(const char *property, const QString &detail)
{
    std::fprintf(stderr, "property broken: %s: %s\n", property, qPrintable(detail));
    std::abort();
}

// Runs a reader: its value, or the kind of error it raised, which must be one a reader
// may raise.
template <class T, class Reader>
std::optional<T> readOrFail(Reader &&reader, ErrorKind &error, const QString &text)
{
    try {
        return reader();
    } catch (const RuntimeError &e) {
        if (e.kind() != ErrorKind::TypeMismatch && e.kind() != ErrorKind::Overflow)
            fail("a reader raises only a type mismatch or an overflow", text);
        error = e.kind();
        return std::nullopt;
    }
}

// The amount a double comes back as after FormatStandard: within a cent's half, allowing
// for the fifteen digits the user sees, and showing the same text again.
void checkDouble(double value, const RegionalSettings &rs)
{
    if (!std::isfinite(value))
        return;
    const QString standard = FormatStandard(value, rs);
    const double back = ReadLocaleDouble(standard, rs);
    if (std::fabs(back - value) > 0.005 * (1 + 1e-9) + std::fabs(value) * 1e-14)
        fail("FormatStandard reads back to the cent", standard);
    if (FormatStandard(back, rs) != standard)
        fail("FormatStandard reads back to the same text", standard);
    if (ReadLocaleDouble(FormatAmount(value, rs), rs) != back)
        fail("FormatAmount reads back as FormatStandard does", FormatAmount(value, rs));

    const QString plain = PlainNumberText(value, rs);
    if (PlainNumberText(ReadLocaleDouble(plain, rs), rs) != plain)
        fail("PlainNumberText of a double reads back", plain);
}

void checkCurrency(Currency value, const RegionalSettings &rs)
{
    const QString plain = PlainNumberText(value, rs);
    if (ReadLocaleCurrency(plain, rs) != value)
        fail("PlainNumberText of a Currency reads back", plain);
}

void checkReaders(const QString &text, const RegionalSettings &rs)
{
    ReadLenient(text);  // never fails: an exception would end the run

    ErrorKind doubleError{};
    ErrorKind currencyError{};
    const auto asDouble = readOrFail<double>([&] { return ReadLocaleDouble(text, rs); }, doubleError, text);
    const auto asCurrency = readOrFail<Currency>([&] { return ReadLocaleCurrency(text, rs); }, currencyError, text);

    const std::optional<double> tried = TryReadLocaleDouble(text, rs);
    if (tried.has_value() != asDouble.has_value() || (tried && std::memcmp(&*tried, &*asDouble, sizeof(double)) != 0))
        fail("TryReadLocaleDouble agrees with ReadLocaleDouble", text);

    const bool doubleMismatch = !asDouble && doubleError == ErrorKind::TypeMismatch;
    const bool currencyMismatch = !asCurrency && currencyError == ErrorKind::TypeMismatch;
    if (doubleMismatch != currencyMismatch)
        fail("both readers take the same texts", text);
    if (asCurrency && !asDouble)
        fail("a Currency read is a double read too", text);
    if (asCurrency) {
        const double difference = std::fabs(*asDouble - asCurrency->toDouble());
        if (difference > 0.00005 + std::fabs(*asDouble) * 1e-15)
            fail("both readers give the same value to the ten-thousandth", text);
    }

    const QString formatted = FormatAmount(text, rs);
    if (formatted != (asDouble ? FormatAmount(*asDouble, rs) : text))
        fail("FormatAmount of a text formats what it reads, or leaves it", text);

    ErrorKind productError{};
    const auto product = readOrFail<MixedValue>(
        [&] { return MixedArithmetic::Multiply(MixedValue(text), MixedValue(std::int16_t{1}), rs); }, productError,
        text);
    if (product.has_value() != asDouble.has_value() || (product && *product != MixedValue(*asDouble)) ||
        (!product && productError != doubleError))
        fail("a text operand is read as ReadLocaleDouble reads it", text);

    ErrorKind integerError{};
    readOrFail<std::int32_t>([&] { return ToInt32(MixedValue(text), rs); }, integerError, text);

    // What the readers gave must come back through the writers as well.
    if (asDouble)
        checkDouble(*asDouble, rs);
    if (asCurrency)
        checkCurrency(*asCurrency, rs);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString asUtf8 = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QString asUtf16(static_cast<qsizetype>(size / 2), Qt::Uninitialized);
    std::memcpy(asUtf16.data(), data, size / 2 * 2);

    std::int64_t bits = 0;
    std::memcpy(&bits, data, std::min(size, sizeof bits));
    double asDouble = 0;
    std::memcpy(&asDouble, &bits, sizeof asDouble);

    for (const RegionalSettings &rs : locales()) {
        checkReaders(asUtf8, rs);
        checkReaders(asUtf16, rs);
        checkDouble(asDouble, rs);
        checkCurrency(Currency::fromTenThousandths(bits), rs);
    }
    return 0;
}
