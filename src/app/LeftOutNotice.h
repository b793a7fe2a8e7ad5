#pragma once
// What the user is told when the catalogue opened at start-up had products the engine could
// not read (a damaged row or page, see Jet.h's LeftOutRow): how many, where, that they are
// not listed, and that the catalogue should be repaired by the program that keeps it.

#include "Jet.h"

#include <QString>
#include <vector>

// `rows` must not be empty.
QString leftOutRowsNotice(const std::vector<jet::LeftOutRow> &rows);
