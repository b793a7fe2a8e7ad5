#pragma once
// The one family of queries the engine answers:
//
//   select <field>[, <field>…] from <table> [order by <field> [asc|desc]] [;]
//
// where a field is `name` or `table.name`, names may be written in brackets ([Asset No]),
// and keywords and names compare without regard to case. Everything else fails with an
// engine error that names what is not supported (a where clause, a join, "*", a function…)
// or where the syntax is wrong.

#include <QString>
#include <optional>
#include <vector>

namespace jet {

struct FieldReference {
    QString table;  // empty when the field is not qualified
    QString name;
    QString asWritten;
};

struct SelectQuery {
    std::vector<FieldReference> fields;
    QString table;
    std::optional<FieldReference> orderBy;
    bool descending = false;
};

// Whether the text given to OpenRecordset is a query rather than a table name: it starts
// with an SQL statement's first word.
bool isQueryText(const QString &text);

SelectQuery parseSelectQuery(const QString &text);

}  // namespace jet
