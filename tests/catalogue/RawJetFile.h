#pragma once
// Just enough of a Jet 4 file's raw pages to check how the writer laid rows out: slots and
// their flags, rows found by page-row pointer, the pages a usage map lists, and a table's
// rows in stored order; and to damage a file in one precise place. Written from the
// format's description, not from the writer's code.

#include <QByteArray>
#include <QList>
#include <cstdint>

class RawJetFile {
public:
    explicit RawJetFile(QByteArray bytes) : m_bytes(std::move(bytes)) {}

    static constexpr int PageSize = 4096;

    const QByteArray &bytes() const { return m_bytes; }
    int pageCount() const { return int(m_bytes.size() / PageSize); }
    std::uint8_t byteAt(int page, int offset) const { return std::uint8_t(m_bytes[page * PageSize + offset]); }
    std::uint16_t u16(int page, int offset) const;
    std::uint32_t u32(int page, int offset) const;
    void putByte(int page, int offset, std::uint8_t value) { m_bytes[page * PageSize + offset] = char(value); }
    void put16(int page, int offset, std::uint16_t value);
    void put32(int page, int offset, std::uint32_t value);

    // The one table definition that is not the catalog's (page 2); -1 when there is none.
    int userTableDefinitionPage() const;

    struct Slot {
        std::uint16_t flags;  // the high bits 0x8000 and 0x4000
        int start;
        int length;
    };
    QList<Slot> rowSlots(int page) const;
    // The row a page × 256 + slot pointer names, as bytes; empty when it names no slot.
    QByteArray row(std::uint32_t pointer) const;
    QByteArray rowAt(int page, const Slot &slot) const
    {
        return m_bytes.mid(page * PageSize + slot.start, slot.length);
    }

    // The pages listed by the usage map that the pointer names (inline or paged form).
    QList<int> usageMapPages(std::uint32_t mapPointer) const;

    // Where a live row of a table is met: its page and slot, and its bytes' start and length
    // on that page (for a moved row, those of the pointer left in its slot).
    struct RowPlace {
        int page;
        int slot;
        Slot bytes;
    };
    // The table's live rows in stored order: its data pages as its usage map lists them,
    // slots in order, deleted ones skipped, a moved row met at the slot of its pointer.
    QList<RowPlace> storedRows(int definitionPage) const;

private:
    QByteArray m_bytes;
};
