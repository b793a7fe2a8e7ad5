#include "ProgressWindow.h"

#include <algorithm>

namespace {

constexpr int ShowAfterMilliseconds = 500;

}  // namespace

ProgressWindow::ProgressWindow(QWidget *window, const QString &label, int rows, Cancel cancel)
    : m_dialog(label, QStringLiteral("Annuler"), 0, std::max(rows, 1), window),
      m_cancelOffered(cancel == Cancel::Offered)
{
    if (!m_cancelOffered)
        m_dialog.setCancelButton(nullptr);
    m_dialog.setWindowTitle(QStringLiteral("Fiche Produit"));
    m_dialog.setWindowModality(Qt::WindowModal);
    m_dialog.setMinimumDuration(ShowAfterMilliseconds);
    m_dialog.setAutoReset(false);
    m_dialog.setAutoClose(false);
    m_dialog.setValue(0);  // starts the clock the half-second is measured on
}

ExportProgress ProgressWindow::report()
{
    // Once shown, the dialog answers its Cancel while the work goes on: a modal dialog
    // handles the events waiting at each new value.
    return [this](int rowsDone) {
        m_dialog.setValue(std::min(rowsDone, m_dialog.maximum()));
        return !(m_cancelOffered && m_dialog.wasCanceled());
    };
}
