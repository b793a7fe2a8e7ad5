#include "ByteLines.h"

#include "OpenedSheet.h"

#include <algorithm>
#include <cstring>

namespace {

// Read a block at a time: few calls to the device, little kept beyond the current line.
constexpr qint64 BlockBytes = qint64{1} << 20;

}  // namespace

QString tooLargeReason()
{
    return QStringLiteral("le fichier dépasse %1 Mo, bien plus qu'une fiche ne peut en occuper")
        .arg(MaxSheetFileBytes >> 20);
}

ByteLines::ByteLines(QIODevice &file) : m_file(file), m_size(file.isSequential() ? 0 : file.size())
{
    if (m_size > MaxSheetFileBytes)
        m_failure = tooLargeReason();
}

int ByteLines::thousandthsRead() const
{
    return m_size > 0 ? int(m_bytesRead * 1000 / m_size) : 0;
}

bool ByteLines::readMore()
{
    if (m_atEnd || !m_failure.isEmpty())
        return false;
    // What is left of the buffer goes to its front: the lines before it are done with.
    m_buffer.remove(0, m_start);
    m_start = 0;
    const qsizetype kept = m_buffer.size();
    // Grown by doubling: a line of many blocks is not copied once per block.
    if (m_buffer.capacity() < kept + BlockBytes)
        m_buffer.reserve(std::max<qsizetype>(2 * m_buffer.capacity(), kept + BlockBytes));
    m_buffer.resize(kept + BlockBytes);
    const qint64 got = m_file.read(m_buffer.data() + kept, BlockBytes);
    m_buffer.resize(kept + std::max<qint64>(got, 0));
    if (got < 0) {
        m_failure = QStringLiteral("le fichier n'a pas pu être lu jusqu'au bout (%1)").arg(m_file.errorString());
        return false;
    }
    m_bytesRead += got;
    if (m_bytesRead > MaxSheetFileBytes) {
        m_failure = tooLargeReason();
        return false;
    }
    m_atEnd = got == 0;
    return got > 0;
}

std::optional<QByteArrayView> ByteLines::next()
{
    qsizetype searched = m_start;
    for (;;) {
        const char *begin = m_buffer.constData();
        const auto *feed =
            static_cast<const char *>(std::memchr(begin + searched, '\n', std::size_t(m_buffer.size() - searched)));
        if (feed) {
            const QByteArrayView line(begin + m_start, feed - (begin + m_start));
            m_start = feed - begin + 1;
            m_lineFeed = true;
            ++m_lineNumber;
            return line;
        }
        searched = m_buffer.size() - m_start;  // after readMore() moves the line to the front
        if (!readMore())
            break;
    }
    if (!m_failure.isEmpty() || m_start == m_buffer.size())
        return std::nullopt;
    // The last line, without a line feed.
    const QByteArrayView line = QByteArrayView(m_buffer).sliced(m_start);
    m_start = m_buffer.size();
    m_lineFeed = false;
    ++m_lineNumber;
    return line;
}
