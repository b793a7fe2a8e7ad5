#include "ColumnValues.h"

#include "HugePages.h"

#include <cstring>

namespace jet {

Storage storageOf(ColumnType type)
{
    switch (type) {
    case ColumnType::Boolean:
    case ColumnType::Byte:
    case ColumnType::Integer:
    case ColumnType::Long:
    case ColumnType::Currency:
    case ColumnType::Complex:
    case ColumnType::BigInt:
        return Storage::Integer;
    case ColumnType::Single:
    case ColumnType::Double:
    case ColumnType::DateTime:
    case ColumnType::Decimal:
        return Storage::Real;
    default:
        return Storage::Text;
    }
}

namespace {

// What a number of the type needs: a boolean, a byte and an integer fit 16 bits (−1 for
// true), a single is kept as itself and widened exactly when read.
std::size_t numberSizeOf(ColumnType type)
{
    switch (type) {
    case ColumnType::Boolean:
    case ColumnType::Byte:
    case ColumnType::Integer:
        return sizeof(std::int16_t);
    case ColumnType::Long:
    case ColumnType::Complex:
    case ColumnType::Single:
        return sizeof(std::int32_t);
    default:
        return sizeof(std::int64_t);
    }
}

}  // namespace

ColumnValues::ColumnValues(ColumnType type) : m_storage(storageOf(type)), m_numberSize(numberSizeOf(type))
{}

template <class Number>
Number ColumnValues::numberAt(std::uint32_t row) const
{
    Number number;
    std::memcpy(&number, m_numbers.data() + std::size_t(row) * sizeof(Number), sizeof(Number));
    return number;
}

template <class Number>
void ColumnValues::appendNumber(Number value)
{
    const auto *bytes = reinterpret_cast<const unsigned char *>(&value);
    m_numbers.insert(m_numbers.end(), bytes, bytes + sizeof(Number));
}

std::int64_t ColumnValues::integer(std::uint32_t row) const
{
    switch (m_numberSize) {
    case sizeof(std::int16_t):
        return numberAt<std::int16_t>(row);
    case sizeof(std::int32_t):
        return numberAt<std::int32_t>(row);
    default:
        return numberAt<std::int64_t>(row);
    }
}

double ColumnValues::real(std::uint32_t row) const
{
    return m_numberSize == sizeof(float) ? numberAt<float>(row) : numberAt<double>(row);
}

void ColumnValues::reserve(std::size_t rows, std::size_t textBytes)
{
    m_present.reserve(rows);
    if (m_storage == Storage::Text) {
        reserveOnHugePages(m_textNumbers, rows);
        m_texts.reserve(rows, textBytes);
    } else {
        reserveOnHugePages(m_numbers, rows * m_numberSize);
    }
}

void ColumnValues::appendNull()
{
    m_present.push_back(false);
    if (m_storage == Storage::Text)
        m_textNumbers.push_back(0);
    else
        m_numbers.resize(m_numbers.size() + m_numberSize);
}

void ColumnValues::appendInteger(std::int64_t value)
{
    m_present.push_back(true);
    switch (m_numberSize) {
    case sizeof(std::int16_t):
        appendNumber(std::int16_t(value));
        break;
    case sizeof(std::int32_t):
        appendNumber(std::int32_t(value));
        break;
    default:
        appendNumber(value);
    }
}

void ColumnValues::appendReal(double value)
{
    m_present.push_back(true);
    if (m_numberSize == sizeof(float))
        appendNumber(float(value));  // a single's own value, widened when it was decoded
    else
        appendNumber(value);
}

void ColumnValues::appendText(QStringView value)
{
    m_present.push_back(true);
    m_textNumbers.push_back(m_texts.add(value));
}

void ColumnValues::appendLatin1Text(std::string_view value)
{
    m_present.push_back(true);
    m_textNumbers.push_back(m_texts.addLatin1(value));
}

// A text the row added stays among the distinct texts, used by no row: harmless.
void ColumnValues::removeLast()
{
    m_present.pop_back();
    if (m_storage == Storage::Text)
        m_textNumbers.pop_back();
    else
        m_numbers.resize(m_numbers.size() - m_numberSize);
}

// The same for rows anywhere: each kept row moves up to where the kept ones before it end.
void ColumnValues::removeRows(const std::vector<std::uint32_t> &rows)
{
    std::size_t kept = 0;
    auto removed = rows.begin();
    for (std::size_t row = 0; row < size(); ++row) {
        if (removed != rows.end() && *removed == row) {
            ++removed;
            continue;
        }
        m_present[kept] = m_present[row];
        if (m_storage == Storage::Text)
            m_textNumbers[kept] = m_textNumbers[row];
        else
            std::memmove(&m_numbers[kept * m_numberSize], &m_numbers[row * m_numberSize], m_numberSize);
        ++kept;
    }
    m_present.resize(kept);
    if (m_storage == Storage::Text)
        m_textNumbers.resize(kept);
    else
        m_numbers.resize(kept * m_numberSize);
}

}  // namespace jet
