// Damaged catalogues that once crashed or hung the engine, or made it give an untrue
// account of the rows it left out (found by the catalogue fuzz target), replayed through
// everything the program does with a catalogue. Each must be read (some rows perhaps left
// out, told as they were met) or refused with the engine's error for a damaged file, in
// bounded time (the test's time-out catches a hang). One file per fault, named after it,
// in damaged/.

#include "CatalogueWorkout.h"

#include <QDir>
#include <QTest>

class DamagedCataloguesTest : public QObject {
    Q_OBJECT

private slots:
    void replay_data();
    void replay();
};

void DamagedCataloguesTest::replay_data()
{
    QTest::addColumn<QString>("path");
    const QDir folder(QStringLiteral(FICHE_SOURCE_DIR "/tests/reliability/damaged"));
    const QStringList files = folder.entryList({QStringLiteral("*.mdb")}, QDir::Files);
    QVERIFY2(!files.isEmpty(), qPrintable(folder.path()));
    for (const QString &file : files)
        QTest::newRow(qPrintable(file)) << folder.filePath(file);
}

void DamagedCataloguesTest::replay()
{
    QFETCH(QString, path);
    const int refusal = exerciseCatalogue(path);
    // Opened (its tables then read or refused one by one), not a database, or damaged.
    QVERIFY2(refusal == 0 || refusal == 3343 || refusal == 3049, qPrintable(QString::number(refusal)));
}

QTEST_GUILESS_MAIN(DamagedCataloguesTest)
#include "tst_damaged_catalogues.moc"
