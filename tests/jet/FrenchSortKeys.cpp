#include "FrenchSortKeys.h"

#include <unicode/ucol.h>

FrenchSortKeys::FrenchSortKeys()
{
    UErrorCode status = U_ZERO_ERROR;
    m_collator.reset(ucol_open("fr_FR", &status));
    ucol_setStrength(m_collator.get(), UCOL_SECONDARY);
}

FrenchSortKeys::~FrenchSortKeys() = default;

void FrenchSortKeys::Close::operator()(UCollator *collator) const
{
    ucol_close(collator);
}

QByteArray FrenchSortKeys::of(const QString &text) const
{
    const auto *chars = reinterpret_cast<const UChar *>(text.utf16());
    QByteArray key(64, '\0');
    int needed = 0;
    while ((needed = ucol_getSortKey(m_collator.get(), chars, int(text.size()), reinterpret_cast<uint8_t *>(key.data()),
                                     int(key.size()))) > key.size())
        key.resize(needed);
    key.truncate(needed);
    return key;
}
