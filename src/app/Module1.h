#pragma once
// The program's catalogue connection, shared by the window's handlers for the whole run:
// the database handle ProductDatabase and the table-type record set ProductTable over
// Produit. One object, created with the window at start-up.

#include "CatalogueWatch.h"
#include "Jet.h"
#include "RuntimeError.h"

#include <QString>
#include <memory>
#include <optional>

// The fixed catalogue path, as the back office writes it.
inline const QString FixedDatabasePath = QStringLiteral("c:\\Vasteron\\QUARN.MDB");
// The table of products, its index by reference, and the listing's one query.
inline const QString ProductTableName = QStringLiteral("Produit");
inline const QString LookUpIndex = QStringLiteral("XREF");
inline const QString ListingQuery = QStringLiteral(
    "select Produit.ref,Produit.desi,Produit.qté,Produit.prixvente from Produit order by produit.desi asc");

// The fixed path as this system sees it (see CataloguePath.h).
QString defaultDatabaseFile();
// The catalogue a run opens: `given`, or the fixed one when none is.
QString catalogueFileOf(const QString &given);

class Module1 {
public:
    // `databaseFile`: the catalogue to open; an empty path means the fixed one.
    explicit Module1(const QString &databaseFile);

    // The file actually opened.
    const QString &DatabaseFile() const { return m_databaseFile; }

    // Opens DatabaseFile() into ProductDatabase. Like every continue-on-error procedure it
    // reports nothing; a failure leaves ProductDatabase unset and is kept for
    // OpenedProductDatabase.
    void OpenProductDatabase();

    // ProductDatabase, for the next step of start-up. When it is unset this raises why the
    // open failed (naming the file looked for), or the unset-handle error when no open was
    // tried: the user learns the real cause, not a consequence of it.
    jet::Database &OpenedProductDatabase();

    // Opens the table Produit on ProductDatabase as ProductTable.
    void OpenProductTable();

    // Raises the unset-handle error before start-up has opened it.
    jet::Recordset &ProductTable();

    // Brings ProductDatabase and ProductTable up to date when the back office rewrote the
    // file and the new one reads whole (see CatalogueWatch.h). Never fails.
    void refreshProductTable();

    // The products of ProductTable the engine could not read, as start-up opened it (a
    // rewritten catalogue with such rows never replaces it).
    const std::vector<jet::LeftOutRow> &leftOutProducts() const;

    bool hasProductDatabase() const { return m_productDatabase != nullptr; }
    bool hasProductTable() const { return m_productTable != nullptr; }

private:
    QString m_databaseFile;
    std::shared_ptr<jet::Database> m_productDatabase;
    std::unique_ptr<jet::Recordset> m_productTable;
    std::optional<RuntimeError> m_openFailure;
    std::optional<CatalogueWatch> m_watch;
};
