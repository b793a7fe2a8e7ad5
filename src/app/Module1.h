#pragma once
// The program's catalogue, known in this one place: the file, the table Produit with its
// look-up index and the place of each of its fields, and the listing's query. Module1 opens
// the file, keeps the run's two handles from start-up to the end (ProductDatabase, and the
// table-type record set ProductTable over Produit), and reads the file again before a
// look-up when the back office rewrote it (see CatalogueWatch.h). The window's handlers
// reach the catalogue through it alone, one step at a time, each step named as their rules
// name it; the engine itself stays behind it.

#include "MixedValue.h"
#include "ProductList.h"
#include "RegionalSettings.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

// The fixed catalogue path, as the back office writes it.
inline const QString FixedDatabasePath = QStringLiteral("c:\\Vasteron\\QUARN.MDB");

// The fixed path as this system sees it (see CataloguePath.h).
QString defaultDatabaseFile();
// The catalogue a run opens: `given`, or the fixed one when none is.
QString catalogueFileOf(const QString &given);

// The fields of Produit by their place in the table's stored order, which is how
// ProductTable is read: a table whose fields are stored in another order shows whatever
// stands at these places. The listing's query names the four fields in this order, so its
// products have them here whatever the stored order.
enum class ProductField : std::int16_t { Reference = 0, Designation = 1, Quantity = 2, Price = 3 };

// Every product reference of ProductTable, for Ref's list: how many, and the one at a place
// (from 0, in the table's stored order), read when the list shows it.
struct ProductReferences {
    int count = 0;
    std::function<QString(int row)> reference;
};

class Module1 {
public:
    // `databaseFile`: the catalogue to open; an empty path means the fixed one.
    explicit Module1(const QString &databaseFile);
    ~Module1();
    Module1(const Module1 &) = delete;
    Module1 &operator=(const Module1 &) = delete;

    // The file actually opened.
    const QString &DatabaseFile() const { return m_databaseFile; }

    // --- Start-up: Form_Load's steps, in their order.

    // Opens DatabaseFile() into ProductDatabase. Like every continue-on-error procedure it
    // reports nothing; a failure leaves ProductDatabase unset, and the next step says why.
    void OpenProductDatabase();
    // Opens the table Produit on ProductDatabase as ProductTable. When ProductDatabase is
    // unset this raises why its open failed (naming the file looked for), or the unset-handle
    // error when no open was tried: the user learns the real cause, not a consequence of it.
    void OpenProductTable();
    // Walks ProductTable from its first record past its last for the references of Ref's
    // list. A null reference could never be looked up, so it is left out; an empty catalogue
    // is a valid one and gives an empty list.
    ProductReferences ReadProductReferences(const RegionalSettings &rs);
    // The listing's products (REMPLIR_Produit): the file opened again on a connection of its
    // own, let go on return, and the listing's query run on it. The products keep the
    // query's records, in its order, and read a product's fields when its line is shown.
    std::shared_ptr<const ProductList> OpenListing() const;

    // --- The look-up (Ref_Change, Ref_Click): its steps, in their order.

    // Brings ProductDatabase and ProductTable up to date when the back office rewrote the
    // file and the new one reads whole (see CatalogueWatch.h). Never fails.
    void refreshProductTable();
    // Sets the current index of ProductTable to the look-up's index "XREF".
    void SetLookUpIndex();
    // Seeks on ProductTable, comparison "=", with `reference` as its one key, exactly as
    // given. With no match there is no current record.
    void SeekProduct(const QString &reference);
    // The value of `field` in ProductTable's current record; fails when there is none.
    MixedValue ProductTableField(ProductField field) const;

    // --- Around them.

    // What to tell the user of the products the catalogue opened at start-up could not give
    // (see LeftOutNotice.h); nothing when it gave them all.
    std::optional<QString> leftOutNotice() const;

    // A Module1 may run start-up's steps on a second thread, handed over by a join: before
    // that thread starts, this readies what the engine needs of the process (see Jet.h).
    static void PrepareForAnotherThread();

private:
    struct Handles;

    QString m_databaseFile;
    std::unique_ptr<Handles> m_handles;
};
