#pragma once
// The product sheet: the program's one window, its fifteen controls and its handlers. The
// handlers are named after their control and event, and each lives with the behaviour it
// implements:
//
//   handlers/Loading.cpp          Form_Load, fermer_Click
//   handlers/ReferenceLookup.cpp  Ref_Change, Ref_Click, Ref_KeyPress
//   handlers/FieldFocus.cpp       qte_GotFocus, remise_GotFocus, total_GotFocus,
//                                 qte_KeyPress, remise_KeyPress
//   handlers/LinePricing.cpp      remise_Change
//   handlers/AddLine.cpp          total_KeyPress
//   handlers/Listing.cpp          REMPLIR_Produit, Nouveau_Click
//   handlers/Recalculation.cpp    G_CellEdited
//   handlers/RowMoves.cpp         haut_Click, bas_Click
//
// The controls are built in Form2Layout.cpp; Form2Wiring.cpp says which user action runs
// which handler. The rules the handlers apply, which need no widget, are in src/sheet
// (LineRules.h, EntryLine.h, SheetCounters.h); each handler reads its controls, calls the rule and writes the results, in
// the order users have always seen them change.

#include "Module1.h"
#include "NumberRules.h"

#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class GridActions;
class SheetHistory;
class WindowRecord;
enum class ChangeKind;
struct CounterCaptions;
class LineGrid;
class SheetContents;
struct EntryFields;

// The window's fifteen controls, named as the user knows them.
struct Form2Controls {
    QPushButton *fermer = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *nbr = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *totaux = nullptr;
    QComboBox *Ref = nullptr;
    QLineEdit *qte = nullptr;
    QLineEdit *prixvente = nullptr;
    QLineEdit *remise = nullptr;
    QLineEdit *total = nullptr;
    QLineEdit *desi = nullptr;
    QPushButton *bas = nullptr;
    QPushButton *haut = nullptr;
    QPushButton *Nouveau = nullptr;
    LineGrid *G = nullptr;
};

// The controls are the window's own: only its handlers change them. Tests reach them
// through controls(), as a user reaches them through the screen.
class Form2 : public QWidget, private Form2Controls {
    Q_OBJECT

public:
    // `databaseFile`: the catalogue Form_Load opens; an empty path means the fixed one.
    explicit Form2(const QString &databaseFile, const RegionalSettings &regional = RegionalSettings::system(),
                   QWidget *parent = nullptr);
    ~Form2() override;

    const RegionalSettings &regional() const { return m_regional; }
    // The run's catalogue connection.
    const Module1 &module1() const { return m_module1; }
    const Form2Controls &controls() const { return *this; }

    // Asked after each step of a move; tests replace it. Returns true for "Oui".
    using Question = std::function<bool(const QString &text)>;
    void setQuestion(Question question) { m_question = std::move(question); }

    // Start-up: opens the catalogue, resets the fields, fills the reference list and the
    // sheet. Handles no failure: the one that ends start-up leaves it.
    void Form_Load();

    void fermer_Click();
    void Nouveau_Click();
    void Ref_Change();
    void Ref_Click();
    void Ref_KeyPress(std::int16_t &KeyAscii);
    void qte_GotFocus();
    void qte_KeyPress(std::int16_t &KeyAscii);
    void remise_GotFocus();
    void remise_KeyPress(std::int16_t &KeyAscii);
    void remise_Change();
    void total_GotFocus();
    void total_KeyPress(std::int16_t &KeyAscii);
    void G_CellEdited();
    void haut_Click();
    void bas_Click();

    // Fills the sheet with every product, sorted by designation, and sets the counters.
    void REMPLIR_Produit();

    // --- Beyond the handlers (WindowHistory.cpp): what the user did to the sheet, undone,
    // redone, and written down as it happens so that a crash loses none of it.

    // The history starts from the sheet as it stands, once Form_Load has run, and the
    // window's actions on it with it (ChangeActions.h).
    void startHistory();
    bool hasHistory() const { return m_history != nullptr; }
    // Once started.
    SheetHistory &history() const { return *m_history; }
    // "Annuler" and "Rétablir": the last change taken back, or the last undone done again,
    // lines and counters as they were; no handler runs, the entry fields stay as they are.
    void undoChange();
    void redoChange();
    // The sheet and its counters become `sheet`'s, as one change of `kind` (a sheet opened,
    // a sheet found again).
    void replaceSheet(const SheetContents &sheet, ChangeKind kind);

    // The sheet's recovery record (WindowRecord.h), in the folder `records`, from the sheet
    // as it stands: started once the history is.
    void startRecord(const QString &records);
    // Once the window shows: what the record has to say (a sheet to find again, a record
    // that cannot be written).
    void offerRecovery();
    // The window ends normally ("Fermer", the title bar, the session's end): its sheet is
    // the last one closed.
    void endNormally();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // What the window makes of an event on one of its controls; true when it is consumed.
    bool routeEvent(QObject *watched, QEvent *event);
    void buildControls();
    void describeForAssistiveTechnology();
    void connectHandlers();
    void gotFocus(QObject *field);
    bool ask(const QString &text);
    void lookUp();
    EntryFields entryFields() const;
    // After a handler that may have changed the sheet: what it did becomes one change.
    void closeChange(ChangeKind kind);
    // Runs a move: each of its one-place steps is a change of its own.
    void moving(void (Form2::*move)());
    CounterCaptions captions() const;
    void showCaptions(const CounterCaptions &captions);

    RegionalSettings m_regional;
    Module1 m_module1;
    Question m_question;
    // A number field that a mouse press has just given the focus to: its focus handler
    // waits for the end of the click, which would otherwise undo the handler's selection.
    QObject *m_focusedByClick = nullptr;
    GridActions *m_gridActions = nullptr;
    std::unique_ptr<SheetHistory> m_history;
    WindowRecord *m_record = nullptr;
};
