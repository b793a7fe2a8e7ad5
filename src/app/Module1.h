#pragma once
// The catalogue connection shared by the window's handlers for the whole run.

#include "Jet.h"

#include <QString>
#include <memory>

namespace Module1 {

// The fixed catalogue path, as the back office writes it.
inline const QString FixedDatabasePath = QStringLiteral("c:\\Vasteron\\QUARN.MDB");

// Set by OpenProductDatabase; replaced, with ProductTable, only when the catalogue file
// was rewritten on disk and the new one reads whole (CatalogueWatch.h).
inline std::shared_ptr<jet::Database> ProductDatabase;
// The table-type record set over Produit, opened by Form_Load; look-ups position it.
inline std::unique_ptr<jet::Recordset> ProductTable;

// The file actually opened: the fixed path mapped to this system, or the file given
// on the command line (an empty path goes back to the fixed one).
QString DatabaseFile();
void setDatabaseFile(const QString &path);

// Opens DatabaseFile() into ProductDatabase. Like every continue-on-error procedure it
// reports nothing; a failure leaves ProductDatabase as it was and is kept for
// OpenedProductDatabase.
void OpenProductDatabase();

// ProductDatabase, for the next step of start-up. When it is unset this raises why the
// last open failed (naming the file looked for), or the unset-handle error when no open
// was tried: the user learns the real cause, not a consequence of it.
jet::Database &OpenedProductDatabase();

}  // namespace Module1
