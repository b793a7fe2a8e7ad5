#pragma once
// The header line of a `Produit` table in the catalogue writer's text format: the four
// fields the program reads, in their stored order. The engine's tests and the window's
// tests write their catalogues from it.

#include <QString>

namespace FicheTest {

// With the quantity and the sale price of the kinds given (TEXT(n), INT, LONG, DOUBLE,
// MONEY); no line break after it.
inline QString productColumns(const QString &quantityType = QStringLiteral("LONG"),
                              const QString &priceType = QStringLiteral("MONEY"))
{
    return QStringLiteral("ref:TEXT(20)\tdesi:TEXT(60)\tqté:%1\tprixvente:%2").arg(quantityType, priceType);
}

// The usual table: a whole quantity, a money price.
inline const QString ProductColumns = productColumns();

}  // namespace FicheTest
