// Writes arbitrary bytes as a catalogue file and does with it what the program and the
// catalogue tool do: open it, list its tables and their indexes, open `Produit` by name
// and walk it reading every field, run the listing's query, then look references up
// through "XREF". The engine may refuse the file, with its own error; it must never
// crash, hang or read outside what it was given.
//
// The bytes go through a real file (in memory-backed /dev/shm when there is one) so that
// the engine's checks on the file itself run too, exactly as for the program.

#include "Jet.h"
#include "RuntimeError.h"

#include <QDir>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

const QString &scratchFile()
{
    static const QString path = [] {
        const QString folder = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        return QStringLiteral("%1/fuzz-catalogue-%2.mdb").arg(folder).arg(::getpid());
    }();
    return path;
}

void writeScratch(const std::uint8_t *data, std::size_t size)
{
    const QByteArray path = scratchFile().toLocal8Bit();
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0 || ::write(fd, data, size) != ssize_t(size)) {
        std::perror("fuzz_catalogue_reader: scratch file");
        std::abort();
    }
    ::close(fd);
}

// Reads every field of every record, as the listing and the catalogue tool's dump do.
void walk(jet::Recordset &records)
{
    for (std::int16_t i = 0; i < records.Fields().Count(); ++i) {
        records.Fields()[i].Name();
        records.Fields()[i].Type();
        records.Fields()[i].Size();
    }
    if (records.RecordCount() == 0)
        return;
    records.MoveFirst();
    while (!records.Eof()) {
        for (std::int16_t i = 0; i < records.Fields().Count(); ++i)
            records.Fields()[i].Value();
        records.MoveNext();
    }
}

template <class Step>
void tryStep(Step step)
{
    try {
        step();
    } catch (const RuntimeError &) {
        // The engine's refusal of a damaged file: what it is allowed to do.
    }
}

void lookUpReferences(jet::Recordset &products)
{
    products.setIndex(QStringLiteral("XREF"));
    // Texts as typed into `Ref`, then the first references of the table as they are stored.
    std::vector<MixedValue> keys{MixedValue(QString()), MixedValue(QStringLiteral("A")),
                                 MixedValue(QStringLiteral("zz-inconnue"))};
    if (products.RecordCount() > 0) {
        products.MoveFirst();
        for (int n = 0; n < 64 && !products.Eof(); ++n, products.MoveNext())
            tryStep([&] { keys.push_back(products.Fields()[0].Value()); });
    }
    for (const MixedValue &key : keys) {
        tryStep([&] {
            products.Seek(QStringLiteral("="), key);
            if (!products.NoMatch()) {
                products.Fields()[1].Value();
                products.Fields()[3].Value();
            }
        });
    }
}

void everything()
{
    const std::shared_ptr<jet::Database> database = jet::DBEngine::OpenDatabase(scratchFile());
    for (const QString &table : database->TableNames()) {
        tryStep([&] { database->TableIndexes(table); });
        tryStep([&] { walk(*database->OpenRecordset(table)); });
    }
    tryStep([&] {
        const std::unique_ptr<jet::Recordset> listing = database->OpenRecordset(QStringLiteral(
            "select Produit.ref,Produit.desi,Produit.qté,Produit.prixvente from Produit order by produit.desi asc"));
        walk(*listing);
    });
    const std::unique_ptr<jet::Recordset> products = database->OpenRecordset(QStringLiteral("Produit"));
    walk(*products);
    lookUpReferences(*products);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    writeScratch(data, size);
    tryStep(everything);
    return 0;
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    std::atexit([] { ::unlink(scratchFile().toLocal8Bit().constData()); });
    return 0;
}
