#pragma once
// The texts of one column, each distinct text kept once (a catalogue of a million products
// holds some fifty thousand distinct designations), numbered 0, 1… in the order they were
// first met; rows refer to their text by its number. The texts lie back to back in one
// buffer, a text whose characters all lie below U+0100 (nearly every text of a French
// catalogue) one byte per character, any other in UTF-16: no object per text, and no more
// memory touched than the characters need.
//
// Finding a repeat costs a look-up in a table of every text so far, a random read that
// misses the processor's caches once the table is large. A column whose texts keep coming
// new (references) gains nothing from it: once the table has grown large and nine texts
// in ten added since it last grew were new, the column stops looking, and any text
// added afterwards is kept as a new one even if it repeats an earlier one. It stops too
// when texts crowd one place of the table, as only texts made to collide do: adding them
// would otherwise cost the square of their number.

#include <QString>
#include <QStringView>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace jet {

class DistinctTexts {
public:
    // Room for `texts` texts of `bytesEach` bytes: the memory is only reserved, and touched
    // as texts fill it, which saves copying the texts as they grow.
    void reserve(std::size_t texts, std::size_t bytesEach);
    // The number of `text`, which is added when it is new (or when repeats are no longer
    // looked for).
    std::uint32_t add(QStringView text);
    // The same for a text given as Latin-1 bytes.
    std::uint32_t addLatin1(std::string_view text);
    // Done adding: what finding texts needed goes.
    void finishAdding();

    std::uint32_t count() const { return std::uint32_t(m_ends.size()); }
    std::size_t byteCount() const { return m_bytes.size(); }  // of all the texts
    QString text(std::uint32_t number) const;
    // Whether the text is kept one byte per character (Latin-1), which latin1() then gives.
    bool isLatin1(std::uint32_t number) const { return (m_ends[number] & Utf16Flag) == 0; }
    std::string_view latin1(std::uint32_t number) const { return bytesOf(number); }
    // The text in UTF-16, written into `scratch`.
    QStringView utf16(std::uint32_t number, std::u16string &scratch) const;

private:
    static constexpr std::uint32_t Utf16Flag = 0x8000'0000;
    static constexpr std::uint32_t EndMask = ~Utf16Flag;

    std::size_t startOf(std::uint32_t number) const { return number == 0 ? 0 : m_ends[number - 1] & EndMask; }
    std::string_view bytesOf(std::uint32_t number) const;
    // The text just appended to m_bytes from `start`: kept, or taken back if it was there.
    std::uint32_t settle(std::size_t start, bool latin1);
    // False, the table left as it was, when the texts crowd the wider one too.
    bool growSlots();
    bool stillWorthLooking() const;
    void stopLooking();

    std::string m_bytes;                // every text, back to back
    std::vector<std::uint32_t> m_ends;  // where each text ends in m_bytes; Utf16Flag: kept in UTF-16
    // While adding: an open-addressing table of the texts, never more than half full. A
    // slot holds a text's hash in its high half, its number + 1 in its low half (0: free),
    // so that neither a miss nor growing the table reads the texts.
    std::vector<std::uint64_t> m_slots;
    std::size_t m_firstSlotCount = 1024;
    bool m_lookingForRepeats = true;
    std::uint32_t m_addedSinceGrowth = 0;  // texts given to add() since the table last grew
    std::uint32_t m_newSinceGrowth = 0;    // of which new
};

}  // namespace jet
