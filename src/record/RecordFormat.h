#pragma once
// The recovery record of a window's sheet: the checked records of the .fiche file
// (FicheFormat.h: UTF-8, tab-separated, escaped, each record ending with the CRC-32 of the
// whole file before it), appended as the sheet changes, never rewritten:
//
//   releve-fiche-produit 1                       the format and its version
//   debut    <ms> <nbr> <totaux>                 the sheet the record starts from: when,
//                                                and the counters' captions
//   nombres  <decimal> <group> <minus>           when the sheet starts with listed lines:
//   produit  <kind> <value> × 4                  the settings their texts are figured under,
//                                                one record per line with its product's four
//                                                values (reference, designation, quantity,
//                                                price)
//   produits <count>                             their number (0 without listed lines): the
//                                                sheet the record starts from is whole
//   then each change as the steps it took, closed by its own record:
//   prend    <line>                              a listed line takes texts of its own
//   cellule  <slot> <column> <text>              a cell of an own line gets a new text
//   ajout    <six cells>                         a new last line
//   echange  <line> <line>                       two lines change places
//   reprix                                       the listed lines priced by recalculation
//   coupe    <lines>                             only the first lines stay ("Nouveau")
//   remplace <lines>, then <lines> × ligne <six cells>   the sheet replaced by those lines
//   modif    <kind> <nbr> <totaux> <ms>          the change is whole: what it was, the
//                                                captions after it, when
//   annule <ms> / retablit <ms>                  the last change undone, the last undone redone
//
// <ms> is a time in milliseconds since 1970 (UTC). The products are the catalogue's values,
// typed, so that reading the record lists the very texts the window showed, whatever the
// catalogue holds by then. A value is two fields: its kind ("v" empty, "n" null, "i" 16-bit
// and "l" 32-bit integer, "d" a double as its 16 hexadecimal bits, "c" money in
// ten-thousandths, "t" text) and its text.

#include "MixedValue.h"
#include "SheetHistory.h"

#include <QByteArrayView>
#include <QString>
#include <optional>

namespace RecordFormat {

inline constexpr char Signature[] = "releve-fiche-produit";
inline constexpr char Version[] = "1";
inline constexpr char Start[] = "debut";
inline constexpr char Settings[] = "nombres";
inline constexpr char Product[] = "produit";
inline constexpr char Products[] = "produits";
inline constexpr char TakeOwn[] = "prend";
inline constexpr char SetCell[] = "cellule";
inline constexpr char Append[] = "ajout";
inline constexpr char Exchange[] = "echange";
inline constexpr char Reprice[] = "reprix";
inline constexpr char Truncate[] = "coupe";
inline constexpr char Replace[] = "remplace";
inline constexpr char Line[] = "ligne";
inline constexpr char Change[] = "modif";
inline constexpr char Undo[] = "annule";
inline constexpr char Redo[] = "retablit";

// The most fields a record has besides its kind and check: a product's four values.
inline constexpr int MaxFields = 8;

struct ValueFields {
    QString kind;
    QString text;
};
ValueFields valueFields(const MixedValue &value);
// Nothing for fields that are no value of the list.
std::optional<MixedValue> valueOf(const QString &kind, const QString &text);

QString kindName(ChangeKind kind);
std::optional<ChangeKind> kindOf(const QString &name);

}  // namespace RecordFormat
