// Each step that the engine may refuse is tried on its own, as the program and the tool
// go on to their next step.

#include "CatalogueWorkout.h"

#include "Jet.h"
#include "RuntimeError.h"

#include <QFileInfo>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

// Pages of 2048 bytes, the smaller kind: no page number of the file can reach this.
std::uint32_t pageBound(const QString &path)
{
    return std::uint32_t(QFileInfo(path).size() / 2048 + 1);
}

// A breach is a fault of the engine, as a crash would be: to the fuzzer, one it reports.
void require(bool holds, const char *what)
{
    if (!holds) {
        std::fprintf(stderr, "CatalogueWorkout: %s\n", what);
        std::abort();
    }
}

// The rows left out are told as they were met, never invented: positions from 1 that grow,
// each a slot (or the whole) of a page of the file, and none past the rows there were.
void checkLeftOutRows(const jet::Recordset &records, std::uint32_t pages)
{
    const std::vector<jet::LeftOutRow> &leftOut = records.LeftOutRows();
    std::uint32_t last = 0;
    for (const jet::LeftOutRow &row : leftOut) {
        require(row.position > last, "positions of rows left out that do not grow");
        require(row.page > 0 && row.page < pages, "a row left out on a page outside the file");
        require(row.slot >= -1 && row.slot < 256, "a row left out in a slot that cannot be");
        last = row.position;
    }
    require(last <= std::uint32_t(records.RecordCount()) + leftOut.size(), "a row left out past the last row");
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

}  // namespace

int exerciseCatalogue(const QString &path)
{
    std::shared_ptr<jet::Database> database;
    try {
        database = jet::DBEngine::OpenDatabase(path);
    } catch (const RuntimeError &refusal) {
        return refusal.number();
    }
    const std::uint32_t pages = pageBound(path);
    const auto walkAll = [&](jet::Recordset &records) {
        checkLeftOutRows(records, pages);
        walk(records);
    };
    for (const QString &table : database->TableNames()) {
        tryStep([&] { database->TableIndexes(table); });
        tryStep([&] { walkAll(*database->OpenRecordset(table)); });
    }
    tryStep([&] {
        const std::unique_ptr<jet::Recordset> listing = database->OpenRecordset(QStringLiteral(
            "select Produit.ref,Produit.desi,Produit.qté,Produit.prixvente from Produit order by produit.desi asc"));
        walkAll(*listing);
    });
    tryStep([&] {
        const std::unique_ptr<jet::Recordset> products = database->OpenRecordset(QStringLiteral("Produit"));
        walkAll(*products);
        lookUpReferences(*products);
    });
    return 0;
}
