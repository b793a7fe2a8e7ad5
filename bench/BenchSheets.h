#pragma once
// What every benchmark starts from: a catalogue of N synthetic products, written once per
// size and run by the project's own writer into a temporary folder, and the real window
// loaded on it (French settings), its sheet holding the N listed products.

#include "FicheTestSupport.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace FicheBench {

// The catalogue sizes every case runs at.
inline const std::vector<std::int64_t> Sizes = {1'000, 20'000, 100'000, 1'000'000};

// The catalogue of `products` synthetic products (written on first use).
QString catalogue(int products);

// The window on that catalogue with its sheet listed afresh, seen through its controls.
// One window is kept at a time: a window on 1 000 000 products holds some 200 MB.
const FicheTest::Controls &listedWindow(int products);

// Lets the last window go.
void closeWindow();

}  // namespace FicheBench
