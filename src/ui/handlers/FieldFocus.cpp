// The Enter chain Ref → qte → remise → total, and each number field selecting its whole
// text on arrival, so that what the user types replaces the "0" left there. These handlers
// continue past a failing statement, and none of their statements can fail: a selection
// or a focus given raises nothing (the focus handler it runs meets its own failures).

#include "Form2.h"
#include "KeyCodes.h"

#include <QLineEdit>

namespace {

void selectWholeText(QLineEdit &field)
{
    field.setSelection(0, int(field.text().length()));
}

// Enter moves on; the key itself is left to the field (no key is consumed or filtered).
void passFocusOnEnter(std::int16_t keyAscii, QLineEdit &next)
{
    if (keyAscii == EnterKeyCode)
        next.setFocus(Qt::OtherFocusReason);
}

}  // namespace

void Form2::qte_GotFocus()
{
    selectWholeText(*qte);
}

void Form2::remise_GotFocus()
{
    selectWholeText(*remise);
}

void Form2::total_GotFocus()
{
    selectWholeText(*total);
}

void Form2::qte_KeyPress(std::int16_t &KeyAscii)
{
    passFocusOnEnter(KeyAscii, *remise);
}

void Form2::remise_KeyPress(std::int16_t &KeyAscii)
{
    passFocusOnEnter(KeyAscii, *total);
}
