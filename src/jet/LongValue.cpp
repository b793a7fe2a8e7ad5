#include "LongValue.h"

#include "LibmdbFile.h"
#include "PageRows.h"
#include "RowLayout.h"
#include "RowsInUse.h"

#include <QtEndian>

namespace jet {

namespace {

constexpr std::size_t HeaderSize = 12;
constexpr std::uint32_t Inline = 0x80;
constexpr std::uint32_t SingleRow = 0x40;
constexpr std::uint32_t Chain = 0x00;
constexpr std::uint32_t LengthMask = 0x3FFFFFFF;

void appendAtMost(QByteArray &value, const unsigned char *data, std::size_t size, std::size_t length)
{
    const std::size_t room = length - std::size_t(value.size());
    value.append(reinterpret_cast<const char *>(data), qsizetype(std::min(size, room)));
}

}  // namespace

LongValues::LongValues(const LibmdbFile &file, RowsInUse &rowsInUse) : m_file(file), m_rowsInUse(rowsInUse)
{}

std::optional<RowBytes> LongValues::claimRow(std::uint32_t pointer)
{
    const std::uint32_t pageNumber = pointer >> 8;
    if (!m_file.isPage(pageNumber) || !m_rowsInUse.take(pointer))
        return std::nullopt;
    const std::optional<PageRows> rows = PageRows::of(m_file, m_file.readSecondPage(pageNumber));
    return rows ? rows->row(int(pointer & 0xFF)) : std::nullopt;
}

std::optional<QByteArray> LongValues::read(const FieldBytes &field)
{
    if (field.size < HeaderSize)
        return QByteArray();
    const std::uint32_t header = qFromLittleEndian<quint32>(field.data);
    const std::size_t length = header & LengthMask;
    const std::uint32_t storage = header >> 24 & 0xC0;
    std::uint32_t pointer = qFromLittleEndian<quint32>(field.data + 4);
    QByteArray value;

    if (storage == Inline) {
        appendAtMost(value, field.data + HeaderSize, field.size - HeaderSize, length);
    } else if (storage == SingleRow) {
        const std::optional<RowBytes> row = claimRow(pointer);
        if (!row)
            return std::nullopt;
        appendAtMost(value, row->data, row->size, length);
    } else if (storage == Chain) {
        // A link met again is a loop, or another value's: caught at once, it can neither
        // repeat earlier bytes up to the announced length (which would show them as the
        // value) nor run on through the whole file.
        while (pointer != 0 && std::size_t(value.size()) < length) {
            const std::optional<RowBytes> row = claimRow(pointer);
            if (!row)
                return std::nullopt;
            if (row->size < 4)
                break;
            pointer = qFromLittleEndian<quint32>(row->data);
            appendAtMost(value, row->data + 4, row->size - 4, length);
        }
    } else {
        return std::nullopt;
    }
    return value;
}

}  // namespace jet
