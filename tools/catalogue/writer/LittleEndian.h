#pragma once
// Every number in a Jet file is little-endian; these put one into a byte buffer at a
// given offset, or append one.

#include <QByteArray>
#include <QtEndian>
#include <cstdint>

namespace jetwriter {

template <typename T>
void putLittleEndian(QByteArray &bytes, int offset, T value)
{
    qToLittleEndian<T>(value, bytes.data() + offset);
}

template <typename T>
void appendLittleEndian(QByteArray &bytes, T value)
{
    const int offset = int(bytes.size());
    bytes.resize(offset + int(sizeof(T)));
    putLittleEndian<T>(bytes, offset, value);
}

}  // namespace jetwriter
