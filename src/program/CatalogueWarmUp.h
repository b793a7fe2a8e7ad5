#pragma once
// The catalogue read on a second thread while Qt starts and the window is built: start-up's
// own opens (Module1's), run ahead, so that the file is decoded, sorted for the listing and
// indexed for the look-up. The load handler then opens the same file on the window's thread,
// where the engine finds all that done (it reuses a file opened and unchanged while a handle
// on it lives). What the thread meets is not its business: a file that cannot be read is the
// load handler's to report. The thread has ended, and its handles are let go, before the
// window shows: the window's handlers only ever run on one thread.

#include "Module1.h"

#include <QString>
#include <memory>
#include <thread>

class CatalogueWarmUp {
public:
    // Starts reading `catalogueFile` at once.
    explicit CatalogueWarmUp(const QString &catalogueFile);
    ~CatalogueWarmUp();
    CatalogueWarmUp(const CatalogueWarmUp &) = delete;
    CatalogueWarmUp &operator=(const CatalogueWarmUp &) = delete;

    // Waits for the reading to end; what it opened stays open until this object goes.
    void finish();

private:
    void read() noexcept;

    Module1 m_ahead;
    std::shared_ptr<const ProductList> m_listing;
    std::thread m_thread;
};
