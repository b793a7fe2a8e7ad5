#include "FrenchCollator.h"

#include "EngineErrors.h"

#include <memory>

namespace jet {

namespace {

struct CollatorClose {
    void operator()(UCollator *collator) const { ucol_close(collator); }
};
using OwnedCollator = std::unique_ptr<UCollator, CollatorClose>;

OwnedCollator openFrench(UColAttributeValue strength)
{
    UErrorCode status = U_ZERO_ERROR;
    OwnedCollator opened(ucol_open("fr_FR", &status));
    if (U_FAILURE(status) || !opened)
        return {};
    ucol_setStrength(opened.get(), strength);
    // French's own settings, stated because the equality hash (EqualityHash.cpp) relies on
    // them: spaces and signs count as much as letters, digits compare one by one.
    ucol_setAttribute(opened.get(), UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE, &status);
    ucol_setAttribute(opened.get(), UCOL_NUMERIC_COLLATION, UCOL_OFF, &status);
    if (U_FAILURE(status))
        return {};
    return opened;
}

const UCollator *opened(const OwnedCollator &collator)
{
    if (!collator)
        throw errors::notSupported(QStringLiteral("l'ordre de tri français est indisponible (ICU)"));
    return collator.get();
}

}  // namespace

const UCollator *generalSortCollator()
{
    // Secondary strength: base letters and accents count, case does not.
    static const OwnedCollator secondary = openFrench(UCOL_SECONDARY);
    return opened(secondary);
}

}  // namespace jet
