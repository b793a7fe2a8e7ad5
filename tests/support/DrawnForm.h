#pragma once
// The window as it was drawn, for the tests of what the user sees: the client area and each
// control's place and size in twips (1/1440 inch: 15 to a logical pixel, whatever the
// screen's scale), with the font the control was given. The program keeps its own numbers
// where it builds the window; this table is the tests' own statement of the same drawing,
// so that a wrong number on either side shows.

#include <QRect>
#include <QSize>

namespace FicheTest {

constexpr int TwipsPerPixel = 15;

struct DrawnControl {
    const char *name;
    QRect twips;
    double points;  // 0: the window's own font
    bool bold;
};

constexpr QSize DrawnClientTwips(15990, 9735);

constexpr DrawnControl DrawnControls[] = {
    {"fermer", {5520, 9120, 1335, 375}, 9.75, false}, {"Label1", {240, 9120, 1455, 495}, 8.25, true},
    {"nbr", {2040, 9120, 1215, 495}, 8.25, true},     {"Label3", {11040, 9120, 1455, 495}, 8.25, true},
    {"totaux", {12600, 9120, 1935, 495}, 8.25, true}, {"Ref", {240, 480, 2535, 345}, 9, true},
    {"qte", {9000, 480, 1215, 405}, 9, true},         {"prixvente", {10200, 480, 1455, 405}, 9, true},
    {"remise", {11640, 480, 1095, 405}, 9, true},     {"total", {12720, 480, 1815, 405}, 9, true},
    {"desi", {2760, 480, 6255, 405}, 9, true},        {"bas", {15360, 960, 495, 855}, 0, false},
    {"haut", {15360, 2040, 495, 855}, 0, false},      {"Nouveau", {240, 120, 1575, 255}, 9.75, false},
    {"G", {120, 960, 15015, 8055}, 11.25, false},
};

// A widget's place and size in its parent, in twips.
inline QRect inTwips(const QRect &logical)
{
    return {logical.topLeft() * TwipsPerPixel, logical.size() * TwipsPerPixel};
}

}  // namespace FicheTest
