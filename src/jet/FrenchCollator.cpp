#include "FrenchCollator.h"

#include "EngineErrors.h"

#include <memory>
#include <unicode/ucol.h>

namespace jet {

namespace {

struct CollatorClose {
    void operator()(UCollator *collator) const { ucol_close(collator); }
};

}  // namespace

const UCollator *frenchCollator()
{
    static const std::unique_ptr<UCollator, CollatorClose> french = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<UCollator, CollatorClose> opened(ucol_open("fr_FR", &status));
        if (U_FAILURE(status) || !opened)
            return std::unique_ptr<UCollator, CollatorClose>();
        // Secondary strength: base letters and accents count, case does not.
        ucol_setStrength(opened.get(), UCOL_SECONDARY);
        // French's own settings, stated because the equality hash (EqualityHash.cpp) relies on
        // them: spaces and signs count as much as letters, digits compare one by one.
        ucol_setAttribute(opened.get(), UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE, &status);
        ucol_setAttribute(opened.get(), UCOL_NUMERIC_COLLATION, UCOL_OFF, &status);
        if (U_FAILURE(status))
            return std::unique_ptr<UCollator, CollatorClose>();
        return opened;
    }();
    if (!french)
        throw errors::notSupported(QStringLiteral("l'ordre de tri français est indisponible (ICU)"));
    return french.get();
}

}  // namespace jet
