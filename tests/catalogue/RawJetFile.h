#pragma once
// Just enough of a Jet 4 file's raw pages to check how the writer laid rows out: slots and
// their flags, rows found by page-row pointer, and the pages a usage map lists. Written
// from the format's description, not from the writer's code.

#include <QByteArray>
#include <QList>
#include <cstdint>

class RawJetFile {
public:
    explicit RawJetFile(QByteArray bytes) : m_bytes(std::move(bytes)) {}

    static constexpr int PageSize = 4096;

    int pageCount() const { return int(m_bytes.size() / PageSize); }
    std::uint8_t byteAt(int page, int offset) const { return std::uint8_t(m_bytes[page * PageSize + offset]); }
    std::uint16_t u16(int page, int offset) const;
    std::uint32_t u32(int page, int offset) const;

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

private:
    QByteArray m_bytes;
};
