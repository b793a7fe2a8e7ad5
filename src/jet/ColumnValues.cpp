#include "ColumnValues.h"

#include "HugePages.h"

#include <bit>

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

double ColumnValues::real(std::uint32_t row) const
{
    return std::bit_cast<double>(m_numbers[row]);
}

void ColumnValues::reserve(std::size_t rows, std::size_t textBytes)
{
    m_present.reserve(rows);
    if (m_storage == Storage::Text) {
        reserveOnHugePages(m_textNumbers, rows);
        m_texts.reserve(rows, textBytes);
    } else {
        reserveOnHugePages(m_numbers, rows);
    }
}

void ColumnValues::appendNull()
{
    m_present.push_back(false);
    if (m_storage == Storage::Text)
        m_textNumbers.push_back(0);
    else
        m_numbers.push_back(0);
}

void ColumnValues::appendInteger(std::int64_t value)
{
    m_present.push_back(true);
    m_numbers.push_back(value);
}

void ColumnValues::appendReal(double value)
{
    m_present.push_back(true);
    m_numbers.push_back(std::bit_cast<std::int64_t>(value));
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
        m_numbers.pop_back();
}

}  // namespace jet
