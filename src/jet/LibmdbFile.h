#pragma once
// One database file opened read-only through libmdb, and the pages it reads for the
// engine. Every page number is checked against the file's length before libmdb sees it:
// libmdb reads past the end by printing a message and returning an empty page.

#include "RuntimeError.h"

#include <QString>
#include <cstdint>
#include <memory>

namespace jet {

struct LibmdbHandle;  // wraps libmdb's MdbHandle

class LibmdbFile {
public:
    // Checks the file (exists, is a regular readable file, starts like a Jet or ACE
    // database), then opens it through libmdb. Fails with the engine's errors.
    explicit LibmdbFile(const QString &path);
    ~LibmdbFile();
    LibmdbFile(const LibmdbFile &) = delete;
    LibmdbFile &operator=(const LibmdbFile &) = delete;

    const QString &path() const { return m_path; }
    LibmdbHandle &handle() const { return *m_handle; }
    bool isJet3() const { return m_jet3; }
    int pageSize() const { return m_pageSize; }
    std::uint32_t pageCount() const { return m_pageCount; }
    bool isPage(std::uint32_t page) const { return page < m_pageCount; }
    // Where a data page's slot count stands; the slots follow it.
    int slotCountOffset() const { return m_jet3 ? 8 : 12; }
    std::uint16_t codePage() const;

    // The page into libmdb's main page buffer (the one its table reads use too).
    const unsigned char *readPage(std::uint32_t page) const;
    // The page into libmdb's second buffer, for pointers followed while the main buffer
    // holds the page being walked.
    const unsigned char *readSecondPage(std::uint32_t page) const;

    // The error for a file whose structure is inconsistent at `where`.
    RuntimeError damaged(const QString &where) const;

private:
    const unsigned char *readInto(std::uint32_t page, bool secondBuffer) const;

    QString m_path;
    std::unique_ptr<LibmdbHandle> m_handle;
    bool m_jet3 = false;
    int m_pageSize = 0;
    std::uint32_t m_pageCount = 0;
};

}  // namespace jet
