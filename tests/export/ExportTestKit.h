#pragma once
// What the tests of the sheet's copies, files and search share: the grid's actions reached
// the way a user reaches them (the grid's context menu, its shortcuts), their dialogs
// answered without showing, what the user sees of the sheet, and the files read back by
// tools of their own (Python's csv module, poppler's pdftotext).

#include "Form2.h"
#include "GridActions.h"
#include "LineGrid.h"

#include <QList>
#include <QStringList>

namespace ExportTest {

LineGrid &grid(Form2 &form);
GridActions &actions(Form2 &form);

// Every cell of the sheet, the header row included, then the two counters: what must
// read the same before and after any of the actions.
QStringList whatTheUserSees(Form2 &form);

// Right-clicks the grid on its current line, then clicks `actionName` in the menu that
// opens. False (with a warning) when no menu opens or the entry is missing or disabled.
bool chooseFromGridMenu(Form2 &form, const QString &actionName);

// The save dialog answers `file`; the messages are kept in `messages` instead of shown.
struct Answers {
    explicit Answers(const QString &answer) : file(answer) {}
    QString file;
    QString proposedFile;  // what the dialog was opened on
    QStringList messages;
};
void answerDialogs(Form2 &form, Answers &answers);

// chooseFromGridMenu with the dialogs answered by `answers`; false (with a warning) as
// well when the sheet, counters included, reads otherwise afterwards.
bool chooseKeepingTheSheet(Form2 &form, const QString &actionName, Answers &answers);

// The rows of a CSV file as Python's csv module reads them (strict quoting, UTF-8 with or
// without its byte-order mark); `ok` is false when Python could not read them.
QList<QStringList> readCsv(const QString &file, QChar separator, bool &ok);

// Writes `rows` as a spreadsheet saves a CSV, through Python's csv module: fields
// separated by `separator` and quoted where needed, rows ended by `rowEnd`, UTF-8 with a
// byte-order mark when `byteOrderMark`. False (with a warning) when Python failed.
bool writeCsv(const QString &file, const QList<QStringList> &rows, QChar separator, const QString &rowEnd,
              bool byteOrderMark);

// Replaces the fields of record `lineNumber` (from 1) of a .fiche file with `fields`, as a
// script that follows README.md does: escapes written, and every record's check computed
// again with Python's zlib.crc32. False (with a warning) when Python failed.
bool rewriteFicheRecord(const QString &file, int lineNumber, const QStringList &fields);

// The text of a PDF as pdftotext extracts it (its layout kept, pages separated by form
// feeds); `ok` is false when pdftotext could not read it.
QString pdfText(const QString &file, bool &ok);

}  // namespace ExportTest
