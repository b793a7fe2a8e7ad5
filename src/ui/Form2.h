#pragma once
// The product sheet: the program's one window. The class is one, but its handlers live in
// the folders of their subsystems: start-up and shutdown in src/app, line entry in
// src/entry, the sheet's listing, recalculation and moves in src/sheet.

#include "NumberRules.h"

#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class LineGrid;

namespace jet {
class Recordset;
}

class Form2 : public QWidget {
    Q_OBJECT

public:
    explicit Form2(const RegionalSettings &regional = RegionalSettings::system(), QWidget *parent = nullptr);
    ~Form2() override;

    // Start-up: opens the catalogue, resets the fields, fills the reference list and
    // the sheet. Raises the failure that ends start-up (nothing is caught here).
    void Form_Load();

    // The controls, named as the user and the tests know them.
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

    const RegionalSettings &regional() const { return m_regional; }

    // Asked after each step of a move; tests replace it. Returns true for "Oui".
    using Question = std::function<bool(const QString &text)>;
    void setQuestion(Question question) { m_question = std::move(question); }

    // The handlers, named after their control and event.
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

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void connectHandlers();
    void gotFocus(QObject *field);
    bool ask(const QString &text);

    RegionalSettings m_regional;
    Question m_question;
    // A number field that a mouse press has just given the focus to: its focus handler
    // waits for the end of the click, which would otherwise undo the handler's selection.
    QObject *m_focusedByClick = nullptr;
};
