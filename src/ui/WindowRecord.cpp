#include "WindowRecord.h"

#include "EventLoopEntries.h"
#include "Form2.h"
#include "LineGrid.h"
#include "RecordFolders.h"
#include "RecordSync.h"
#include "ReportBox.h"
#include "SheetRecord.h"
#include "SheetRecordReader.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLocale>
#include <QMenu>

namespace {

QString recoveryQuestion(const RecordReading &reading)
{
    const QLocale french(QLocale::French, QLocale::France);
    const QDateTime when = reading.lastChange.toLocalTime();
    return QStringLiteral("La fiche précédente n'a pas été fermée normalement (%1 %2, le %3 à %4). La retrouver ?")
        .arg(french.toString(reading.lineCount),
             reading.lineCount > 1 ? QStringLiteral("lignes") : QStringLiteral("ligne"),
             when.toString(QStringLiteral("dd/MM/yyyy")), when.toString(QStringLiteral("HH:mm")));
}

}  // namespace

WindowRecord::WindowRecord(Form2 &window, GridActions &grid, const QString &records)
    : QObject(&window), m_window(window), m_records(records)
{
    setObjectName(QStringLiteral("releve"));
    m_question = [this](const QString &text) { return askYesNo(&m_window, text); };
    m_message = [this](QMessageBox::Icon icon, const QString &text) {
        QMessageBox box(icon, QApplication::applicationDisplayName(), text, QMessageBox::Ok, &m_window);
        box.exec();
    };

    m_reopen = new QAction(QStringLiteral("Rouvrir la dernière fiche fermée"), this);
    m_reopen->setObjectName(QStringLiteral("rouvrir"));
    m_reopen->setEnabled(false);
    connect(m_reopen, &QAction::triggered, this, [this] { runAction([&] { reopenLastClosed(); }); });
    QMenu &menu = grid.menu();
    const QList<QAction *> entries = menu.actions();
    // After "Ouvrir une fiche…", with the other ways a sheet comes in.
    const auto open = std::find_if(entries.begin(), entries.end(),
                                   [](QAction *entry) { return entry->objectName() == QStringLiteral("ouvrir"); });
    menu.insertAction(open != entries.end() && open + 1 != entries.end() ? *(open + 1) : nullptr, m_reopen);

    QString failure;
    m_own = OwnRecord::create(m_records, failure);
    if (!m_own) {
        m_failure = failure;
        return;
    }
    const Form2Controls &controls = m_window.controls();
    m_record = std::make_unique<SheetRecord>(m_own->journal(), controls.G->sheet(),
                                             CounterCaptions{controls.nbr->text(), controls.totaux->text()});
    m_sync = std::make_unique<RecordSync>(m_own->journal().handle());
    m_window.history().addListener(m_record.get());
    m_window.history().addListener(this);
    connect(&m_products, &QTimer::timeout, this, [this] { runAction([&] { writeSomeProducts(); }); });
    afterWrite();
    // The products are written once the sheet is on screen, so that nothing of the record's
    // comes between the start and the first paint. A change made before they are all
    // written writes the rest first.
    controls.G->viewport()->installEventFilter(this);
}

bool WindowRecord::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint) {
        runAction([&] {
            watched->removeEventFilter(this);
            if (m_record)
                m_products.start(0);
        });
    }
    return false;
}

WindowRecord::~WindowRecord() = default;

void WindowRecord::writeSomeProducts()
{
    if (!m_record || m_record->writeProducts(ProductSlice))
        m_products.stop();
    afterWrite();
}

void WindowRecord::afterWrite()
{
    if (!m_record || !m_failure.isEmpty())
        return;  // not recording, or its failure already on its way to the user
    if (!m_record->failed()) {
        m_sync->written();
        return;
    }
    m_failure = QStringLiteral("l'écriture du relevé a échoué (%1)").arg(m_own->journal().errorString());
    m_products.stop();
    // The failed record writes nothing more. It is one of the history's listeners, perhaps
    // being told of this very change: it goes, and the failure is told, once the handler
    // that wrote is over.
    QTimer::singleShot(0, this, [this] {
        runAction([&] {
            stopRecording();
            tellFailure();
        });
    });
}

void WindowRecord::stopRecording()
{
    m_products.stop();
    m_sync.reset();
    if (m_record)
        m_window.history().removeListener(m_record.get());
    m_record.reset();
}

void WindowRecord::changed(const SheetChange &)
{
    afterWrite();
}

void WindowRecord::undone(const SheetChange &)
{
    afterWrite();
}

void WindowRecord::redone(const SheetChange &)
{
    afterWrite();
}

void WindowRecord::tellFailure()
{
    if (m_failure.isEmpty())
        return;
    m_message(QMessageBox::Warning,
              QStringLiteral("La fiche ne pourra pas être retrouvée après un arrêt anormal du programme : %1. "
                             "Le travail continue normalement.")
                  .arg(std::exchange(m_failure, {})));
}

void WindowRecord::offerRecovery()
{
    tellFailure();
    if (!m_own)
        return;
    PastRecords past = findPastRecords(m_records, m_own->files().folder());
    if (past.lastClosed)
        keepAsLastClosed(std::move(past.lastClosed));
    if (!past.unclosed)
        return;
    if (m_question(recoveryQuestion(past.unclosedReading))) {
        m_window.replaceSheet(contentsOf(std::move(past.unclosedReading)), ChangeKind::Recovered);
        past.unclosed->remove();  // the sheet lives on in this window's record
    } else if (past.unclosed->markClosed()) {
        keepAsLastClosed(std::move(past.unclosed));
    }
}

void WindowRecord::keepAsLastClosed(std::unique_ptr<LockedRecord> record)
{
    if (m_lastClosed)
        m_lastClosed->remove();
    m_lastClosed = std::move(record);
    m_reopen->setEnabled(true);
}

void WindowRecord::reopenLastClosed()
{
    if (!m_lastClosed)
        return;
    RecordReading reading = m_lastClosed->read();
    if (!reading.sheet) {
        m_message(QMessageBox::Warning,
                  QStringLiteral("La dernière fiche fermée ne peut pas être relue : %1").arg(reading.stop));
        return;
    }
    m_window.replaceSheet(contentsOf(std::move(reading)), ChangeKind::Recovered);
}

void WindowRecord::endNormally()
{
    if (!m_own)
        return;
    const bool keep = m_record && m_record->hasChanges();
    stopRecording();
    if (keep)
        m_own->files().markClosed();
    else
        m_own->remove();
    m_own.reset();
}
