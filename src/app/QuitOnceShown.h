#pragma once
// For timing start-up from outside: the run ends, with success, as soon as the window has
// been painted with its sheet, i.e. once the user would see the filled grid.

class Form2;

// Call before showing the window.
void quitOnceShown(Form2 &window);
