#pragma once
// Room for pages of the file, read into it many at once, or for one page's bytes copied
// there.
//
// Under AddressSanitizer every page of the buffer stands between poisoned bytes reaching
// further than any offset a page holds (offsets have 13 bits), and the bytes it does not
// hold now are poisoned too: a read past a page's own bytes stops the program there, as a
// read past the file would, instead of reading the next page or the bytes an earlier read
// left, where the sanitizer sees nothing. Elsewhere the pages lie back to back.

#include <cstddef>
#include <memory>
#include <sys/types.h>

struct iovec;

namespace jet {

class PageBuffer {
public:
    PageBuffer(int pageSize, std::size_t capacity);

    std::size_t capacity() const { return m_capacity; }  // in pages
    const unsigned char *page(std::size_t index) const { return m_bytes.get() + m_guard + index * m_stride; }

    // Reads pages of the descriptor's file from byte `offset` on, as many as it can hold
    // and at most `pages`, and holds them: how many it read, 0 when the file ends before
    // `offset`, −1 on a read error (errno tells which). A page the file ends within is
    // completed with zeros.
    std::ptrdiff_t read(int descriptor, off_t offset, std::size_t pages);
    // Holds `size` bytes (a page at most) as the end of its first page, and nothing else:
    // nothing follows them, and under the sanitizer what precedes them is poisoned. Where
    // they now are.
    const unsigned char *hold(const unsigned char *bytes, std::size_t size);

private:
    unsigned char *slot(std::size_t index) { return m_bytes.get() + m_guard + index * m_stride; }
    // preadv's parts for bytes [from, to) of the pages held in turn; how many.
    int partsFor(std::size_t from, std::size_t to, iovec *parts);
    // Only [first, first + size) of the first page, and the pages after up to `pages`, are
    // held from now on.
    void holdOnly(std::size_t first, std::size_t size, std::size_t pages);

    std::size_t m_pageSize;
    std::size_t m_capacity;
    std::size_t m_guard;   // poisoned bytes before each page, and after the last
    std::size_t m_stride;  // from a page to the next
    std::unique_ptr<unsigned char[]> m_bytes;
};

}  // namespace jet
