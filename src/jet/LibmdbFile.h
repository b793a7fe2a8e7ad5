#pragma once
// One database file opened read-only through libmdb, and the pages it reads for the
// engine. Every page number is checked against the file's length before it is read:
// libmdb reads past the end by printing a message and returning an empty page.
//
// The engine reads pages itself, with pread on libmdb's descriptor, many consecutive
// pages at once: a table's data pages mostly follow one another, and libmdb's own read
// (four system calls a page) took a fifth of a large table's load. Only the pages of an
// encrypted file (a key on page 0) are read through libmdb, which decodes them.

#include "PageBuffer.h"
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

    // The page, valid until the next readPage.
    const unsigned char *readPage(std::uint32_t page) const;
    // The page into a second buffer, for pointers followed while the first holds the page
    // being walked; valid until the next readSecondPage.
    const unsigned char *readSecondPage(std::uint32_t page) const;

    // The error for a file whose structure is inconsistent at `where`.
    RuntimeError damaged(const QString &where) const;

private:
    void checkIsPage(std::uint32_t page) const;
    const unsigned char *inWindow(std::uint32_t page) const;  // null when it is not there
    // The page as libmdb decodes it, copied into `buffer`.
    const unsigned char *readThroughLibmdb(std::uint32_t page, PageBuffer &buffer) const;
    // Reads pages from `page` on into `buffer`, as many as it holds; how many pages it read.
    std::uint32_t readPages(std::uint32_t page, PageBuffer &buffer) const;

    QString m_path;
    std::unique_ptr<LibmdbHandle> m_handle;
    bool m_jet3 = false;
    bool m_encrypted = false;
    int m_pageSize = 0;
    std::uint32_t m_pageCount = 0;
    int m_descriptor = -1;  // libmdb's

    mutable std::unique_ptr<PageBuffer> m_window;  // pages read at once, from m_windowFirst
    mutable std::uint32_t m_windowFirst = 0;
    mutable std::uint32_t m_windowPages = 0;
    mutable std::unique_ptr<PageBuffer> m_second;
};

}  // namespace jet
