#pragma once
// A record set as catalogue text: the header line, then one line per record.

#include <QTextStream>

namespace jet {
class Recordset;
}

namespace catalogue {

void writeHeader(const jet::Recordset &records, QTextStream &out);
void writeCurrentRecord(const jet::Recordset &records, QTextStream &out);
// Every record from the current one to the last.
void writeRecords(jet::Recordset &records, QTextStream &out);
// What `dump` and `query` write: the header and every record on standard output, then on
// standard error the rows of the table that were left out. Returns the command's exit
// status (see reportLeftOutRows).
int writeReadableRecords(jet::Recordset &records, const QString &command);

}  // namespace catalogue
