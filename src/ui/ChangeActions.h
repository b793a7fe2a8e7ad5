#pragma once
// What the user does to the sheet beyond the handlers, from the window: "Annuler" (Ctrl+Z)
// and "Rétablir" (Ctrl+Y, Ctrl+Maj+Z), named after the change they would undo or redo and
// greyed when there is none; "Ouvrir une fiche…" (Ctrl+O), a .fiche file or a CSV of the
// six columns taking the sheet's place as one change. They stand at the top of the grid's
// menu, and their keys work anywhere in the window but in a text field, where the field's
// own undo and redo keep them.

#include "GridActions.h"
#include "SheetHistory.h"

#include <QObject>
#include <functional>

class Form2;
class QAction;

class ChangeActions : public QObject, private SheetHistory::Listener {
    Q_OBJECT

public:
    // On `window`, whose history has started; the entries go into `grid`'s menu.
    // The history outlives the actions' use of it: it goes with the window's members,
    // before the window's children.
    ChangeActions(Form2 &window, GridActions &grid);

    // The file chosen to open, or an empty text when the user gave up; Qt's dialog by
    // default, tests replace it.
    using OpenFileQuestion = std::function<QString(const QString &title, const QString &folder, const QString &filter)>;
    void setOpenFileQuestion(OpenFileQuestion question) { m_openFileQuestion = std::move(question); }
    void setMessage(GridActions::Message message) { m_message = std::move(message); }

    void undo();
    void redo();
    void open();

    // "Annuler l'ajout de la ligne", "Rétablir « Nouveau »"…
    static QString undoText(ChangeKind kind);
    static QString redoText(ChangeKind kind);

private:
    QAction *addAction(const QString &name, const QList<QKeySequence> &keys, void (ChangeActions::*handler)());
    void updateTexts();
    void changed(const SheetChange &change) override;
    void undone(const SheetChange &change) override;
    void redone(const SheetChange &change) override;

    Form2 &m_window;
    OpenFileQuestion m_openFileQuestion;
    GridActions::Message m_message;
    QAction *m_undo;
    QAction *m_redo;
};
