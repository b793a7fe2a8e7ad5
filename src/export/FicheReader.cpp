#include "FicheReader.h"

#include "ByteLines.h"
#include "CounterCheck.h"
#include "Crc32.h"
#include "FicheFormat.h"
#include "LineTotalRecount.h"
#include "NumberRules.h"
#include "SettingsConversion.h"
#include "SheetColumns.h"
#include "Utf8Field.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

using namespace FicheFormat;

// A record of the file: its kind, its fields (decoded, escapes replaced) and its line.
// The check is verified before anything of the record is used.
class RecordReader {
public:
    explicit RecordReader(QIODevice &file) : m_lines(file) {}

    // False at the end of the file (refusal() then empty) or when the file is refused.
    bool next();

    QByteArrayView kind() const { return m_parts[0]; }
    int fieldCount() const { return m_partCount - 2; }  // the kind and the check apart
    // The field `i` (from 0, after the kind) decoded into `into`; false with the reason set
    // for a field that is no UTF-8 or holds an unknown escape.
    bool decode(int i, QString &into);
    bool isRecord(const char *kind, int fields) const { return this->kind() == kind && fieldCount() == fields; }

    qint64 lineNumber() const { return m_lines.lineNumber(); }
    const QString &refusal() const { return m_refusal; }
    // The refusal is about the whole file (too large, unreadable), not a line.
    bool refusesWholeFile() const { return m_wholeFile; }
    void refuse(const QString &reason) { m_refusal = reason; }
    int thousandthsRead() const { return m_lines.thousandthsRead(); }

private:
    bool split(QByteArrayView line);
    bool verifyCheck(QByteArrayView line);

    ByteLines m_lines;
    Crc32 m_crc;
    Utf8Field m_utf8;
    // The kind, up to SheetColumnCount fields, the check; one more tells a record too long.
    std::array<QByteArrayView, SheetColumnCount + 3> m_parts;
    int m_partCount = 0;
    QString m_refusal;
    bool m_wholeFile = false;
};

bool RecordReader::next()
{
    const std::optional<QByteArrayView> line = m_lines.next();
    if (!line) {
        m_refusal = m_lines.failure();
        m_wholeFile = !m_refusal.isEmpty();
        return false;
    }
    if (!m_lines.endedWithLineFeed()) {
        m_refusal = QStringLiteral("le fichier s'arrête au milieu de cette ligne : il a été coupé");
        return false;
    }
    return split(*line) && verifyCheck(*line);
}

bool RecordReader::split(QByteArrayView line)
{
    m_partCount = 0;
    qsizetype start = 0;
    for (;;) {
        if (m_partCount == int(m_parts.size())) {
            m_refusal = QStringLiteral("la ligne a plus de champs qu'aucun enregistrement d'une fiche");
            return false;
        }
        const auto *tab =
            static_cast<const char *>(std::memchr(line.data() + start, '\t', std::size_t(line.size() - start)));
        const qsizetype end = tab ? tab - line.data() : line.size();
        m_parts[std::size_t(m_partCount++)] = line.sliced(start, end - start);
        if (!tab)
            break;
        start = end + 1;
    }
    if (m_partCount < 2) {
        m_refusal = QStringLiteral("la ligne n'a pas de somme de contrôle : ce n'est pas une ligne de fiche");
        return false;
    }
    return true;
}

bool RecordReader::verifyCheck(QByteArrayView line)
{
    const QByteArrayView check = m_parts[std::size_t(m_partCount - 1)];
    m_crc.add(line.first(line.size() - check.size()));
    const QByteArray expected = checkText(m_crc.value());
    m_crc.add(check);
    m_crc.add("\n");
    if (check != expected) {
        m_refusal = QStringLiteral("la ligne ne correspond pas à sa somme de contrôle : le fichier a été "
                                   "modifié ou abîmé depuis son enregistrement");
        return false;
    }
    return true;
}

bool RecordReader::decode(int i, QString &into)
{
    QString reason;
    if (!m_utf8.decode(m_parts[std::size_t(i) + 1], into, reason) || !unescape(into, reason)) {
        m_refusal = reason;
        return false;
    }
    return true;
}

// The regional settings the file's numbers were written under, when they are settings the
// number readers can work with: a decimal separator, separators that differ, none a digit
// or a sign of the number's own, and short.
bool validSettings(const RegionalSettings &rs)
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

SheetReading refusal(const RecordReader &in)
{
    if (in.refusesWholeFile())
        return refused(in.refusal());
    return refusedAt(in.lineNumber() + (in.refusal().isEmpty() ? 1 : 0),
                     in.refusal().isEmpty()
                         ? QStringLiteral("le fichier s'arrête avant sa ligne « fin » : il a été coupé")
                         : in.refusal());
}

SheetReading unexpected(const RecordReader &in, const QString &expected)
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
std::optional<SheetReading> readHead(RecordReader &in, RegionalSettings &written, CounterCaptions &counters)
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
    if (!validSettings(written))
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
std::optional<SheetReading> readEnd(RecordReader &in, int lines)
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

    RecordReader in(file);
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
