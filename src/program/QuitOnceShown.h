#pragma once
// For timing start-up from outside: the run ends, with success, as soon as the window has
// been painted with its sheet, i.e. once the user would see the filled grid.

class QWidget;

// Call before showing the window, whose grid is named "G".
void quitOnceShown(QWidget &window);
