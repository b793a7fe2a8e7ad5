// Looking a product up through the index "XREF", as the reference look-up does: hits,
// misses, case, accents, what a failed look-up leaves, and the misuses the engine refuses.

#include "CatalogueFixtures.h"

#include <QtTest/QtTest>

class SeekTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void seek_data();
    void seek();
    void firstOfKeysEqualButForCase();
    void failedSeekLeavesNoCurrentRecord();
    void numberKeyOnTextIndex();
    void misuses_data();
    void misuses();
    void seekOnManyProducts();

private:
    std::unique_ptr<jet::Recordset> openTable() const;

    CatalogueFiles m_files;
    QString m_catalogue;
    std::shared_ptr<jet::Database> m_database;
};

void SeekTest::initTestCase()
{
    m_catalogue =
        m_files.write(QStringLiteral("seek.mdb"), ProductHeader + QStringLiteral("AGR-01\tAgrafeuse\t1\t12.50\n"
                                                                                 "X1\tBloc-notes\t2\t2.95\n"
                                                                                 "ÉCR-6\tÉcrou M6\t3\t0.10\n"
                                                                                 "ECR-6\tEcrou sans accent\t4\t0.20\n"
                                                                                 "12\tRéférence en chiffres\t5\t1\n"
                                                                                 "\tRéférence vide\t6\t3\n"
                                                                                 "NULL\tSans référence\t7\t4\n"
                                                                                 "a b\tAvec espace\t8\t5\n"));
    m_database = jet::DBEngine::OpenDatabase(m_catalogue);
}

std::unique_ptr<jet::Recordset> SeekTest::openTable() const
{
    auto table = m_database->OpenRecordset(QStringLiteral("Produit"));
    table->setIndex(QStringLiteral("XREF"));
    return table;
}

void SeekTest::seek_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("designation");  // empty: no match
    QTest::newRow("exact") << QStringLiteral("X1") << QStringLiteral("Bloc-notes");
    QTest::newRow("other case") << QStringLiteral("x1") << QStringLiteral("Bloc-notes");
    QTest::newRow("mixed case") << QStringLiteral("agr-01") << QStringLiteral("Agrafeuse");
    QTest::newRow("accented, lower case") << QStringLiteral("écr-6") << QStringLiteral("Écrou M6");
    QTest::newRow("accents count") << QStringLiteral("ECR-6") << QStringLiteral("Ecrou sans accent");
    QTest::newRow("decomposed accent") << QStringLiteral("E\u0301CR-6") << QStringLiteral("Écrou M6");
    QTest::newRow("digits") << QStringLiteral("12") << QStringLiteral("Référence en chiffres");
    QTest::newRow("empty reference") << QString() << QStringLiteral("Référence vide");
    QTest::newRow("inner space counts") << QStringLiteral("a b") << QStringLiteral("Avec espace");
    QTest::newRow("missing") << QStringLiteral("X2") << QString();
    QTest::newRow("prefix only") << QStringLiteral("X") << QString();
    QTest::newRow("trailing space") << QStringLiteral("X1 ") << QString();
    QTest::newRow("space removed") << QStringLiteral("ab") << QString();
}

void SeekTest::seek()
{
    QFETCH(QString, key);
    QFETCH(QString, designation);
    const auto table = openTable();
    table->Seek(QStringLiteral("="), MixedValue(key));
    QCOMPARE(table->NoMatch(), designation.isEmpty());
    if (!designation.isEmpty())
        QCOMPARE(table->Fields()[1].Value(), MixedValue(designation));
}

void SeekTest::firstOfKeysEqualButForCase()
{
    const QString file = m_files.write(QStringLiteral("twins.mdb"),
                                       ProductHeader + QStringLiteral("k1\tpremier\t1\t1\nK1\tsecond\t2\t2\n"),
                                       WriterOptions{QStringLiteral("Produit"), true, {}, {}});
    const auto table = jet::DBEngine::OpenDatabase(file)->OpenRecordset(QStringLiteral("Produit"));
    table->setIndex(QStringLiteral("XREF"));
    for (const QString &key : {QStringLiteral("K1"), QStringLiteral("k1")}) {
        table->Seek(QStringLiteral("="), MixedValue(key));
        QCOMPARE(table->Fields()[1].Value(), text(u"premier"));
        QCOMPARE(table->AbsolutePosition(), 0);
    }
}

void SeekTest::failedSeekLeavesNoCurrentRecord()
{
    const auto table = openTable();
    table->Seek(QStringLiteral("="), MixedValue(QStringLiteral("X1")));
    QCOMPARE(table->Fields()[3].Value(), MixedValue(Currency::fromTenThousandths(29500)));

    table->Seek(QStringLiteral("="), MixedValue(QStringLiteral("nothing")));
    QVERIFY(table->NoMatch());
    QCOMPARE(table->AbsolutePosition(), -1);
    for (const std::int16_t position : {std::int16_t(0), std::int16_t(1), std::int16_t(3)}) {
        const EngineFailure failure = failureOf([&] { table->Fields()[position].Value(); });
        QCOMPARE(failure.number, 3021);
        QCOMPARE(failure.description, QStringLiteral("Aucun enregistrement en cours."));
    }
    QCOMPARE(failureOf([&] { table->MoveNext(); }).number, 3021);

    // Positioned again, by a look-up that succeeds or by a move.
    table->Seek(QStringLiteral("="), MixedValue(QStringLiteral("agr-01")));
    QCOMPARE(table->Fields()[1].Value(), text(u"Agrafeuse"));
    table->Seek(QStringLiteral("="), MixedValue(QStringLiteral("nothing")));
    table->MoveFirst();
    QCOMPARE(table->Fields()[0].Value(), text(u"AGR-01"));
}

void SeekTest::numberKeyOnTextIndex()
{
    const auto table = openTable();
    table->Seek(QStringLiteral("="), MixedValue(std::int16_t(12)));
    QCOMPARE(table->Fields()[1].Value(), text(u"Référence en chiffres"));
    table->Seek(QStringLiteral("="), MixedValue::null());
    QVERIFY(table->NoMatch());
}

void SeekTest::misuses_data()
{
    QTest::addColumn<int>("misuse");
    QTest::addColumn<int>("number");
    QTest::newRow("index that does not exist") << 0 << 3800;
    QTest::newRow("seek with no index set") << 1 << 3019;
    QTest::newRow("comparison other than =") << 2 << 3251;
    QTest::newRow("comparison that is not one") << 3 << 3001;
    QTest::newRow("index on a query") << 4 << 3251;
    QTest::newRow("seek on a query") << 5 << 3251;
}

void SeekTest::misuses()
{
    QFETCH(int, misuse);
    QFETCH(int, number);
    const auto table = m_database->OpenRecordset(QStringLiteral("Produit"));
    const auto listing = m_database->OpenRecordset(ListingQuery);
    const MixedValue key(QStringLiteral("X1"));
    const std::function<void()> calls[] = {
        [&] { table->setIndex(QStringLiteral("XREFS")); },
        [&] { table->Seek(QStringLiteral("="), key); },
        [&] {
            table->setIndex(QStringLiteral("xref"));
            table->Seek(QStringLiteral(">="), key);
        },
        [&] {
            table->setIndex(QStringLiteral("XREF"));
            table->Seek(QStringLiteral("=="), key);
        },
        [&] { listing->setIndex(QStringLiteral("XREF")); },
        [&] { listing->Seek(QStringLiteral("="), key); },
    };
    const EngineFailure failure = failureOf(calls[misuse]);
    QCOMPARE(failure.number, number);
    QVERIFY(!failure.description.isEmpty());
    if (number == 3800)
        QVERIFY(failure.description.contains(QStringLiteral("« XREFS »")));
}

// The look-up structure is built once: the same record set, and another one over the same
// table, find any of many products.
void SeekTest::seekOnManyProducts()
{
    const QString file = m_files.write(QStringLiteral("many.mdb"), syntheticCatalogueTsv(20000, 3));
    const auto database = jet::DBEngine::OpenDatabase(file);
    const auto all = database->OpenRecordset(QStringLiteral("Produit"));
    const QStringList refs = remainingTexts(*all, 0);
    const auto table = database->OpenRecordset(QStringLiteral("Produit"));
    table->setIndex(QStringLiteral("XREF"));
    for (int i = 0; i < refs.size(); i += 997) {
        table->Seek(QStringLiteral("="), MixedValue(refs[i].toLower()));
        QCOMPARE(table->AbsolutePosition(), i);
    }
}

QTEST_GUILESS_MAIN(SeekTest)
#include "tst_jet_seek.moc"
