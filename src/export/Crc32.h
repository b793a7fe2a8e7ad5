#pragma once
// CRC-32 as zlib, PNG and Python's zlib.crc32 compute it (polynomial 0xEDB88320, reflected,
// starting from and ending with all bits flipped), carried over any number of pieces: a
// script checks a file with the library it already has.

#include <QByteArrayView>
#include <cstdint>

class Crc32 {
public:
    void add(QByteArrayView bytes);
    // The CRC of every byte added so far.
    std::uint32_t value() const { return ~m_state; }

private:
    std::uint32_t m_state = 0xFFFFFFFFu;
};
