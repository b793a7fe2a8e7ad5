#include "SheetRecord.h"

#include "RecordFormat.h"
#include "SheetColumns.h"

#include <QDateTime>
#include <algorithm>

using namespace RecordFormat;

SheetRecord::SheetRecord(QFileDevice &file, const SheetModel &sheet, const CounterCaptions &captions) : m_file(file)
{
    m_chunk.add(Signature, {QString::fromLatin1(Version)});
    m_chunk.add(Start, {now(), captions.lineCount, captions.grandTotal});
    const SheetLines &lines = sheet.lines();
    if (const ListedLines *listed = lines.listed(); listed && lines.ownCount() == 0) {
        // The sheet as the listing made it: its lines are the first products, in order.
        const RegionalSettings &rs = listed->settings();
        m_chunk.add(Settings, {rs.decimalSeparator, rs.groupSeparator, rs.minusSign});
        m_products = listed->sharedProducts();
        m_productCount = std::uint32_t(lines.count());
    } else {
        m_chunk.add(Products, {QStringLiteral("0")});
    }
    if (!m_products && lines.count() > 0) {
        // Lines of their own from the start: written whole, as a sheet opened.
        m_chunk.add(Replace, {QString::number(sheet.lineCount())});
        addLines(sheet);
        m_chunk.add(Change, {kindName(ChangeKind::Opened), captions.lineCount, captions.grandTotal, now()});
    }
    write();
}

QString SheetRecord::now() const
{
    return QString::number(QDateTime::currentMSecsSinceEpoch());
}

bool SheetRecord::writeProducts(std::uint32_t count)
{
    if (!m_products)
        return true;
    const std::uint32_t end = m_productsWritten + std::min(count, m_productCount - m_productsWritten);
    for (; m_productsWritten < end; ++m_productsWritten) {
        const ProductValues product = m_products->product(m_productsWritten);
        m_chunk.startRecord(Product);
        for (const MixedValue *value : {&product.reference, &product.designation, &product.quantity, &product.price}) {
            const ValueFields fields = valueFields(*value);
            m_chunk.addField(fields.kind);
            m_chunk.addField(fields.text);
        }
        m_chunk.endRecord();
    }
    if (m_productsWritten == m_productCount) {
        m_chunk.add(Products, {QString::number(m_productCount)});
        m_products.reset();
    }
    write();
    return !m_products;
}

void SheetRecord::addLines(const SheetModel &sheet)
{
    for (int line = 0; line < sheet.lineCount(); ++line) {
        m_chunk.startRecord(Line);
        for (int column = 0; column < SheetColumnCount; ++column)
            m_chunk.addField(sheet.text(line, column));
        m_chunk.endRecord();
    }
}

void SheetRecord::stepTaken(const SheetStepValue &step, const SheetModel &sheet)
{
    if (m_failed)
        return;
    // The products first: the steps are read back over them.
    writeProducts(m_productCount);
    std::visit(
        [&](const auto &taken) {
            using Step = std::decay_t<decltype(taken)>;
            if constexpr (std::is_same_v<Step, SheetStep::TakeOwn>) {
                m_chunk.add(TakeOwn, {QString::number(taken.line)});
            } else if constexpr (std::is_same_v<Step, SheetStep::SetOwnCell>) {
                m_chunk.add(SetCell, {QString::number(taken.slot), QString::number(taken.column), taken.after});
            } else if constexpr (std::is_same_v<Step, SheetStep::AppendOwn>) {
                m_chunk.startRecord(Append);
                for (const QString &cell : taken.cells)
                    m_chunk.addField(cell);
                m_chunk.endRecord();
            } else if constexpr (std::is_same_v<Step, SheetStep::Exchange>) {
                m_chunk.add(Exchange, {QString::number(taken.first), QString::number(taken.second)});
            } else if constexpr (std::is_same_v<Step, SheetStep::Reprice>) {
                m_chunk.add(Reprice, {});
            } else if constexpr (std::is_same_v<Step, SheetStep::Truncate>) {
                m_chunk.add(Truncate, {QString::number(taken.lines)});
            } else {
                m_chunk.add(Replace, {QString::number(sheet.lineCount())});
                addLines(sheet);
            }
        },
        step);
}

void SheetRecord::changed(const SheetChange &change)
{
    m_chunk.add(Change, {kindName(change.kind), change.after.lineCount, change.after.grandTotal, now()});
    m_changes = true;
    write();
}

void SheetRecord::undone(const SheetChange &)
{
    m_chunk.add(Undo, {now()});
    write();
}

void SheetRecord::redone(const SheetChange &)
{
    m_chunk.add(Redo, {now()});
    write();
}

bool SheetRecord::write()
{
    if (!m_failed && !m_chunk.bytes().isEmpty())
        m_failed = m_file.write(m_chunk.bytes()) != m_chunk.bytes().size();
    m_chunk.clear();
    return !m_failed;
}
