#pragma once
// Byte values of the tab-separated text: BINARY and OLE fields in hexadecimal (two digits
// per byte, either case, nothing between them), GUID fields in the usual braced form.

#include <QByteArray>
#include <QStringView>
#include <optional>

namespace jetwriter {

std::optional<QByteArray> bytesFromHex(QStringView text);

// `{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}` as the 16 bytes a row stores: the first three
// groups little-endian (they are numbers of 32, 16 and 16 bits), the last two as written.
std::optional<QByteArray> guidBytes(QStringView text);

}  // namespace jetwriter
