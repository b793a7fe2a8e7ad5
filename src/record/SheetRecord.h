#pragma once
// A window's sheet written down as it changes (RecordFormat.h), so that the next start can
// give it back after an abnormal end. Each change goes to the file with one write before
// the handler that made it returns, thus before the next input is handled: once in the
// kernel, a change survives a crash or a kill of the program. Making it survive a power
// cut as well is the caller's (sync(), from another thread: never the window's wait).
//
// The listed products the sheet starts from are written a slice at a time (writeProducts,
// from the event loop when it is idle), not at once: 1 000 000 of them would hold the
// window. A change that comes before they are all written writes the rest first.
//
// A write that fails (disk full, folder gone) stops the recording: failed() then tells,
// and nothing more is written.

#include "RecordChunk.h"
#include "SheetHistory.h"
#include "SheetModel.h"

#include <QFileDevice>
#include <cstdint>

class SheetRecord : public SheetHistory::Listener {
public:
    // Writes the record's start into `file` (empty, open for writing, unbuffered): `sheet`
    // as it stands, the listed lines alone or lines of their own alone.
    SheetRecord(QFileDevice &file, const SheetModel &sheet, const CounterCaptions &captions);

    // Writes up to `count` more listed products; true once they are all written.
    bool writeProducts(std::uint32_t count);
    // Some change was recorded (a record with none may be dropped at a normal end).
    bool hasChanges() const { return m_changes; }
    bool failed() const { return m_failed; }

    void stepTaken(const SheetStepValue &step, const SheetModel &sheet) override;
    void changed(const SheetChange &change) override;
    void undone(const SheetChange &change) override;
    void redone(const SheetChange &change) override;

private:
    QString now() const;
    void addLines(const SheetModel &sheet);
    // Hands the records gathered to the file; false once a write failed.
    bool write();

    QFileDevice &m_file;
    RecordChunk m_chunk;
    std::shared_ptr<const ProductList> m_products;  // until they are all written
    std::uint32_t m_productsWritten = 0;
    std::uint32_t m_productCount = 0;
    bool m_changes = false;
    bool m_failed = false;
};
