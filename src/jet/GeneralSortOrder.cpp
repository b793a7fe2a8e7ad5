#include "GeneralSortOrder.h"

#include "EngineErrors.h"

#include <memory>
#include <unicode/ucol.h>

namespace jet::GeneralSortOrder {

namespace {

struct CollatorClose {
    void operator()(UCollator *collator) const { ucol_close(collator); }
};

const UCollator *collator()
{
    static const std::unique_ptr<UCollator, CollatorClose> french = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<UCollator, CollatorClose> opened(ucol_open("fr_FR", &status));
        if (U_FAILURE(status) || !opened)
            return std::unique_ptr<UCollator, CollatorClose>();
        // Secondary strength: base letters and accents count, case does not.
        ucol_setStrength(opened.get(), UCOL_SECONDARY);
        return opened;
    }();
    if (!french)
        throw errors::notSupported(QStringLiteral("l'ordre de tri français est indisponible (ICU)"));
    return french.get();
}

}  // namespace

void appendSortKey(QStringView text, std::string &keys)
{
    const UCollator *french = collator();
    const std::size_t at = keys.size();
    // Most keys fit in this guess; the collator says how much it needs when not.
    std::size_t room = std::size_t(text.size()) * 4 + 16;
    for (;;) {
        keys.resize(at + room);
        const int32_t needed = ucol_getSortKey(french, reinterpret_cast<const UChar *>(text.utf16()),
                                               int32_t(text.size()), reinterpret_cast<uint8_t *>(keys.data() + at),
                                               int32_t(room));
        if (std::size_t(needed) <= room) {
            // The key ends with a zero byte that memcmp of the lengths makes useless.
            keys.resize(at + std::size_t(needed > 0 ? needed - 1 : 0));
            return;
        }
        room = std::size_t(needed);
    }
}

std::string sortKey(QStringView text)
{
    std::string key;
    appendSortKey(text, key);
    return key;
}

}  // namespace jet::GeneralSortOrder
