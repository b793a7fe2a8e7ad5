#pragma once
// Our own icons, drawn as SVG and embedded in the program: "fiche-produit" (the window),
// "fleche-haut" and "fleche-bas" (the buttons that move a line up and down). They never
// come from the user's icon theme, whose arrows would not be ours.
//
// At 16, 24, 32 and 48 px (the sizes a window icon is usually asked for) the icon shows
// the renderings made from the drawing at build time: in 32-bit colour, or in 256 colours
// when the screen has no more (`screenDepth` <= 8). Any other size, and every device pixel
// ratio above 1, is drawn from the SVG at the pixel size asked, so the icon stays sharp.

#include <QIcon>
#include <QString>

QIcon ficheIcon(const QString &name, int screenDepth);
QIcon ficheIcon(const QString &name);  // at the depth of the screen
