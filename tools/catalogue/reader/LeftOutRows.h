#pragma once
// The rows of a table that the engine left out because their bytes do not hold together,
// said the same way by every command that reads a catalogue.

#include <QString>
#include <QTextStream>

namespace jet {
class Recordset;
struct LeftOutRow;
}  // namespace jet

namespace catalogue {

// The exit status of a command that read a table but had to leave rows of it out.
constexpr int RowsLeftOutStatus = 3;

// "ligne 16104 (page 37, emplacement 12)", or a whole page with where its rows began.
QString leftOutRowText(const jet::LeftOutRow &row);

// After the records written: on `warnings`, how many rows of the record set's table were
// left out and where. Returns the command's exit status: 0 when none was,
// RowsLeftOutStatus otherwise.
int reportLeftOutRows(const jet::Recordset &records, const QString &command, QTextStream &warnings);

}  // namespace catalogue
