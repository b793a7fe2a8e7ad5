#include "Crc32.h"

#include <array>

namespace {

constexpr std::uint32_t Polynomial = 0xEDB88320u;

// Eight tables: table k gives the CRC of a byte followed by k zero bytes, so that eight
// bytes are folded in at once. A sheet file is checked as fast as it is read.
using Tables = std::array<std::array<std::uint32_t, 256>, 8>;

constexpr Tables makeTables()
{
    Tables tables{};
    for (std::uint32_t byte = 0; byte < 256; ++byte) {
        std::uint32_t crc = byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ ((crc & 1u) != 0 ? Polynomial : 0u);
        tables[0][byte] = crc;
    }
    for (std::size_t k = 1; k < tables.size(); ++k) {
        for (std::size_t byte = 0; byte < 256; ++byte)
            tables[k][byte] = (tables[k - 1][byte] >> 8) ^ tables[0][tables[k - 1][byte] & 0xFFu];
    }
    return tables;
}

constexpr Tables CrcTables = makeTables();

std::uint32_t little32(const unsigned char *p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

}  // namespace

void Crc32::add(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    qsizetype left = bytes.size();
    std::uint32_t crc = m_state;
    const auto &t = CrcTables;
    for (; left >= 8; left -= 8, p += 8) {
        const std::uint32_t low = crc ^ little32(p);
        const std::uint32_t high = little32(p + 4);
        crc = t[7][low & 0xFFu] ^ t[6][(low >> 8) & 0xFFu] ^ t[5][(low >> 16) & 0xFFu] ^ t[4][low >> 24] ^
              t[3][high & 0xFFu] ^ t[2][(high >> 8) & 0xFFu] ^ t[1][(high >> 16) & 0xFFu] ^ t[0][high >> 24];
    }
    for (; left > 0; --left, ++p)
        crc = (crc >> 8) ^ t[0][(crc ^ *p) & 0xFFu];
    m_state = crc;
}
