#include "SheetRecordReader.h"

#include "CheckedRecords.h"
#include "ErrorMode.h"
#include "FicheReader.h"
#include "OpenedSheet.h"
#include "RecordFormat.h"
#include "RecordedProducts.h"
#include "SheetColumns.h"
#include "SheetHistory.h"
#include "SheetModel.h"

#include <array>
#include <optional>

using namespace RecordFormat;

namespace {

class RecordReplay {
public:
    explicit RecordReplay(QIODevice &file) : m_in(file, MaxFields) {}

    RecordReading read();

private:
    // Each false when the reading is to stop there, with the reason in m_stop.
    bool readStart();
    bool readProducts();
    bool readChanges();
    bool readStep();
    bool readLines(int lines, SheetState &into);
    bool closeChange();
    bool undoOrRedo(bool undo);

    bool expect(const char *kind, int fields, const QString &missing);
    bool endOrStop();
    bool stop(const QString &reason);
    std::optional<QString> field(int i);
    std::optional<int> number(int i);
    std::optional<QDateTime> time(int i);

    CheckedRecords m_in;
    SheetModel m_sheet{QList<ColumnSpec>(SheetColumnCount)};
    CounterCaptions m_shown;
    std::optional<SheetHistory> m_history;
    std::vector<SheetStepValue> m_pending;  // the steps of a change not yet closed
    QDateTime m_lastChange;
    QString m_stop;
};

RecordReading RecordReplay::read()
{
    RecordReading reading;
    if (!readStart() || !readProducts()) {
        reading.stop = m_stop;
        return reading;
    }
    m_history.emplace(m_sheet, [this] { return m_shown; });
    readChanges();
    reading.captions = m_shown;
    reading.lineCount = m_sheet.lineCount();
    reading.lastChange = m_lastChange;
    reading.stop = m_stop;
    m_history.reset();
    reading.sheet = m_sheet.releaseState();
    return reading;
}

bool RecordReplay::stop(const QString &reason)
{
    m_stop = QStringLiteral("ligne %1 : %2").arg(m_in.lineNumber()).arg(reason);
    return false;
}

std::optional<QString> RecordReplay::field(int i)
{
    QString text;
    if (!m_in.decode(i, text)) {
        stop(m_in.refusal());
        return std::nullopt;
    }
    return text;
}

std::optional<int> RecordReplay::number(int i)
{
    const std::optional<QString> text = field(i);
    if (!text)
        return std::nullopt;
    bool ok = false;
    const int value = text->toInt(&ok);
    if (!ok || value < 0) {
        stop(QStringLiteral("« %1 » n'est pas un nombre de lignes").arg(text->left(20)));
        return std::nullopt;
    }
    return value;
}

std::optional<QDateTime> RecordReplay::time(int i)
{
    const std::optional<QString> text = field(i);
    if (!text)
        return std::nullopt;
    bool ok = false;
    const qint64 ms = text->toLongLong(&ok);
    if (!ok) {
        stop(QStringLiteral("« %1 » n'est pas une heure").arg(text->left(20)));
        return std::nullopt;
    }
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
}

bool RecordReplay::expect(const char *kind, int fields, const QString &missing)
{
    if (!m_in.next())
        return stop(m_in.refusal().isEmpty() ? missing : m_in.refusal());
    return m_in.isRecord(kind, fields) || stop(missing);
}

bool RecordReplay::readStart()
{
    if (!expect(Signature, 1, QStringLiteral("ce fichier n'est pas un relevé de fiche")))
        return false;
    const std::optional<QString> version = field(0);
    if (!version)
        return false;
    if (*version != QLatin1String(Version))
        return stop(QStringLiteral("ce relevé est au format « %1 », que cette version du programme ne lit pas")
                        .arg(version->left(20)));
    if (!expect(Start, 3, QStringLiteral("le relevé a été coupé avant son début")))
        return false;
    const std::optional<QString> lineCount = field(1);
    const std::optional<QString> grandTotal = field(2);
    if (!lineCount || !grandTotal || !time(0))
        return false;
    m_shown = {*lineCount, *grandTotal};
    return true;
}

bool RecordReplay::readProducts()
{
    const QString cut = QStringLiteral("le relevé a été coupé avant la fin de la fiche dont il part");
    if (!m_in.next())
        return stop(m_in.refusal().isEmpty() ? cut : m_in.refusal());
    std::optional<RegionalSettings> rs;
    std::vector<ProductValues> products;
    if (m_in.isRecord(Settings, 3)) {
        std::optional<QString> separators[3] = {field(0), field(1), field(2)};
        if (!separators[0] || !separators[1] || !separators[2])
            return false;
        rs = RegionalSettings{*separators[0], *separators[1], *separators[2]};
        if (!usableNumberSettings(*rs))
            return stop(QStringLiteral("les séparateurs des nombres ne sont pas utilisables"));
        std::array<QString, MaxFields> fields;
        while (m_in.next() && m_in.isRecord(Product, MaxFields)) {
            if (products.size() == std::size_t(MaxSheetLines))
                return stop(QStringLiteral("le relevé a plus de %L1 produits").arg(MaxSheetLines));
            for (int i = 0; i < MaxFields; ++i) {
                std::optional<QString> text = field(i);
                if (!text)
                    return false;
                fields[std::size_t(i)] = std::move(*text);
            }
            std::array<MixedValue, 4> values;
            for (std::size_t value = 0; value < values.size(); ++value) {
                const std::optional<MixedValue> read = valueOf(fields[2 * value], fields[2 * value + 1]);
                if (!read)
                    return stop(QStringLiteral("une valeur de produit est illisible"));
                values[value] = *read;
            }
            products.push_back({values[0], values[1], values[2], values[3]});
        }
        if (!m_in.refusal().isEmpty())
            return stop(m_in.refusal());
    }
    if (!m_in.isRecord(Products, 1))
        return stop(cut);
    const std::optional<int> count = number(0);
    if (!count)
        return false;
    if (std::size_t(*count) != products.size())
        return stop(QStringLiteral("le relevé annonce %1 produits et en a %2").arg(*count).arg(products.size()));
    if (!rs)
        return true;  // a sheet without listed lines
    ListingCounters counters(*rs);
    // A product the listing's rules cannot list leaves the record unread.
    const bool listed =
        unlessItFails([&] {
            m_sheet.appendListed(std::make_shared<RecordedProducts>(std::move(products)), *rs, counters);
            return true;
        }).value_or(false);
    if (!listed || m_sheet.lineCount() != *count) {
        m_sheet.releaseState();
        return stop(QStringLiteral("un produit du relevé ne se liste pas"));
    }
    return true;
}

bool RecordReplay::endOrStop()
{
    return m_in.refusal().isEmpty() || stop(m_in.refusal());
}

bool RecordReplay::readChanges()
{
    for (;;) {
        if (!m_in.next())
            return endOrStop();
        bool read = false;
        if (m_in.isRecord(Change, 4))
            read = closeChange();
        else if (m_in.isRecord(Undo, 1) || m_in.isRecord(Redo, 1))
            read = undoOrRedo(m_in.kind() == Undo);
        else
            read = readStep();
        if (!read)
            return m_stop.isEmpty() ? stop(QStringLiteral("cet enregistrement n'a pas sa place ici")) : false;
    }
}

bool RecordReplay::readStep()
{
    if (m_in.isRecord(TakeOwn, 1)) {
        const std::optional<int> line = number(0);
        return line && (m_pending.push_back(SheetStep::TakeOwn{*line, 0}), true);
    }
    if (m_in.isRecord(SetCell, 3)) {
        const std::optional<int> slot = number(0);
        const std::optional<int> column = number(1);
        std::optional<QString> text = field(2);
        if (!slot || !column || !text)
            return false;
        m_pending.push_back(SheetStep::SetOwnCell{std::uint32_t(*slot), *column, {}, std::move(*text)});
        return true;
    }
    if (m_in.isRecord(Append, SheetColumnCount)) {
        QStringList cells;
        for (int column = 0; column < SheetColumnCount; ++column) {
            std::optional<QString> text = field(column);
            if (!text)
                return false;
            cells.append(std::move(*text));
        }
        m_pending.push_back(SheetStep::AppendOwn{std::move(cells)});
        return true;
    }
    if (m_in.isRecord(Exchange, 2)) {
        const std::optional<int> first = number(0);
        const std::optional<int> second = number(1);
        return first && second && (m_pending.push_back(SheetStep::Exchange{*first, *second}), true);
    }
    if (m_in.isRecord(Reprice, 0))
        return m_pending.push_back(SheetStep::Reprice{}), true;
    if (m_in.isRecord(Truncate, 1)) {
        const std::optional<int> lines = number(0);
        return lines && (m_pending.push_back(SheetStep::Truncate{*lines, nullptr}), true);
    }
    if (m_in.isRecord(Replace, 1)) {
        const std::optional<int> lines = number(0);
        if (!lines)
            return false;
        if (*lines > MaxSheetLines)
            return stop(QStringLiteral("le relevé annonce plus de %L1 lignes").arg(MaxSheetLines));
        auto state = std::make_unique<SheetState>(SheetColumnCount);
        if (!readLines(*lines, *state))
            return false;
        m_pending.push_back(SheetStep::Replace{std::move(state)});
        return true;
    }
    return false;
}

bool RecordReplay::readLines(int lines, SheetState &into)
{
    std::array<QString, SheetColumnCount> texts;
    QList<QStringView> cells(SheetColumnCount);
    for (int line = 0; line < lines; ++line) {
        if (!expect(Line, SheetColumnCount, QStringLiteral("une ligne de la fiche remplacée manque")))
            return false;
        for (int column = 0; column < SheetColumnCount; ++column) {
            std::optional<QString> text = field(column);
            if (!text)
                return false;
            texts[std::size_t(column)] = std::move(*text);
            cells[column] = texts[std::size_t(column)];
        }
        into.lines.push_back(SheetState::OwnLine | into.own.addCells(cells));
    }
    return true;
}

bool RecordReplay::closeChange()
{
    const std::optional<QString> kindName = field(0);
    std::optional<QString> lineCount = field(1);
    std::optional<QString> grandTotal = field(2);
    const std::optional<QDateTime> when = time(3);
    if (!kindName || !lineCount || !grandTotal || !when)
        return false;
    const std::optional<ChangeKind> kind = kindOf(*kindName);
    if (!kind)
        return stop(QStringLiteral("« %1 » n'est pas une sorte de modification").arg(kindName->left(20)));
    const CounterCaptions before = m_shown;
    m_shown = {std::move(*lineCount), std::move(*grandTotal)};
    for (std::size_t taken = 0; taken < m_pending.size(); ++taken) {
        if (!m_sheet.takeRecorded(std::move(m_pending[taken]))) {
            // The change goes whole or not at all: the steps taken are taken back.
            if (taken > 0) {
                m_history->close(*kind);
                m_history->undo();
            }
            m_shown = before;
            m_pending.clear();
            return stop(QStringLiteral("une modification ne correspond pas à la fiche"));
        }
    }
    m_pending.clear();
    m_history->close(*kind);
    m_lastChange = *when;
    return true;
}

bool RecordReplay::undoOrRedo(bool undo)
{
    const std::optional<QDateTime> when = time(0);
    if (!when || !m_pending.empty())
        return false;
    const std::optional<CounterCaptions> shown = undo ? m_history->undo() : m_history->redo();
    if (!shown)
        return stop(undo ? QStringLiteral("rien n'était à annuler") : QStringLiteral("rien n'était à rétablir"));
    m_shown = *shown;
    m_lastChange = *when;
    return true;
}

}  // namespace

RecordReading readSheetRecord(QIODevice &file)
{
    return RecordReplay(file).read();
}

SheetContents contentsOf(RecordReading reading)
{
    SheetContents contents;
    contents.counters = reading.captions;
    if (!reading.sheet)
        return contents;
    SheetModel sheet{QList<ColumnSpec>(SheetColumnCount)};
    sheet.replace(std::move(reading.sheet));
    for (int line = 0; line < sheet.lineCount(); ++line) {
        for (int column = 0; column < SheetColumnCount; ++column)
            contents.appendCell(sheet.text(line, column));
    }
    return contents;
}
