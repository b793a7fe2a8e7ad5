#pragma once
// What the user can do with the sheet beyond the screen, from the grid: save it as a .fiche
// file to open again, copy lines or the whole sheet for a spreadsheet or a mail, save it as
// CSV, print it, export it as PDF, and find a line by a piece of its reference or
// designation. A context menu on the grid (right click, the Menu key, Shift+F10) holds them
// all; the standard shortcuts reach the copy, the printing and the search while the grid
// has the focus, and the saving (Ctrl+S) anywhere in the window.
//
// None of them changes the sheet, the counters or the focus chain of the entry fields,
// and none raises CellEdited: they read the grid through its operations and, for the
// search, move its current line. One that fails says so in a message box, and the window
// goes on.

#include "RegionalSettings.h"
#include "SheetTable.h"

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <functional>

class FindBox;
class LineGrid;
class QAction;
class QIODevice;
class QMenu;

class GridActions : public QObject {
    Q_OBJECT

public:
    using Counters = std::function<CounterCaptions()>;
    using CatalogueFile = std::function<QString()>;

    // `counters` reads the two counters' captions, `catalogueFile` the open catalogue's
    // path, both when an action needs them.
    GridActions(LineGrid &grid, const RegionalSettings &regional, Counters counters, CatalogueFile catalogueFile,
                QObject *parent);
    ~GridActions() override;

    // The file chosen to save into, or an empty text when the user gave up. The default is
    // Qt's save dialog, which asks before replacing a file; tests replace it.
    using SaveFileQuestion =
        std::function<QString(const QString &title, const QString &proposedFile, const QString &filter)>;
    void setSaveFileQuestion(SaveFileQuestion question) { m_saveFileQuestion = std::move(question); }
    // Tells the user something, in a message box by default; tests replace it.
    using Message = std::function<void(QMessageBox::Icon icon, const QString &text)>;
    void setMessage(Message message) { m_message = std::move(message); }

    // The grid's menu, for the actions that change the sheet (ChangeActions.h) to join.
    QMenu &menu() { return *m_menu; }

    void saveFiche();
    void copySelection();
    void copyWholeSheet();
    void saveCsv();
    void print();
    void exportPdf();
    void find();
    void findNext();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Every call from Qt into the actions goes through here: a failure is told in a message
    // box, and the sheet stays as it was (no action changes it).
    void fromQt(const std::function<void()> &action);
    // Opens the menu for a context-menu request or its keys; true when it did.
    bool opensMenuFor(QObject *watched, const QEvent &event);
    void addAction(const QString &name, const QString &text, QKeySequence::StandardKey keys,
                   void (GridActions::*handler)(), Qt::ShortcutContext where = Qt::WidgetShortcut);
    void showMenuAt(const QPoint &globalPosition);
    void showMenuAtCurrentLine();
    void updateEnabled();
    bool hasLines() const;
    QWidget *window() const;
    // Asks where to save, then writes the file whole or not at all, telling what failed.
    using SheetWriter = std::function<bool(QIODevice &file, const ExportProgress &progress)>;
    void saveSheetFile(const QString &title, const QString &suffix, const QString &filter, const QString &progressLabel,
                       const SheetWriter &write);
    void copyRows(const QList<int> &rows, const std::optional<CounterCaptions> &counters);
    void search(const QString &text);
    void tell(QMessageBox::Icon icon, const QString &text);

    LineGrid &m_grid;
    const RegionalSettings &m_regional;
    Counters m_counters;
    CatalogueFile m_catalogueFile;
    SaveFileQuestion m_saveFileQuestion;
    Message m_message;
    QList<QAction *> m_actions;
    QMenu *m_menu;
    QPointer<FindBox> m_findBox;
};
