#include "TableDump.h"

#include "Jet.h"
#include "LeftOutRows.h"
#include "ValueText.h"

namespace catalogue {

void writeHeader(const jet::Recordset &records, QTextStream &out)
{
    const jet::Fields &fields = records.Fields();
    for (std::int16_t i = 0; i < fields.Count(); ++i)
        out << (i ? "\t" : "") << columnHeader(fields[i]);
    out << '\n';
}

void writeCurrentRecord(const jet::Recordset &records, QTextStream &out)
{
    const jet::Fields &fields = records.Fields();
    for (std::int16_t i = 0; i < fields.Count(); ++i)
        out << (i ? "\t" : "") << valueText(fields[i].Value(), fields[i].Type());
    out << '\n';
}

void writeRecords(jet::Recordset &records, QTextStream &out)
{
    while (!records.Eof()) {
        writeCurrentRecord(records, out);
        records.MoveNext();
    }
}

int writeReadableRecords(jet::Recordset &records, const QString &command)
{
    QTextStream out(stdout);
    writeHeader(records, out);
    writeRecords(records, out);
    out.flush();
    QTextStream warnings(stderr);
    return reportLeftOutRows(records, command, warnings);
}

}  // namespace catalogue
