#pragma once
// What the engine's tests share: catalogue files written by the project's own writer into
// a temporary folder (or the folder FICHE_KEEP_CATALOGUES names, kept to be read again by
// the program and the tools, as bench/hostile does), the engine error a call raises, and readable test failures for
// field values.

#include "CatalogueWriter.h"
#include "Jet.h"
#include "MixedValue.h"
#include "ProductColumns.h"
#include "RuntimeError.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest/QTest>
#include <functional>
#include <vector>

// The program's catalogue layout, with a 16-bit quantity, as the header line of the
// writer's text format.
inline const QString ProductHeader = FicheTest::productColumns(QStringLiteral("INT")) + u'\n';
inline const QString ListingQuery = QStringLiteral(
    "select Produit.ref,Produit.desi,Produit.qté,Produit.prixvente from Produit order by produit.desi asc");

class CatalogueFiles {
public:
    CatalogueFiles();
    // Writes `tsv` as catalogue `name` and returns its path; fails the test on a writer error.
    QString write(const QString &name, const QString &tsv, const WriterOptions &options = {});
    QString path(const QString &name) const { return m_folder.filePath(name); }

private:
    QTemporaryDir m_temporary;
    QDir m_folder;
};

struct EngineFailure {
    int number = 0;  // 0: the call did not fail
    QString description;
};

EngineFailure failureOf(const std::function<void()> &call);

// Every record from the current one to the last, field by field.
std::vector<std::vector<MixedValue>> remainingRecords(jet::Recordset &records);
// The texts of one field over every remaining record (null as "NULL").
QStringList remainingTexts(jet::Recordset &records, std::int16_t position);

MixedValue text(const char16_t *value);

// So that QCOMPARE shows field values when they differ.
char *toString(const MixedValue &value);
