#pragma once
// Creating the window runs its load handler before it is first shown. A failure during
// start-up is reported (see src/ui/ReportBox.h) and no window is left.

#include "RegionalSettings.h"

#include <QString>
#include <memory>

class Form2;

class CatalogueWarmUp;

// `databaseFile`: the catalogue to open; an empty path means the fixed one. `warmUp`, when
// given, has been reading it meanwhile: the load handler waits for it to end.
std::unique_ptr<Form2> startWindow(const QString &databaseFile,
                                   const RegionalSettings &regional = RegionalSettings::system(),
                                   CatalogueWarmUp *warmUp = nullptr);

// Shows the started window; then, once, tells the user of products the catalogue could not
// give (see src/app/LeftOutNotice.h), which the sheet and the look-up go without, and
// offers the sheet of a window that did not end normally (see src/ui/WindowRecord.h).
void showWindow(Form2 &window);
