#pragma once
// The progress of a long copy, file or print: a modal dialog that shows only once the work
// is seen to take more than half a second, and whose "Annuler" stops it. The work reports
// through report(); nothing is shown for a sheet done in less. A print run, which cannot
// be taken back halfway, gets no "Annuler".

#include "SheetTable.h"

#include <QProgressDialog>

class ProgressWindow {
public:
    enum class Cancel { Offered, NotOffered };
    ProgressWindow(QWidget *window, const QString &label, int rows, Cancel cancel = Cancel::Offered);
    ProgressWindow(const ProgressWindow &) = delete;
    ProgressWindow &operator=(const ProgressWindow &) = delete;

    // Valid while this window lives.
    ExportProgress report();

private:
    QProgressDialog m_dialog;
    bool m_cancelOffered;
};
