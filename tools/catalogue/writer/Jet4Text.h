#pragma once
// Text as a Jet 4 file stores it: UTF-16LE, or the shorter "compressed" form when the text
// allows it (marker FF FE, then one byte per character up to U+00FF, with a zero byte
// switching to and from runs of two-byte units).

#include <QByteArray>
#include <QStringView>

namespace jetwriter {

// False only for a text that no reader would read back as written: one that starts with
// U+FEFF (its plain form would look compressed) and also holds a unit that the compressed
// form cannot carry.
bool isStorableAsJet4Text(QStringView text);

QByteArray encodeJet4Text(QStringView text);

}  // namespace jetwriter
