#include "TextFinder.h"

#include "RuntimeError.h"

#include <unicode/ucol.h>
#include <unicode/usearch.h>

namespace {

const UChar *utf16(QStringView text)
{
    return reinterpret_cast<const UChar *>(text.utf16());
}

RuntimeError searchFailure(UErrorCode status)
{
    return RuntimeError::internal(
        QStringLiteral("La recherche est indisponible : les règles du français manquent à ICU (%1).")
            .arg(QString::fromLatin1(u_errorName(status))));
}

struct CollatorClose {
    void operator()(UCollator *collator) const { ucol_close(collator); }
};
using OwnedCollator = std::unique_ptr<UCollator, CollatorClose>;

// French at primary strength: base letters alone, "œ" weighing as "oe", as the listing
// sorts them. Opened once and kept for the run; searches only read it.
const UCollator *frenchPrimary()
{
    static const OwnedCollator collator = [] {
        UErrorCode status = U_ZERO_ERROR;
        OwnedCollator opened(ucol_open("fr_FR", &status));
        if (U_FAILURE(status) || !opened)
            throw searchFailure(status);
        ucol_setStrength(opened.get(), UCOL_PRIMARY);
        return opened;
    }();
    return collator.get();
}

// ICU refuses to open a search without a text: a blank stands in until the first one.
constexpr char16_t Placeholder[] = u" ";

}  // namespace

struct TextFinder::Search {
    struct Close {
        void operator()(UStringSearch *search) const { usearch_close(search); }
    };
    std::unique_ptr<UStringSearch, Close> handle;
};

TextFinder::TextFinder(QStringView pattern) : m_pattern(pattern.toString()), m_search(std::make_unique<Search>())
{
    UErrorCode status = U_ZERO_ERROR;
    m_search->handle.reset(usearch_openFromCollator(utf16(m_pattern), int32_t(m_pattern.size()),
                                                    reinterpret_cast<const UChar *>(Placeholder), 1, frenchPrimary(),
                                                    nullptr, &status));
    if (U_FAILURE(status))
        throw searchFailure(status);
}

TextFinder::~TextFinder() = default;

bool TextFinder::isFoundIn(QStringView text)
{
    if (text.isEmpty())
        return false;
    UErrorCode status = U_ZERO_ERROR;
    usearch_setText(m_search->handle.get(), utf16(text), int32_t(text.size()), &status);
    const int32_t found = usearch_first(m_search->handle.get(), &status);
    if (U_FAILURE(status))
        throw searchFailure(status);
    return found != USEARCH_DONE;
}
