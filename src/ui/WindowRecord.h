#pragma once
// The window's recovery record (src/record): the sheet written down as the user changes it,
// so that a crash, a kill, a power cut or a logout that did not close the window loses
// nothing; and, the other way, the sheets of windows no longer running given back:
//
//  - once the window shows, the sheet of the last window that did not end normally, when it
//    holds a change, is offered ("La fiche précédente n'a pas été fermée normalement…");
//    Oui gives it back as one change that can be undone; Non keeps it as the last sheet
//    closed;
//  - "Rouvrir la dernière fiche fermée" in the grid's menu gives back the sheet of the last
//    window closed normally (or declined), for as long as this window runs;
//  - when the record cannot be written, one message says that the sheet will not survive
//    a crash, and the window goes on without it.
//
// The record starts with the sheet as listed: its products are written a slice at a time
// while the window is idle, so that starting costs nothing more.

#include "GridActions.h"
#include "SheetHistory.h"

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>

class Form2;
class LockedRecord;
class OwnRecord;
class QAction;
class RecordSync;
class SheetRecord;

class WindowRecord : public QObject, private SheetHistory::Listener {
    Q_OBJECT

public:
    // Products written per slice while the window is idle: a few milliseconds' work, well
    // within a frame (bench/HistoryBench.cpp).
    static constexpr std::uint32_t ProductSlice = 1000;

    // On `window`, whose history has started, in the records' folder `records`
    // (recordsFolder() but in tests); the menu entry goes into `grid`'s menu.
    WindowRecord(Form2 &window, GridActions &grid, const QString &records);
    ~WindowRecord() override;

    // Asked with the recovery's question; true for "Oui". A message box by default.
    using Question = std::function<bool(const QString &text)>;
    void setQuestion(Question question) { m_question = std::move(question); }
    void setMessage(GridActions::Message message) { m_message = std::move(message); }

    // Once, when the window shows: the message of a record that cannot be written, or the
    // question when a sheet is to be found again.
    void offerRecovery();
    // "Rouvrir la dernière fiche fermée".
    void reopenLastClosed();
    // The window ends normally: its record is kept as the last sheet closed when it holds
    // a change, and goes otherwise.
    void endNormally();

protected:
    // The grid's first paint starts the writing of the products.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void tellFailure();
    void writeSomeProducts();
    void afterWrite();
    void stopRecording();
    void keepAsLastClosed(std::unique_ptr<LockedRecord> record);
    void changed(const SheetChange &change) override;
    void undone(const SheetChange &change) override;
    void redone(const SheetChange &change) override;

    Form2 &m_window;
    QString m_records;
    Question m_question;
    GridActions::Message m_message;
    std::unique_ptr<OwnRecord> m_own;
    std::unique_ptr<SheetRecord> m_record;
    std::unique_ptr<RecordSync> m_sync;
    QTimer m_products;
    QString m_failure;  // why the record cannot be written, until told
    std::unique_ptr<LockedRecord> m_lastClosed;
    QAction *m_reopen;
};
