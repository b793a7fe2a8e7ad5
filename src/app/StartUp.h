#pragma once
// Creating the window runs its load handler before it is first shown. A failure during
// start-up is reported (see StandardReport.h) and no window is left.

#include "RegionalSettings.h"

#include <memory>

class Form2;

std::unique_ptr<Form2> startWindow(const RegionalSettings &regional = RegionalSettings::system());
