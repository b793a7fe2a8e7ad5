#include "GeneralSortOrder.h"

#include "FrenchCollator.h"

#include <unicode/ucol.h>
#include <vector>

namespace jet::GeneralSortOrder {

void appendSortKey(QStringView text, std::string &keys)
{
    const UCollator *french = generalSortCollator();
    // Written into a buffer kept from call to call, then copied: growing `keys` by a guess
    // would fill the guess with zeros first, every time.
    thread_local std::vector<uint8_t> buffer(256);
    for (;;) {
        const int32_t needed = ucol_getSortKey(french, reinterpret_cast<const UChar *>(text.utf16()),
                                               int32_t(text.size()), buffer.data(), int32_t(buffer.size()));
        if (needed <= int32_t(buffer.size())) {
            // The key ends with a zero byte, useless once lengths are compared.
            keys.append(reinterpret_cast<const char *>(buffer.data()), std::size_t(needed > 0 ? needed - 1 : 0));
            return;
        }
        buffer.resize(std::size_t(needed));
    }
}

std::string sortKey(QStringView text)
{
    std::string key;
    appendSortKey(text, key);
    return key;
}

}  // namespace jet::GeneralSortOrder
