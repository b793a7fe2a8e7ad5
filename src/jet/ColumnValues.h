#pragma once
// One column's decoded values, row by row: a number costs the bytes of its column's type
// (2 for a boolean, a byte or an integer, 4 for a long or a single, 8 for the others), a
// text the number of its distinct text (DistinctTexts.h: each distinct text kept once),
// and a bit says whether a value is null. A text field read builds its string then: the
// program reads texts for the few lines it shows and one look-up per keystroke.

#include "ColumnType.h"
#include "DistinctTexts.h"

#include <QString>
#include <QStringView>
#include <cstdint>
#include <vector>

namespace jet {

// How a column's values are kept.
enum class Storage {
    Integer,  // booleans (−1 true, 0 false), byte, integer, long, currency, complex, big int
    Real,     // single (widened exactly), double, date/time, decimal
    Text,     // text, memo, and the kinds shown as text: binary and OLE (hex), GUID
};
Storage storageOf(ColumnType type);

class ColumnValues {
public:
    explicit ColumnValues(ColumnType type);

    Storage storage() const { return m_storage; }
    bool isNull(std::uint32_t row) const { return !m_present[row]; }
    std::int64_t integer(std::uint32_t row) const;
    double real(std::uint32_t row) const;
    QString text(std::uint32_t row) const { return m_texts.text(m_textNumbers[row]); }
    // Text storage: the row's text among the column's distinct texts.
    std::uint32_t textNumber(std::uint32_t row) const { return m_textNumbers[row]; }
    const DistinctTexts &distinctTexts() const { return m_texts; }
    // Asks the processor for a row's value ahead of its read.
    void prefetch(std::uint32_t row) const
    {
        __builtin_prefetch(m_storage == Storage::Text ? static_cast<const void *>(&m_textNumbers[row])
                                                      : &m_numbers[std::size_t(row) * m_numberSize]);
    }

    // Room for `rows` values before loading; texts of `textBytes` bytes or so.
    void reserve(std::size_t rows, std::size_t textBytes);
    std::size_t size() const { return m_present.size(); }
    void appendNull();
    void appendInteger(std::int64_t value);
    void appendReal(double value);
    void appendText(QStringView value);
    void appendLatin1Text(std::string_view value);
    void removeLast();
    // Takes out the rows at `rows` (ascending), moving the others up.
    void removeRows(const std::vector<std::uint32_t> &rows);
    void finishLoading() { m_texts.finishAdding(); }

private:
    template <class Number>
    Number numberAt(std::uint32_t row) const;
    template <class Number>
    void appendNumber(Number value);

    Storage m_storage;
    std::size_t m_numberSize;  // bytes a number takes, for Integer and Real storage
    std::vector<bool> m_present;
    std::vector<unsigned char> m_numbers;      // Integer and Real storage, m_numberSize bytes each
    std::vector<std::uint32_t> m_textNumbers;  // Text storage; 0 for null
    DistinctTexts m_texts;
};

}  // namespace jet
