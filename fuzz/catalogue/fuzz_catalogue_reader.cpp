// Writes arbitrary bytes as a catalogue file and does with it what the program and the
// catalogue tool do: open it, list its tables and their indexes, open `Produit` by name
// and walk it reading every field, run the listing's query, then look references up
// through "XREF". The engine may leave damaged rows out and say so, or refuse the file as
// not a database or as damaged; it must never crash, hang, read outside what it was given
// or answer otherwise.
//
// The bytes go through a real file (in memory-backed /dev/shm when there is one) so that
// the engine's checks on the file itself run too, exactly as for the program. The engine
// reads pages many at once into one buffer, larger than most inputs: under
// AddressSanitizer it keeps each page between poisoned bytes (PageBuffer.h), so that a read
// past a page is caught here even when the next page, or the buffer's unused end, lies
// there.

#include "CatalogueWorkout.h"

#include <QDir>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {

const QString &scratchFile()
{
    static const QString path = [] {
        const QString folder =
            QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        return QStringLiteral("%1/fuzz-catalogue-%2.mdb").arg(folder).arg(::getpid());
    }();
    return path;
}

// The engine refuses at once a file that ends inside a page; mutations that insert or
// erase bytes would mostly test that. Zeros up to the next whole page (of either format)
// take them on to the structures inside.
constexpr std::size_t WholePage = 4096;

void writeScratch(const std::uint8_t *data, std::size_t size)
{
    const QByteArray path = scratchFile().toLocal8Bit();
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const std::size_t padded = (size + WholePage - 1) / WholePage * WholePage;
    if (fd < 0 || ::write(fd, data, size) != ssize_t(size) || ::ftruncate(fd, off_t(padded)) != 0) {
        std::perror("fuzz_catalogue_reader: scratch file");
        std::abort();
    }
    ::close(fd);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    writeScratch(data, size);
    const int refusal = exerciseCatalogue(scratchFile());
    // Opened (some rows perhaps left out), or refused as not a database or as damaged: the
    // engine's two clear answers to a damaged file. Any other is a fault.
    if (refusal != 0 && refusal != 3343 && refusal != 3049) {
        std::fprintf(stderr, "fuzz_catalogue_reader: refused with error %d\n", refusal);
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    std::atexit([] { ::unlink(scratchFile().toLocal8Bit().constData()); });
    return 0;
}
