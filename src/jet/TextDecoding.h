#pragma once
// Text values as the file stores them, to Unicode, exactly:
//  - Jet 4 and ACE: UTF-16LE, or the "compressed" form: the bytes FF FE, then a stream
//    that starts with one byte per character (U+0001 to U+00FF) and switches to UTF-16LE
//    units and back at each 00 byte. Characters beyond U+FFFF stay whole (libmdb's own
//    conversion turns them into "?").
//  - Jet 3: one or more bytes per character in the file's code page.

#include <QStringDecoder>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace jet {

class TextDecoding {
public:
    TextDecoding(bool jet3, std::uint16_t codePage);

    // The text into `out`, replacing what it held (a buffer reused from value to value).
    void decode(const unsigned char *bytes, std::size_t size, std::u16string &out) const;
    // The text's Latin-1 bytes, when the file stores it as such: the compressed form that
    // never leaves its one-byte mode, the form of nearly every French text.
    std::optional<std::string_view> storedAsLatin1(const unsigned char *bytes, std::size_t size) const;

private:
    bool m_jet3;
    mutable QStringDecoder m_codePage;  // Jet 3 only
};

}  // namespace jet
