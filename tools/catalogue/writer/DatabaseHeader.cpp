#include "DatabaseHeader.h"

#include "LittleEndian.h"
#include "PageFormat.h"

#include <array>
#include <numeric>
#include <utility>

namespace jetwriter {

namespace {

constexpr int MaskedBlockOffset = 0x18;
constexpr int MaskedBlockSize = 128;
constexpr std::uint8_t Jet4Version = 0x01;
constexpr quint16 WesternCodePage = 1252;
constexpr quint16 GeneralSortOrder = 0x0409;

// RC4 is its own inverse: the same routine masks the plain block.
void rc4(const std::array<std::uint8_t, 4> &key, QByteArray &data)
{
    std::array<std::uint8_t, 256> state{};
    std::iota(state.begin(), state.end(), 0);
    std::uint8_t j = 0;
    for (int i = 0; i < 256; ++i) {
        j = std::uint8_t(j + state[i] + key[i % key.size()]);
        std::swap(state[i], state[j]);
    }
    std::uint8_t a = 0;
    std::uint8_t b = 0;
    for (char &byte : data) {
        a = std::uint8_t(a + 1);
        b = std::uint8_t(b + state[a]);
        std::swap(state[a], state[b]);
        byte = char(std::uint8_t(byte) ^ state[std::uint8_t(state[a] + state[b])]);
    }
}

}  // namespace

QByteArray databaseHeaderPage()
{
    QByteArray page(PageSize, '\0');
    page[1] = 0x01;
    page.replace(4, 16, QByteArray("Standard Jet DB\0", 16));
    page[0x14] = char(Jet4Version);

    // Offsets below are those of the whole page; the block starts at 0x18.
    QByteArray block(MaskedBlockSize, '\0');
    putLittleEndian<quint16>(block, 0x3C - MaskedBlockOffset, WesternCodePage);
    putLittleEndian<quint32>(block, 0x3E - MaskedBlockOffset, 0);  // pages are not encrypted
    putLittleEndian<quint16>(block, 0x6E - MaskedBlockOffset, GeneralSortOrder);
    rc4({0xC7, 0xDA, 0x39, 0x6B}, block);
    page.replace(MaskedBlockOffset, MaskedBlockSize, block);
    return page;
}

}  // namespace jetwriter
