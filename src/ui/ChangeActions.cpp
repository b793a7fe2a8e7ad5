#include "ChangeActions.h"

#include "EventLoopEntries.h"
#include "Form2.h"
#include "GridSheet.h"
#include "LineGrid.h"
#include "ProgressWindow.h"
#include "ReportBox.h"
#include "SheetFile.h"
#include "SheetOpening.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>

namespace {

QString askOpenFile(QWidget *window, const QString &title, const QString &folder, const QString &filter)
{
    QFileDialog dialog(window, title, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

// What the change did, as the menu names it after "Annuler" and "Rétablir".
QString changeName(ChangeKind kind)
{
    switch (kind) {
    case ChangeKind::CellEdit:
        return QStringLiteral("la modification de la cellule");
    case ChangeKind::AddedLine:
        return QStringLiteral("l'ajout de la ligne");
    case ChangeKind::Move:
        return QStringLiteral("le déplacement de la ligne");
    case ChangeKind::New:
        return QStringLiteral("« Nouveau »");
    case ChangeKind::Opened:
        return QStringLiteral("l'ouverture de la fiche");
    case ChangeKind::Recovered:
        return QStringLiteral("la reprise de la fiche");
    }
    return {};
}

// The text field that has the focus, if any: there the keys of undo and redo are its own.
QLineEdit *focusedTextField()
{
    QWidget *focused = QApplication::focusWidget();
    if (auto *box = qobject_cast<QComboBox *>(focused))
        return box->lineEdit();
    return qobject_cast<QLineEdit *>(focused);
}

}  // namespace

ChangeActions::ChangeActions(Form2 &window, GridActions &grid) : QObject(&window), m_window(window)
{
    setObjectName(QStringLiteral("actionsHistorique"));
    m_openFileQuestion = [this](const QString &title, const QString &folder, const QString &filter) {
        return askOpenFile(&m_window, title, folder, filter);
    };
    m_message = [this](QMessageBox::Icon icon, const QString &text) {
        QMessageBox box(icon, QStringLiteral("Fiche Produit"), text, QMessageBox::Ok, &m_window);
        box.exec();
    };

    m_undo = addAction(QStringLiteral("annuler"), {QKeySequence(Qt::CTRL | Qt::Key_Z)}, &ChangeActions::undo);
    m_redo = addAction(QStringLiteral("retablir"),
                       {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
                       &ChangeActions::redo);
    QAction *openFile = addAction(QStringLiteral("ouvrir"), {QKeySequence(Qt::CTRL | Qt::Key_O)}, &ChangeActions::open);
    openFile->setText(QStringLiteral("Ouvrir une fiche…"));

    QMenu &menu = grid.menu();
    QAction *first = menu.actions().value(0);
    menu.insertActions(first, {m_undo, m_redo});
    menu.insertSeparator(first);
    menu.insertAction(first, openFile);

    m_window.history().addListener(this);
    updateTexts();
}

QAction *ChangeActions::addAction(const QString &name, const QList<QKeySequence> &keys,
                                  void (ChangeActions::*handler)())
{
    auto *action = new QAction(this);
    action->setObjectName(name);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    m_window.addAction(action);
    connect(action, &QAction::triggered, this, [this, handler] { runAction([&] { (this->*handler)(); }); });
    return action;
}

QString ChangeActions::undoText(ChangeKind kind)
{
    return QStringLiteral("Annuler ") + changeName(kind);
}

QString ChangeActions::redoText(ChangeKind kind)
{
    return QStringLiteral("Rétablir ") + changeName(kind);
}

void ChangeActions::updateTexts()
{
    const SheetHistory &history = m_window.history();
    const std::optional<ChangeKind> undoable = history.undoable();
    const std::optional<ChangeKind> redoable = history.redoable();
    m_undo->setText(undoable ? undoText(*undoable) : QStringLiteral("Annuler"));
    m_undo->setEnabled(undoable.has_value());
    m_redo->setText(redoable ? redoText(*redoable) : QStringLiteral("Rétablir"));
    m_redo->setEnabled(redoable.has_value());
}

void ChangeActions::undo()
{
    if (QLineEdit *field = focusedTextField()) {
        field->undo();
        return;
    }
    m_window.undoChange();
}

void ChangeActions::redo()
{
    if (QLineEdit *field = focusedTextField()) {
        field->redo();
        return;
    }
    m_window.redoChange();
}

void ChangeActions::open()
{
    const QString folder = QFileInfo(proposedSheetFile(QDate::currentDate(), QStringLiteral("fiche"))).absolutePath();
    const QString file = m_openFileQuestion(QStringLiteral("Ouvrir une fiche"), folder,
                                            QStringLiteral("Fiches et fichiers CSV (*.fiche *.csv);;"
                                                           "Tous les fichiers (*)"));
    if (file.isEmpty())
        return;
    const GridSheet sheet(*m_window.controls().G);
    QStringList titles;
    for (int column = 0; column < sheet.columnCount(); ++column)
        titles.append(sheet.cellText(0, column));
    // The reader tells the share of the file read in thousandths.
    ProgressWindow progress(&m_window, QStringLiteral("Ouverture de la fiche…"), 1000);
    const SheetReading read = readSheetFile(file, titles, m_window.regional(), progress.report());
    if (read.kind == SheetReading::Refused)
        m_message(QMessageBox::Warning, read.message);
    else if (read.kind == SheetReading::Read)
        m_window.replaceSheet(read.sheet, ChangeKind::Opened);
}

void ChangeActions::changed(const SheetChange &)
{
    updateTexts();
}

void ChangeActions::undone(const SheetChange &)
{
    updateTexts();
}

void ChangeActions::redone(const SheetChange &)
{
    updateTexts();
}
