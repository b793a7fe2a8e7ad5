// The sheet on paper and in files: "Enregistrer la fiche…" (a .fiche file, to open again),
// "Enregistrer la fiche en CSV…", "Imprimer la fiche…" and "Exporter la fiche en PDF…". Files are written whole or not at all, never onto the
// open catalogue (SheetFile.h); what went wrong is told in French, and the sheet stays as
// it was.

#include "CsvFile.h"
#include "FicheWriter.h"
#include "GridActions.h"
#include "GridSheet.h"
#include "LineGrid.h"
#include "ProgressWindow.h"
#include "SheetDocument.h"
#include "SheetFile.h"

#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {

SheetDocument documentOf(const SheetTable &sheet, const LineGrid &grid, const CounterCaptions &counters,
                         const QString &catalogueFile)
{
    QList<int> widths;
    for (int column = 0; column < grid.ColumnCount(); ++column)
        widths.append(grid.columnWidth(column));
    return {sheet, counters, catalogueFile, QDateTime::currentDateTime(), widths, grid.font()};
}

}  // namespace

void GridActions::saveSheetFile(const QString &title, const QString &suffix, const QString &filter,
                                const QString &progressLabel, const SheetWriter &write)
{
    if (!hasLines())
        return;
    const QString target = m_saveFileQuestion(title, proposedSheetFile(QDate::currentDate(), suffix), filter);
    if (target.isEmpty())
        return;
    ProgressWindow progress(window(), progressLabel, m_grid.RowCount());
    const SheetFileOutcome outcome =
        writeSheetFile(target, m_catalogueFile(), [&](QIODevice &file) { return write(file, progress.report()); });
    if (outcome.kind == SheetFileOutcome::Refused)
        tell(QMessageBox::Warning, outcome.message);
}

void GridActions::saveFiche()
{
    saveSheetFile(QStringLiteral("Enregistrer la fiche"), QStringLiteral("fiche"), QStringLiteral("Fiches (*.fiche)"),
                  QStringLiteral("Enregistrement de la fiche…"),
                  [this](QIODevice &file, const ExportProgress &progress) {
                      return writeFiche(GridSheet(m_grid), m_counters(), m_regional, file, progress);
                  });
}

void GridActions::saveCsv()
{
    saveSheetFile(QStringLiteral("Enregistrer la fiche en CSV"), QStringLiteral("csv"),
                  QStringLiteral("Fichiers CSV (*.csv)"), QStringLiteral("Enregistrement de la fiche en CSV…"),
                  [this](QIODevice &file, const ExportProgress &progress) {
                      return writeSheetCsv(GridSheet(m_grid), m_regional, file, progress);
                  });
}

void GridActions::exportPdf()
{
    saveSheetFile(QStringLiteral("Exporter la fiche en PDF"), QStringLiteral("pdf"),
                  QStringLiteral("Documents PDF (*.pdf)"), QStringLiteral("Export de la fiche en PDF…"),
                  [this](QIODevice &file, const ExportProgress &progress) {
                      const GridSheet sheet(m_grid);
                      const SheetDocument document = documentOf(sheet, m_grid, m_counters(), m_catalogueFile());
                      QPdfWriter pdf(&file);
                      pdf.setTitle(QStringLiteral("Fiche Produit"));
                      pdf.setCreator(QStringLiteral("Fiche Produit"));
                      useSheetPage(pdf);
                      QPainter painter(&pdf);
                      const bool whole = paintSheetDocument(painter, pdf, document, progress);
                      painter.end();  // the end of the document, written before the file is kept
                      return whole;
                  });
}

void GridActions::print()
{
    if (!hasLines())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Fiche Produit"));
    useSheetPage(printer);
    const GridSheet sheet(m_grid);
    const SheetDocument document = documentOf(sheet, m_grid, m_counters(), m_catalogueFile());
    // The preview shows the pages; its "Imprimer" opens Qt's print dialog.
    QPrintPreviewDialog preview(&printer, window());
    preview.setWindowTitle(QStringLiteral("Aperçu avant impression — Fiche Produit"));
    preview.resize(window()->size());
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter *target) {
        fromQt([&] {
            ProgressWindow progress(&preview, QStringLiteral("Mise en page de la fiche…"), sheet.rowCount(),
                                    ProgressWindow::Cancel::NotOffered);
            QPainter painter(target);
            paintSheetDocument(painter, *target, document, progress.report());
        });
    });
    preview.exec();
}
