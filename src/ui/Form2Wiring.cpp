// Which user action runs which handler. Text changes run their handler whether the user
// typed or the program assigned the text (Qt emits both synchronously, inside the
// assignment); key handlers see each typed character before the control does, and the
// key always goes on to the control.

#include "EventLoopEntries.h"
#include "Form2.h"
#include "KeyCodes.h"
#include "LineGrid.h"
#include "SheetHistory.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <optional>

namespace {

// The code a key handler receives: the typed character, Enter (the keypad's too) as 13 and
// Ctrl+Enter as 10. Keys that type no character (arrows, function keys, a bare Shift) and
// Tab, which moves the focus, give none.
std::optional<std::int16_t> characterCode(const QKeyEvent &key)
{
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return key.modifiers().testFlag(Qt::ControlModifier) ? LineFeedKeyCode : EnterKeyCode;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return std::nullopt;
    default:
        if (key.text().isEmpty())
            return std::nullopt;
        return static_cast<std::int16_t>(key.text().front().unicode());
    }
}

bool isEnter(const QKeyEvent &key)
{
    return characterCode(key) == EnterKeyCode;
}

// A number field selects its text when the user brings the focus to it, not when it comes
// back by itself: when the window is activated again, or when a menu (the field's own
// context menu among them) closes.
bool isArrival(const QFocusEvent &focus)
{
    return focus.reason() != Qt::ActiveWindowFocusReason && focus.reason() != Qt::PopupFocusReason;
}

}  // namespace

void Form2::connectHandlers()
{
    const auto on = [this](auto handler) { return [this, handler] { runHandler([&] { (this->*handler)(); }); }; };
    // What a handler that changes the sheet did becomes one change of its history.
    const auto changing = [this](void (Form2::*handler)(), ChangeKind kind) {
        return [this, handler, kind] {
            runHandler([&] {
                (this->*handler)();
                closeChange(kind);
            });
        };
    };
    const auto moving = [this](void (Form2::*move)()) {
        return [this, move] { runHandler([&] { this->moving(move); }); };
    };

    connect(fermer, &QPushButton::clicked, this, on(&Form2::fermer_Click));
    connect(Nouveau, &QPushButton::clicked, this, changing(&Form2::Nouveau_Click, ChangeKind::New));
    connect(haut, &QPushButton::clicked, this, moving(&Form2::haut_Click));
    connect(bas, &QPushButton::clicked, this, moving(&Form2::bas_Click));
    connect(Ref, &QComboBox::editTextChanged, this, on(&Form2::Ref_Change));
    // A choice in the list, by mouse, by Enter in the open list, or by the arrow keys.
    connect(Ref, &QComboBox::activated, this, on(&Form2::Ref_Click));
    connect(remise, &QLineEdit::textChanged, this, on(&Form2::remise_Change));
    // The user's edit is in the sheet already: it and the recalculation make one change.
    connect(G, &LineGrid::CellEdited, this, changing(&Form2::G_CellEdited, ChangeKind::CellEdit));

    // Left to itself the combo box picks the list item equal to the text when editing
    // ends (Enter, or the focus leaving), which would count as a choice in the list.
    disconnect(Ref->lineEdit(), &QLineEdit::editingFinished, Ref, nullptr);

    // The combo box itself has the focus and hands keys on to its text field: its keys
    // are seen on the box. With its list open, they go to the list.
    for (QWidget *watched :
         std::initializer_list<QWidget *>{Ref, Ref->view(), qte, remise, total, fermer, Nouveau, haut, bas})
        watched->installEventFilter(this);
}

bool Form2::eventFilter(QObject *watched, QEvent *event)
{
    bool consumed = false;
    // The handlers it runs have their own way with a failure; what fails in the filter itself
    // is told, and the event goes on to its control.
    runAction([&] { consumed = routeEvent(watched, event); });
    return consumed || QWidget::eventFilter(watched, event);
}

bool Form2::routeEvent(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto &key = static_cast<const QKeyEvent &>(*event);
        // Enter presses the focused button, as Space does.
        if (auto *pressed = qobject_cast<QPushButton *>(watched); pressed && isEnter(key)) {
            pressed->click();
            return true;
        }
        using KeyHandler = void (Form2::*)(std::int16_t &);
        KeyHandler handler = nullptr;
        if (watched == Ref)
            handler = &Form2::Ref_KeyPress;
        else if (watched == qte)
            handler = &Form2::qte_KeyPress;
        else if (watched == remise)
            handler = &Form2::remise_KeyPress;
        else if (watched == total)
            handler = &Form2::total_KeyPress;
        if (const auto code = characterCode(key); handler && code) {
            std::int16_t keyAscii = *code;
            runHandler([&] {
                (this->*handler)(keyAscii);
                if (handler == &Form2::total_KeyPress)
                    closeChange(ChangeKind::AddedLine);
            });
        }
        // Enter in the open list first picks the highlighted reference, as the list does by
        // itself (the change and click handlers run), then is Enter in Ref: one Enter takes
        // the user from the list to the quantity.
        if (watched == Ref->view() && isEnter(key)) {
            QMetaObject::invokeMethod(
                this,
                [this] {
                    std::int16_t keyAscii = EnterKeyCode;
                    runHandler([&] { Ref_KeyPress(keyAscii); });
                },
                Qt::QueuedConnection);
        }
    } else if (event->type() == QEvent::FocusIn && (watched == qte || watched == remise || watched == total)) {
        const auto &focus = static_cast<const QFocusEvent &>(*event);
        if (focus.reason() == Qt::MouseFocusReason)
            m_focusedByClick = watched;
        else if (isArrival(focus))
            gotFocus(watched);
    } else if (event->type() == QEvent::MouseButtonRelease && watched == m_focusedByClick) {
        // The press has placed the cursor by now; what the handler selects stays selected.
        m_focusedByClick = nullptr;
        gotFocus(watched);
    } else if (event->type() == QEvent::FocusOut && watched == m_focusedByClick) {
        m_focusedByClick = nullptr;
    }
    return false;
}

void Form2::gotFocus(QObject *field)
{
    if (field == qte)
        runHandler([this] { qte_GotFocus(); });
    else if (field == remise)
        runHandler([this] { remise_GotFocus(); });
    else if (field == total)
        runHandler([this] { total_GotFocus(); });
}
