// The listing's order ("order by desi") is the General sort order's: ICU's French collator
// at secondary strength, designations it calls equal in stored order, nulls first. The
// engine ranks a French catalogue's designations by keys made from a table of each Latin-1
// character's primary weights, and those with the same weights by ICU's sort keys; it ranks
// any other column by ICU's sort keys alone. Here thousands of designations, written into
// a real catalogue, must come in the order the collator itself gives them, either way:
// words in every case and accent, letters the collator expands (ß, æ, ½), signs, digits,
// controls it ignores, repeats; then with the middle dot of "L·", which the table leaves
// to ICU, and with characters beyond Latin-1.

#include "CatalogueFixtures.h"
#include "ColumnType.h"
#include "FrenchSortKeys.h"
#include "ValueText.h"

#include <QRandomGenerator>
#include <QtTest/QtTest>
#include <algorithm>
#include <numeric>

namespace {

QStringList designations(quint32 seed, const QString &extraCharacters)
{
    static const QStringList Words = {
        QStringLiteral("Cahier"),  QStringLiteral("cahier"),   QStringLiteral("CAHIER"),    QStringLiteral("Équerre"),
        QStringLiteral("equerre"), QStringLiteral("Équerré"),  QStringLiteral("côte"),      QStringLiteral("coté"),
        QStringLiteral("cote"),    QStringLiteral("côté"),     QStringLiteral("Straße"),    QStringLiteral("strasse"),
        QStringLiteral("ex æquo"), QStringLiteral("ex aequo"), QStringLiteral("½"),         QStringLiteral("1/2"),
        QStringLiteral("n°12"),    QStringLiteral("n°2"),      QStringLiteral("lot de 10"), QStringLiteral("Lot-de-10"),
        QStringLiteral("a b"),     QStringLiteral("ab"),       QStringLiteral("A"),         QStringLiteral("à"),
    };
    QString characters = QStringLiteral(" -'.,0123456789azAZ\u0001\u007F\u00A0\u00AD");
    for (char16_t c = 0xC0; c <= 0xFF; ++c)
        characters += QChar(c);
    characters += extraCharacters;

    QRandomGenerator random(seed);
    QStringList texts;
    for (int i = 0; i < 4000; ++i) {
        if (i > 0 && random.bounded(10) == 0) {
            texts << texts[random.bounded(texts.size())];  // a repeat
            continue;
        }
        QString text;
        const int parts = 1 + random.bounded(4);
        for (int part = 0; part < parts; ++part) {
            if (random.bounded(3) == 0)
                text += characters[random.bounded(characters.size())];
            else
                text += Words[random.bounded(Words.size())] + u' ';
        }
        texts << text;
    }
    texts[17] = QStringLiteral("NULL");  // the writer's null
    texts[3000] = QStringLiteral("NULL");
    // What the writer's format cannot say: a line starting as a comment.
    for (QString &text : texts) {
        if (text.startsWith(u'#'))
            text.prepend(u'a');
    }
    return texts;
}

}  // namespace

class ListingOrderTest : public QObject {
    Q_OBJECT

private slots:
    void orderIsTheCollators_data();
    void orderIsTheCollators();

private:
    CatalogueFiles m_files;
};

void ListingOrderTest::orderIsTheCollators_data()
{
    QTest::addColumn<QString>("extraCharacters");
    QTest::newRow("Latin-1") << QString();
    QTest::newRow("middle dot") << QStringLiteral("\u00B7L\u00B7l");
    QTest::newRow("beyond Latin-1") << QStringLiteral("œŒ’€ΩЖ\u0301\uFB01\uFF21\u200B");
}

void ListingOrderTest::orderIsTheCollators()
{
    QFETCH(QString, extraCharacters);
    const QStringList texts = designations(20240612, extraCharacters);
    QString tsv = ProductHeader;
    for (int row = 0; row < texts.size(); ++row)
        tsv += QStringLiteral("R%1\t%2\t1\t1\n")
                   .arg(row)
                   .arg(catalogue::valueText(MixedValue(texts[row]), std::int16_t(jet::ColumnType::Text)));
    const auto database = jet::DBEngine::OpenDatabase(m_files.write(QStringLiteral("order.mdb"), tsv));

    const FrenchSortKeys sortKeys;
    std::vector<QByteArray> keys;
    for (const QString &text : texts)
        keys.push_back(text == u"NULL" ? QByteArray() : sortKeys.of(text));
    std::vector<int> rows(texts.size());
    std::iota(rows.begin(), rows.end(), 0);
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) { return keys[a] < keys[b]; });
    QStringList expected;
    for (const int row : rows)
        expected << QStringLiteral("R%1").arg(row);

    const auto listing = database->OpenRecordset(ListingQuery);
    QCOMPARE(remainingTexts(*listing, 0), expected);
}

QTEST_GUILESS_MAIN(ListingOrderTest)
#include "tst_jet_listing_order.moc"
