#pragma once
// Everything the program and the catalogue tool do with a catalogue file: open it, list
// its tables and their indexes and read every field of each, run the listing's query,
// open `Produit` by name, walk it, and look references up through "XREF"; and the rows
// each record set says were left out, which must be told as they were met (an untrue
// report aborts, as a crash would). Shared by the catalogue fuzz target and the test that
// replays the files it found.

#include <QString>

// The engine's error number that refused the file, or 0 when it opened (refusals of a
// table, the query or a look-up after that are the engine's answers, and go on).
int exerciseCatalogue(const QString &path);
