#include "LineGrid.h"

#include "EventLoopEntries.h"
#include "RuntimeError.h"
#include "ShownSheetModel.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>

namespace {

RuntimeError subscriptOutOfRange()
{
    return RuntimeError(ErrorKind::Engine, 381, QStringLiteral("Indice hors limites"));
}

RuntimeError invalidPropertyValue()
{
    return RuntimeError(ErrorKind::Engine, 380, QStringLiteral("Valeur de propriété non valide"));
}

// Grid rows count the header row; model rows are the sheet's lines only.
int lineOfRow(std::int32_t row)
{
    return static_cast<int>(row) - 1;
}

}  // namespace

LineGrid::LineGrid(const QString &columnFormat, QWidget *parent)
    : QTableView(parent), m_model(new ShownSheetModel(parseColumnFormat(columnFormat), this))
{
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed |
                    QAbstractItemView::EditKeyPressed);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);  // Tab leaves the grid for the next control, as in every other field
    // Every line is one text line high and no row is ever sized to its contents, which is
    // what keeps a sheet of 100 000 lines quick to fill and to scroll.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->hide();
    horizontalHeader()->setHighlightSections(false);
    sizeColumnsToFormat();
}

LineGrid::~LineGrid() = default;

std::int32_t LineGrid::RowCount() const
{
    return m_model->lineCount() + 1;
}

void LineGrid::setRowCount(std::int32_t rows)
{
    if (rows < 1)
        throw invalidPropertyValue();
    m_model->resize(lineOfRow(rows));
}

std::int32_t LineGrid::ColumnCount() const
{
    return m_model->columnCount();
}

std::int32_t LineGrid::CurrentRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

void LineGrid::setCurrentRow(std::int32_t row)
{
    if (row < 0 || row >= RowCount())
        throw subscriptOutOfRange();
    if (row == 0) {
        setCurrentIndex({});
        return;
    }
    const int column = currentIndex().isValid() ? currentIndex().column() : 0;
    setCurrentIndex(m_model->index(lineOfRow(row), column));
}

void LineGrid::checkCell(std::int32_t row, std::int32_t column) const
{
    if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount())
        throw subscriptOutOfRange();
}

QString LineGrid::CellText(std::int32_t row, std::int32_t column) const
{
    checkCell(row, column);
    return row == 0 ? m_model->title(column) : m_model->text(lineOfRow(row), column);
}

void LineGrid::setCellText(std::int32_t row, std::int32_t column, const QString &text)
{
    checkCell(row, column);
    if (row == 0)
        m_model->setTitle(column, text);
    else
        m_model->setText(lineOfRow(row), column, text);
}

void LineGrid::exchangeRows(std::int32_t row, std::int32_t otherRow)
{
    checkCell(row, 0);
    checkCell(otherRow, 0);
    if (row == 0 || otherRow == 0)
        throw invalidPropertyValue();  // the header row is not a line
    m_model->exchangeLines(lineOfRow(row), lineOfRow(otherRow));
}

void LineGrid::AppendRow(const QString &tabSeparated)
{
    m_model->append(tabSeparated);
}

void LineGrid::commitData(QWidget *editor)
{
    runAction([&] {
        QTableView::commitData(editor);
        // Raised here, once the model holds the typed text and the editor's own commit is
        // over, so that the handler may rewrite the sheet freely.
        if (m_model->takeUserEdit())
            emit CellEdited();
    });
}

void LineGrid::changeEvent(QEvent *event)
{
    runAction([&] {
        QTableView::changeEvent(event);
        if (event->type() == QEvent::FontChange)
            sizeColumnsToFormat();
    });
}

void LineGrid::sizeColumnsToFormat()
{
    const QFontMetrics metrics(font());
    // The format's blanks size the columns; the titles are only what the header shows.
    for (int column = 0; column < m_model->columnCount(); ++column)
        setColumnWidth(column, metrics.horizontalAdvance(m_model->widthText(column)));
    verticalHeader()->setDefaultSectionSize(metrics.height() + 4);
}
