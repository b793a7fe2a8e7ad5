// The look-up through "XREF" finds exactly what the General sort order calls equal: ICU's
// French collator at secondary strength, whose sort keys are equal for equal texts. The
// engine finds its candidates by a hash of the collator's primary weights, taken from a
// table of each character's weights for texts below U+0100 and from ICU for the others;
// a hash that differed for two equal texts would make a look-up miss. Here thousands of
// references, written into a real catalogue, are looked up through keys that write them
// otherwise (case, fullwidth and mathematical letters, ligatures, combining accents,
// controls and zero-width characters the collator ignores, no-break spaces), each key
// against the collator itself: the first row in stored order whose sort key equals the
// key's, or none.

#include "CatalogueFixtures.h"
#include "ColumnType.h"
#include "FrenchSortKeys.h"
#include "ValueText.h"

#include <QHash>
#include <QRandomGenerator>
#include <QtTest/QtTest>
#include <algorithm>
#include <memory>
#include <unicode/ucol.h>
#include <unicode/uset.h>

namespace {

// Characters a reference is made of: mostly letters and digits (so that references meet
// in their variants), and every kind the table and ICU may see differently.
const QString Plain = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789");
QString specials()
{
    QString chars = QStringLiteral(" -_./,;:'\"()[]*+=#&@!?\\\t\n");
    for (char16_t c = 0x01; c < 0x20; ++c) {
        if (c != u'\r')
            chars += QChar(c);
    }
    for (char16_t c = 0x7F; c <= 0xFF; ++c)  // the rest of Latin-1, U+00B7 and U+00AD among them
        chars += QChar(c);
    chars +=
        QStringLiteral("œŒ€’–ΩЖ\u200B\u200D\u034F\u0301\u0327\uFB01\uFB00\u212A\u212B\u2163\u2460\uFF21\uFF41\uFF11");
    chars += QString::fromUcs4(U"\U0001D400\U0001D41A");  // mathematical bold A and a
    return chars;
}

class Texts {
public:
    explicit Texts(quint32 seed) : m_random(seed), m_specials(specials()) {}

    QString reference()
    {
        QString text;
        const int length = 1 + m_random.bounded(8);
        for (int i = 0; i < length; ++i) {
            const QString &pool = m_random.bounded(4) == 0 ? m_specials : Plain;
            text += pool.mid(m_random.bounded(pool.size()), 1);
        }
        return text;
    }

    // The same reference written otherwise, or now and then another one.
    QString variant(const QString &text)
    {
        static const QString Ignorable = QStringLiteral("\u200B\u0001\u00AD\u034F\u007F");
        QString out;
        for (const QChar c : text) {
            const int dice = m_random.bounded(20);
            if (dice == 0)
                out += Ignorable[m_random.bounded(Ignorable.size())];
            if (c.isLetter() && c.unicode() < 0x80 && dice < 8) {
                out += c.isUpper() ? c.toLower() : c.toUpper();
            } else if (c.unicode() >= u'A' && c.unicode() <= u'Z' && dice == 8) {
                out += QChar(char16_t(0xFF21 + (c.unicode() - u'A')));  // fullwidth
            } else if (c.unicode() >= u'a' && c.unicode() <= u'z' && dice == 9) {
                out += QString::fromUcs4(std::u32string(1, char32_t(0x1D41A + (c.unicode() - u'a'))).c_str());
            } else if (c == u' ' && dice < 10) {
                out += QChar(0x00A0);
            } else if (dice == 10 && !c.decomposition().isEmpty() && c.decompositionTag() == QChar::Canonical) {
                out += c.decomposition();
            } else if (dice == 11 && m_random.bounded(4) == 0) {
                out += Plain[m_random.bounded(Plain.size())];  // another text, stored or not
            } else {
                out += c;
            }
        }
        return out.replace(QStringLiteral("fi"), QStringLiteral("\uFB01"));
    }

private:
    QRandomGenerator m_random;
    QString m_specials;
};

}  // namespace

class SeekEqualityTest : public QObject {
    Q_OBJECT

private slots:
    void seekFindsWhatTheCollatorCallsEqual();
    void latin1ContractionsAllHoldTheMiddleDot();

private:
    CatalogueFiles m_files;
};

void SeekEqualityTest::seekFindsWhatTheCollatorCallsEqual()
{
    Texts texts(20240611);
    QStringList written;
    // Every character alone and every pair of a few that meet in contractions, expansions
    // or ignorables, then references at random, each also stored written otherwise.
    for (char16_t c = 1; c <= 0xFF; ++c) {
        if (c != u'\r')
            written << QString(QChar(c));
    }
    const QString pairs = QStringLiteral("Ll\u00B7aAeEsS\u00DF\u00E6\u00C6\u00BD\u00AD\u0001 \u00A0-9\u00AA\u00E9");
    for (const QChar a : pairs) {
        for (const QChar b : pairs)
            written << QString(a) + b;
    }
    for (int i = 0; i < 3000; ++i) {
        written << texts.reference();
        if (i % 3 == 0)
            written << texts.variant(written.back());
    }
    // What the writer's text format cannot say: a null, a comment line.
    written.removeIf([](const QString &text) { return text == u"NULL" || text.startsWith(u'#'); });

    QString tsv = QStringLiteral("ref:TEXT(80)\tdesi:TEXT(10)\tqté:INT\tprixvente:MONEY\n");
    for (const QString &reference : written)
        tsv += catalogue::valueText(MixedValue(reference), std::int16_t(jet::ColumnType::Text)) +
               QStringLiteral("\td\t1\t1\n");
    const auto database = jet::DBEngine::OpenDatabase(m_files.write(QStringLiteral("equality.mdb"), tsv));
    const auto table = database->OpenRecordset(QStringLiteral("Produit"));
    const QStringList stored = remainingTexts(*table, 0);
    QCOMPARE(stored, written);

    const FrenchSortKeys sortKeys;
    QHash<QByteArray, int> firstWithKey;
    for (int row = 0; row < stored.size(); ++row) {
        const QByteArray key = sortKeys.of(stored[row]);
        if (!firstWithKey.contains(key))
            firstWithKey.insert(key, row);
    }

    table->setIndex(QStringLiteral("XREF"));
    int found = 0;
    for (const QString &reference : stored) {
        // A zero-width space makes the key go through ICU whatever the reference's characters.
        for (const QString &key : {reference + QChar(0x200B), texts.variant(reference), texts.variant(reference)}) {
            table->Seek(QStringLiteral("="), MixedValue(key));
            const int expected = firstWithKey.value(sortKeys.of(key), -1);
            if (table->AbsolutePosition() != expected)
                QFAIL(qPrintable(QStringLiteral("key « %1 » (%2): row %3 found, row %4 expected")
                                     .arg(key, QString::fromLatin1(key.toUtf8().toHex(' ')))
                                     .arg(table->AbsolutePosition())
                                     .arg(expected)));
            QCOMPARE(table->NoMatch(), expected < 0);
            found += expected >= 0;
        }
    }
    // Most keys are their reference written otherwise: the check is about finding.
    QVERIFY(found > 2 * stored.size());
}

// The engine hashes a text of characters below U+0100 from each character's own weights,
// except when it holds U+00B7: a contraction of other such characters, which the collator
// weighs as one unit, would make that hash differ from ICU's for the same text.
void SeekEqualityTest::latin1ContractionsAllHoldTheMiddleDot()
{
    const FrenchSortKeys sortKeys;
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<USet, decltype(&uset_close)> contractions(uset_openEmpty(), &uset_close);
    ucol_getContractionsAndExpansions(sortKeys.collator(), contractions.get(), nullptr, true, &status);
    QVERIFY(U_SUCCESS(status));
    int latin1 = 0;
    for (int i = 0; i < uset_getItemCount(contractions.get()); ++i) {
        UChar32 start = 0, end = 0;
        UChar chars[64];
        const int length = uset_getItem(contractions.get(), i, &start, &end, chars, 64, &status);
        const QString contraction = QString::fromUtf16(reinterpret_cast<const char16_t *>(chars), length);
        if (length <= 0 ||
            std::any_of(contraction.begin(), contraction.end(), [](QChar c) { return c.unicode() > 0xFF; }))
            continue;
        ++latin1;
        QVERIFY2(contraction.contains(QChar(0x00B7)), qPrintable(contraction));
    }
    QVERIFY(latin1 > 0);  // "L·" and "l·": the check saw them
}

QTEST_GUILESS_MAIN(SeekEqualityTest)
#include "tst_jet_seek_equality.moc"
