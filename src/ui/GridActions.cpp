#include "GridActions.h"

#include "ClipboardTexts.h"
#include "ErrorMode.h"
#include "FindBox.h"
#include "GridSheet.h"
#include "LineGrid.h"
#include "LineSearch.h"
#include "ProgressWindow.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <algorithm>
#include <numeric>

namespace {

QString askSaveFile(QWidget *window, const QString &title, const QString &proposedFile, const QString &filter)
{
    QFileDialog dialog(window, title, proposedFile, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QFileInfo(proposedFile).suffix());
    dialog.selectFile(proposedFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

bool opensMenu(const QKeyEvent &key)
{
    return key.key() == Qt::Key_Menu || (key.key() == Qt::Key_F10 && key.modifiers() == Qt::ShiftModifier);
}

}  // namespace

GridActions::GridActions(LineGrid &grid, const RegionalSettings &regional, Counters counters,
                         CatalogueFile catalogueFile, QObject *parent)
    : QObject(parent), m_grid(grid), m_regional(regional), m_counters(std::move(counters)),
      m_catalogueFile(std::move(catalogueFile)), m_menu(new QMenu(&grid))
{
    setObjectName(QStringLiteral("actionsFiche"));
    m_saveFileQuestion = [this](const QString &title, const QString &proposedFile, const QString &filter) {
        return askSaveFile(window(), title, proposedFile, filter);
    };
    m_message = [this](QMessageBox::Icon icon, const QString &text) {
        QMessageBox box(icon, QStringLiteral("Fiche Produit"), text, QMessageBox::Ok, window());
        box.exec();
    };

    m_menu->setObjectName(QStringLiteral("menuFiche"));
    addAction(QStringLiteral("enregistrerFiche"), QStringLiteral("Enregistrer la fiche…"), QKeySequence::Save,
              &GridActions::saveFiche, Qt::WindowShortcut);
    m_menu->addSeparator();
    addAction(QStringLiteral("copier"), QStringLiteral("Copier"), QKeySequence::Copy, &GridActions::copySelection);
    addAction(QStringLiteral("copierTout"), QStringLiteral("Copier toute la fiche"), QKeySequence::UnknownKey,
              &GridActions::copyWholeSheet);
    m_menu->addSeparator();
    addAction(QStringLiteral("enregistrerCsv"), QStringLiteral("Enregistrer la fiche en CSV…"),
              QKeySequence::UnknownKey, &GridActions::saveCsv);
    addAction(QStringLiteral("imprimer"), QStringLiteral("Imprimer la fiche…"), QKeySequence::Print,
              &GridActions::print);
    addAction(QStringLiteral("exporterPdf"), QStringLiteral("Exporter la fiche en PDF…"), QKeySequence::UnknownKey,
              &GridActions::exportPdf);
    m_menu->addSeparator();
    addAction(QStringLiteral("rechercher"), QStringLiteral("Rechercher…"), QKeySequence::Find, &GridActions::find);
    addAction(QStringLiteral("rechercherSuivant"), QStringLiteral("Rechercher le suivant"), QKeySequence::FindNext,
              &GridActions::findNext);

    grid.installEventFilter(this);
    grid.viewport()->installEventFilter(this);
    const QAbstractItemModel *lines = grid.model();
    const auto whenLinesChange = [this] { fromQt([this] { updateEnabled(); }); };
    connect(lines, &QAbstractItemModel::rowsInserted, this, whenLinesChange);
    connect(lines, &QAbstractItemModel::rowsRemoved, this, whenLinesChange);
    connect(lines, &QAbstractItemModel::modelReset, this, whenLinesChange);
    updateEnabled();
}

GridActions::~GridActions() = default;

void GridActions::addAction(const QString &name, const QString &text, QKeySequence::StandardKey keys,
                            void (GridActions::*handler)(), Qt::ShortcutContext where)
{
    auto *action = new QAction(text, this);
    action->setObjectName(name);
    if (keys != QKeySequence::UnknownKey) {
        action->setShortcuts(keys);
        // Mostly the grid's own: an open cell editor keeps its Ctrl+C, the entry fields theirs.
        action->setShortcutContext(where);
        if (where == Qt::WindowShortcut)
            window()->addAction(action);
        else
            m_grid.addAction(action);
    }
    connect(action, &QAction::triggered, this, [this, handler] { fromQt([this, handler] { (this->*handler)(); }); });
    m_menu->addAction(action);
    m_actions.append(action);
}

QWidget *GridActions::window() const
{
    return m_grid.window();
}

bool GridActions::hasLines() const
{
    return m_grid.RowCount() > 1;
}

void GridActions::updateEnabled()
{
    for (QAction *action : std::as_const(m_actions))
        action->setEnabled(hasLines());
}

void GridActions::fromQt(const std::function<void()> &action)
{
    AtEventLoop(action, [this](const RuntimeError &failure) {
        tell(QMessageBox::Warning,
             QStringLiteral("L'opération n'a pas abouti : %1\nLa fiche reste telle qu'elle était.")
                 .arg(failure.description()));
    });
}

bool GridActions::eventFilter(QObject *watched, QEvent *event)
{
    bool consumed = false;
    fromQt([&] { consumed = opensMenuFor(watched, *event); });
    return consumed || QObject::eventFilter(watched, event);
}

bool GridActions::opensMenuFor(QObject *watched, const QEvent &event)
{
    if (event.type() == QEvent::ContextMenu) {
        const auto &request = static_cast<const QContextMenuEvent &>(event);
        if (request.reason() == QContextMenuEvent::Mouse)
            showMenuAt(request.globalPos());
        else
            showMenuAtCurrentLine();
        return true;
    }
    // Qt turns neither key into a context menu on every platform: both are answered here.
    if (watched == &m_grid && event.type() == QEvent::KeyPress && opensMenu(static_cast<const QKeyEvent &>(event))) {
        showMenuAtCurrentLine();
        return true;
    }
    return false;
}

void GridActions::showMenuAt(const QPoint &globalPosition)
{
    updateEnabled();
    m_menu->popup(globalPosition);
}

void GridActions::showMenuAtCurrentLine()
{
    const QRect line = m_grid.visualRect(m_grid.currentIndex());
    const QPoint corner = line.isValid() ? line.bottomLeft() : QPoint(0, 0);
    showMenuAt(m_grid.viewport()->mapToGlobal(corner));
}

void GridActions::tell(QMessageBox::Icon icon, const QString &text)
{
    if (m_message)
        m_message(icon, text);
}

void GridActions::copySelection()
{
    QList<int> rows;
    for (const QModelIndex &line : m_grid.selectionModel()->selectedRows())
        rows.append(line.row() + 1);
    std::sort(rows.begin(), rows.end());
    if (rows.isEmpty() && m_grid.CurrentRow() > 0)
        rows.append(m_grid.CurrentRow());
    if (!rows.isEmpty())
        copyRows(rows, std::nullopt);
}

void GridActions::copyWholeSheet()
{
    QList<int> rows(m_grid.RowCount() - 1);
    std::iota(rows.begin(), rows.end(), 1);
    copyRows(rows, m_counters());
}

void GridActions::copyRows(const QList<int> &rows, const std::optional<CounterCaptions> &counters)
{
    if (!hasLines())
        return;
    ProgressWindow progress(window(), QStringLiteral("Copie de la fiche…"), int(rows.size()));
    std::optional<ClipboardTexts> texts =
        clipboardTexts(GridSheet(m_grid), rows, counters, m_regional, progress.report());
    if (!texts)
        return;  // cancelled: the clipboard keeps what it held
    auto *copied = new QMimeData;
    copied->setText(texts->plain);
    copied->setHtml(texts->html);
    QGuiApplication::clipboard()->setMimeData(copied);
}

void GridActions::find()
{
    if (!hasLines())
        return;
    if (!m_findBox) {
        m_findBox = new FindBox(window());
        connect(m_findBox, &FindBox::nextRequested, this,
                [this](const QString &text) { fromQt([this, &text] { search(text); }); });
        // Over the grid's top right corner, where the lines found (brought to the middle
        // of the grid) are not.
        m_findBox->adjustSize();
        m_findBox->move(m_grid.mapToGlobal(QPoint(m_grid.width() - m_findBox->width(), 0)));
    }
    m_findBox->present();
}

void GridActions::findNext()
{
    if (!m_findBox || m_findBox->text().isEmpty()) {
        find();
        return;
    }
    search(m_findBox->text());
}

void GridActions::search(const QString &text)
{
    if (!hasLines() || text.isEmpty())
        return;
    TextFinder finder(text);
    const int row = nextLineHolding(GridSheet(m_grid), m_grid.CurrentRow(), finder);
    if (row == 0) {
        tell(QMessageBox::Information, QStringLiteral("Aucune ligne ne contient « %1 ».").arg(text));
        return;
    }
    // With whole rows selected one at a time, the current line is the selected one. It is
    // brought to the middle of the grid, which keeps its columns where they were.
    const int across = m_grid.horizontalScrollBar()->value();
    m_grid.setCurrentRow(row);
    m_grid.scrollTo(m_grid.currentIndex(), QAbstractItemView::PositionAtCenter);
    m_grid.horizontalScrollBar()->setValue(across);
}
