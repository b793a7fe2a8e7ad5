#pragma once
// The catalogue connection shared by the window's handlers for the whole run.

#include "Jet.h"

#include <QString>
#include <memory>

namespace Module1 {

// The fixed catalogue path, as the back office writes it.
inline const QString FixedDatabasePath = QStringLiteral("c:\\Vasteron\\QUARN.MDB");

// Set once by OpenProductDatabase, never replaced while the window runs.
inline std::shared_ptr<jet::Database> ProductDatabase;
// The table-type record set over Produit, opened by Form_Load; look-ups position it.
inline std::unique_ptr<jet::Recordset> ProductTable;

// The file actually opened: the fixed path mapped to this system, or the file given
// on the command line.
QString DatabaseFile();
void setDatabaseFile(const QString &path);

// Opens DatabaseFile() into ProductDatabase.
void OpenProductDatabase();

}  // namespace Module1
