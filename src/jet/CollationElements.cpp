#include "CollationElements.h"

#include "EngineErrors.h"
#include "FrenchCollator.h"

#include <memory>
#include <unicode/ucol.h>
#include <unicode/ucoleitr.h>

namespace jet::CollationElements {

namespace {

struct ElementsClose {
    void operator()(UCollationElements *elements) const { ucol_closeElements(elements); }
};

RuntimeError collatorFailure()
{
    return errors::notSupported(QStringLiteral("l'ordre de tri français est indisponible (ICU)"));
}

}  // namespace

void forEach(QStringView text, const std::function<void(std::uint32_t)> &value)
{
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<UCollationElements, ElementsClose> elements(ucol_openElements(
        generalSortCollator(), reinterpret_cast<const UChar *>(text.utf16()), int32_t(text.size()), &status));
    if (U_FAILURE(status))
        throw collatorFailure();
    for (;;) {
        const std::int32_t next = ucol_next(elements.get(), &status);
        if (U_FAILURE(status))
            throw collatorFailure();
        if (next == UCOL_NULLORDER)
            return;
        value(std::uint32_t(next));
    }
}

}  // namespace jet::CollationElements
