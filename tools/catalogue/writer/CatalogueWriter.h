#pragma once
// Writes catalogue files (Jet 4 databases holding one table) for tests, benchmarks and the
// demo: from a tab-separated text, or as N synthetic products. The files are real: any
// Jet 4 reader opens them.

#include "CatalogueError.h"

#include <QList>
#include <QString>

struct WriterOptions {
    QString table = QStringLiteral("Produit");
    bool index = true;       // an index "XREF" on column `ref` when there is one
    QList<int> deletedRows;  // 1-based data rows written, then flagged deleted in their page
    QList<int> movedRows;    // 1-based data rows stored elsewhere behind a moved-row pointer
};

// The text format: a header line giving each column as `name:TYPE` in stored order (TYPE one
// of TEXT(n), INT, LONG, DOUBLE, MONEY, BOOL, BYTE, SINGLE, DATETIME, GUID, BINARY(n), MEMO,
// OLE), then one row per line, fields separated by tabs; `NULL` alone is a null (a BOOL
// cannot be null), `\t`, `\n` and `\\` are escapes inside text and memo, `.` is the
// decimal mark, BINARY and OLE values are hexadecimal, GUIDs braced, a DATETIME is its day
// number or `YYYY-MM-DD[ HH:MM[:SS]]`; lines starting with `#` and blank lines are ignored.
// Memo and OLE values longer than 64 bytes as stored go to long-value pages, shorter ones
// stay in their row.
// Throws CatalogueError (French message naming the line and column) on bad input; the
// file at `outPath` is then left as it was.
void createCatalogueFromTsv(const QString &tsvText, const QString &outPath, const WriterOptions &options = {});

// N products (ref TEXT, desi TEXT, qté INT, prixvente MONEY), the same for the same seed.
void synthesizeCatalogue(int count, const QString &outPath, quint32 seed = 1);

// The same products as tab-separated text in the format above, so that a test can compare
// what a reader returns with what was meant.
QString syntheticCatalogueTsv(int count, quint32 seed = 1);
