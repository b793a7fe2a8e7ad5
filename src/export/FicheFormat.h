#pragma once
// The .fiche file: a sheet saved whole, to be opened again as it was. UTF-8 text, one
// record per line ended by a line feed, the fields of a record separated by tabs:
//
//   fiche-produit  1                                   the format and its version
//   nombres        <decimal> <group> <minus>           the regional settings the texts
//                                                      were written under
//   compteurs      <line count> <grand total>          the captions of nbr and totaux
//   ligne          <six cells, in the grid's order>    one record per line of the sheet
//   fin            <number of ligne records>           the end: a file without it was cut
//
// The first field names the record; the last one of every record is its check: the CRC-32
// (Crc32.h) of every byte of the file before it, from the file's first byte up to the tab
// in front of the check, in eight lower-case hexadecimal digits. A byte changed anywhere is
// caught at the record that holds it, and a record lost or moved at the first one after it.
//
// Inside a field, four characters are written as escapes so that any text a cell can hold
// keeps its place: "\\" a backslash, "\t" a tab, "\n" a line feed, "\r" a carriage return;
// and "\uD800" to "\uDFFF" (four upper-case digits) a UTF-16 code unit that is half of a
// character without its other half, which UTF-8 cannot carry. Nothing else is escaped.
// README.md ("Le fichier .fiche") describes the same for the people and scripts that read it.

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <cstdint>

namespace FicheFormat {

inline constexpr char Signature[] = "fiche-produit";
inline constexpr char Version[] = "1";
inline constexpr char Settings[] = "nombres";
inline constexpr char Counters[] = "compteurs";
inline constexpr char Line[] = "ligne";
inline constexpr char End[] = "fin";

inline constexpr int CheckDigits = 8;

// A record's check as the file writes it: eight lower-case hexadecimal digits.
QByteArray checkText(std::uint32_t crc);

// Appends `text` with its escapes.
void appendEscaped(QString &out, QStringView text);

// Replaces the escapes of `text` (as decoded from the file) by the characters they stand
// for, in place. False, with the reason in French, for a backslash that starts no escape
// of the list or a carriage return left bare.
bool unescape(QString &text, QString &reason);

}  // namespace FicheFormat
