#include "PageBuffer.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <sanitizer/asan_interface.h>
#include <sys/uio.h>

namespace jet {

namespace {

// Past the furthest byte a 13-bit offset from a page's start reaches.
#if __has_feature(address_sanitizer) || defined(__SANITIZE_ADDRESS__)
constexpr std::size_t GuardBytes = 8192;
#else
constexpr std::size_t GuardBytes = 0;
#endif

// preadv's parts: a page each at most, merged when the pages lie back to back.
constexpr std::size_t MostParts = 256;

}  // namespace

PageBuffer::PageBuffer(int pageSize, std::size_t capacity)
    : m_pageSize(std::size_t(pageSize)), m_capacity(std::min(capacity, MostParts)), m_guard(GuardBytes),
      m_stride(m_pageSize + m_guard),
      // Not zeroed: every byte is read before it is used.
      m_bytes(new unsigned char[m_guard + m_capacity * m_stride])
{
    ASAN_POISON_MEMORY_REGION(m_bytes.get(), m_guard + m_capacity * m_stride);
}

void PageBuffer::holdOnly(std::size_t first, std::size_t size, std::size_t pages)
{
    ASAN_POISON_MEMORY_REGION(m_bytes.get(), m_guard + m_capacity * m_stride);
    if (pages == 0)
        return;
    ASAN_UNPOISON_MEMORY_REGION(slot(0) + first, size);
    for (std::size_t index = 1; index < pages; ++index)
        ASAN_UNPOISON_MEMORY_REGION(slot(index), m_pageSize);
}

int PageBuffer::partsFor(std::size_t from, std::size_t to, iovec *parts)
{
    int count = 0;
    for (std::size_t at = from; at < to;) {
        const std::size_t within = at % m_pageSize;
        const std::size_t length = std::min(m_pageSize - within, to - at);
        unsigned char *start = slot(at / m_pageSize) + within;
        iovec *last = count > 0 ? &parts[count - 1] : nullptr;
        if (last && static_cast<unsigned char *>(last->iov_base) + last->iov_len == start)
            last->iov_len += length;
        else
            parts[count++] = {start, length};
        at += length;
    }
    return count;
}

std::ptrdiff_t PageBuffer::read(int descriptor, off_t offset, std::size_t pages)
{
    pages = std::min(pages, m_capacity);
    holdOnly(0, m_pageSize, pages);
    const std::size_t wanted = pages * m_pageSize;
    std::size_t got = 0;
    while (got < wanted) {
        std::array<iovec, MostParts> parts{};
        const int count = partsFor(got, wanted, parts.data());
        const ssize_t read = ::preadv(descriptor, parts.data(), count, offset + off_t(got));
        if (read < 0 && errno == EINTR)
            continue;
        if (read < 0)
            return -1;
        if (read == 0)
            break;
        got += std::size_t(read);
    }
    const std::size_t held = (got + m_pageSize - 1) / m_pageSize;
    if (got % m_pageSize != 0)
        std::fill(slot(held - 1) + got % m_pageSize, slot(held - 1) + m_pageSize, 0);
    holdOnly(0, m_pageSize, held);
    return std::ptrdiff_t(held);
}

const unsigned char *PageBuffer::hold(const unsigned char *bytes, std::size_t size)
{
    size = std::min(size, m_pageSize);
    const std::size_t first = m_pageSize - size;
    holdOnly(first, size, 1);
    std::memcpy(slot(0) + first, bytes, size);
    return slot(0) + first;
}

}  // namespace jet
