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

}  // namespace catalogue
