#include "FicheReader.h"

#include "ByteLines.h"
#include "CheckedRecords.h"
#include "CounterCheck.h"
#include "FicheFormat.h"
#include "LineTotalRecount.h"
#include "NumberRules.h"
#include "SettingsConversion.h"
#include "SheetColumns.h"

#include <algorithm>
#include <array>

namespace {

using namespace FicheFormat;

SheetReading refusal(const CheckedRecords &in)
{
    if (in.refusesWholeFile())
        return refused(in.refusal());
    return refusedAt(in.lineNumber() + (in.refusal().isEmpty() ? 1 : 0),
                     in.refusal().isEmpty()
                         ? QStringLiteral("le fichier s'arrête avant sa ligne « fin » : il a été coupé")
                         : in.refusal());
}

SheetReading unexpected(const CheckedRecords &in, const QString &expected)
{
    return refusedAt(in.lineNumber(),
                     QStringLiteral("%1 était attendu ici, pas « %2 » suivi de %3 champs")
                         .arg(expected, QString::fromUtf8(in.kind().first(std::min<qsizetype>(in.kind().size(), 40))))
                         .arg(in.fieldCount()));
}

// The version field of a file's first bytes, which looksLikeFiche() took: what stands
// between the signature's tab and the next tab or line break.
QByteArrayView versionField(QByteArrayView start)
{
    const QByteArrayView rest = start.sliced(QByteArrayView(Signature).size() + 1);
    qsizetype end = 0;
    while (end < rest.size() && rest[end] != '\t' && rest[end] != '\n')
        ++end;
    return rest.first(end);
}

// The records before the lines: the format, the settings the numbers were written
// under, the counters. Nothing when they are all as they should be.
std::optional<SheetReading> readHead(CheckedRecords &in, RegionalSettings &written, CounterCaptions &counters)
{
    if (!in.next())
        return refusal(in);
    if (!in.isRecord(Signature, 1))
        return refusedAt(1, QStringLiteral("ce fichier n'est pas une fiche"));

    if (!in.next())
        return refusal(in);
    if (!in.isRecord(Settings, 3))
        return unexpected(in, QStringLiteral("l'enregistrement « nombres » (trois séparateurs)"));
    if (!in.decode(0, written.decimalSeparator) || !in.decode(1, written.groupSeparator) ||
        !in.decode(2, written.minusSign))
        return refusal(in);
    if (!usableNumberSettings(written))
        return refusedAt(in.lineNumber(), QStringLiteral("les séparateurs des nombres ne sont pas utilisables"));

    if (!in.next())
        return refusal(in);
    if (!in.isRecord(Counters, 2))
        return unexpected(in, QStringLiteral("l'enregistrement « compteurs » (deux légendes)"));
    if (!in.decode(0, counters.lineCount) || !in.decode(1, counters.grandTotal))
        return refusal(in);
    return std::nullopt;
}

// The record after the lines, which must be the end, with their number, and the last.
std::optional<SheetReading> readEnd(CheckedRecords &in, int lines)
{
    if (!in.isRecord(End, 1))
        return unexpected(in, QStringLiteral("une ligne de la fiche (« ligne » et six cellules) ou la ligne « fin »"));
    QString count;
    if (!in.decode(0, count))
        return refusal(in);
    if (count != QString::number(lines))
        return refusedAt(in.lineNumber(),
                         QStringLiteral("la fiche annonce %1 lignes, le fichier en a %2").arg(count).arg(lines));
    if (in.next())
        return refusedAt(in.lineNumber(), QStringLiteral("des données suivent la ligne « fin »"));
    if (!in.refusal().isEmpty())
        return refusal(in);
    return std::nullopt;
}

}  // namespace

// The regional settings the file's numbers were written under, when they are settings the
// number readers can work with: a decimal separator, separators that differ, none a digit
// or a sign of the number's own, and short.
bool usableNumberSettings(const RegionalSettings &rs)
{
    const auto usable = [](const QString &separator) {
        constexpr int Longest = 4;
        if (separator.size() > Longest)
            return false;
        for (const QChar c : separator) {
            if (c.isDigit() || c == u'+' || c == u'e' || c == u'E')
                return false;
        }
        return true;
    };
    return !rs.decimalSeparator.isEmpty() && !rs.minusSign.isEmpty() && usable(rs.decimalSeparator) &&
           usable(rs.groupSeparator) && usable(rs.minusSign) && rs.decimalSeparator != rs.groupSeparator &&
           rs.decimalSeparator != rs.minusSign && rs.groupSeparator != rs.minusSign;
}

bool looksLikeFiche(QByteArrayView start)
{
    return start.startsWith(QByteArray(Signature) + '\t');
}

SheetReading readFiche(QIODevice &file, const RegionalSettings &user, const ExportProgress &progress)
{
    // The version is read before anything else: a later version may check its records
    // otherwise, and is to be told as such, not as a damaged file.
    const QByteArray start = file.peek(QByteArrayView(Signature).size() + 1 + 16);
    if (!looksLikeFiche(start))
        return refusedAt(1, QStringLiteral("ce fichier n'est pas une fiche"));
    const QByteArrayView version = versionField(start);
    if (version != Version)
        return refusedAt(1, QStringLiteral("cette fiche est au format « %1 », et cette version du programme ne lit "
                                           "que le format « %2 »")
                                .arg(QString::fromUtf8(version), QLatin1String(Version)));

    CheckedRecords in(file, SheetColumnCount);
    RegionalSettings written;
    SheetReading read;
    CounterCaptions &counters = read.sheet.counters;
    if (std::optional<SheetReading> refused = readHead(in, written, counters))
        return *std::move(refused);
    const qint64 countersLine = in.lineNumber();
    const bool convert = !sameNumberSettings(written, user);

    SheetContents &sheet = read.sheet;
    if (!file.isSequential())
        sheet.reserveText(file.size());
    CounterCheck check(written);
    std::array<QString, SheetColumnCount> cells;
    for (;;) {
        if (!in.next())
            return refusal(in);
        if (!in.isRecord(Line, SheetColumnCount))
            break;
        if (sheet.lineCount() == MaxSheetLines)
            return refusedAt(in.lineNumber(), QStringLiteral("la fiche a plus de %L1 lignes").arg(MaxSheetLines));
        for (int column = 0; column < SheetColumnCount; ++column) {
            if (!in.decode(column, cells[std::size_t(column)]))
                return refusal(in);
        }
        check.addLine(cells[SheetColumn::Discount], cells[SheetColumn::LineTotal]);
        for (int column = 0; column < SheetColumnCount; ++column) {
            const QString &cell = cells[std::size_t(column)];
            sheet.appendCell(convert && column >= SheetColumn::Quantity ? numberInSettings(cell, written, user) : cell);
        }
        if (sheet.lineCount() % ProgressStep == 0 && progress && !progress(in.thousandthsRead())) {
            read.kind = SheetReading::Cancelled;
            return read;
        }
    }
    if (std::optional<SheetReading> refused = readEnd(in, sheet.lineCount()))
        return *std::move(refused);

    if (const std::optional<QString> mismatch = check.mismatch(counters))
        return refusedAt(countersLine, *mismatch);
    if (convert && counters.grandTotal != QStringLiteral("0")) {
        if (const std::optional<Currency> total = lineTotalReadBack(counters.grandTotal, written))
            counters.grandTotal = FormatStandard(*total, user);
    }
    return read;
}
