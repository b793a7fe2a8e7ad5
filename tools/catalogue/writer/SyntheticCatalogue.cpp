#include "SyntheticCatalogue.h"

#include "CatalogueError.h"

#include <QStringList>
#include <array>
#include <cstdint>

namespace jetwriter {

namespace {

// SplitMix64: tiny, and the same sequence on every platform (unlike the standard
// library's distributions).
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int bound) { return int(next() % std::uint64_t(bound)); }
    double unit() { return double(next() >> 11) / double(1ull << 53); }

private:
    std::uint64_t m_state;
};

struct Family {
    const char16_t *code;  // start of the reference
    std::array<const char16_t *, 4> items;
};

const std::array<Family, 8> Families = {{
    {u"CAH", {u"Cahier à spirale", u"Cahier de brouillon", u"Carnet de croquis", u"Bloc-notes"}},
    {u"STY", {u"Stylo bille", u"Stylo plume", u"Feutre pointe fine", u"Surligneur"}},
    {u"CRA", {u"Crayon à papier", u"Crayons de couleur", u"Taille-crayon", u"Gomme blanche"}},
    {u"CLA", {u"Classeur à levier", u"Chemise cartonnée", u"Pochettes perforées", u"Intercalaires"}},
    {u"PAP", {u"Ramette de papier", u"Enveloppes kraft", u"Étiquettes adhésives", u"Papier calque"}},
    {u"GEO", {u"Règle graduée", u"Équerre", u"Rapporteur", u"Compas à molette"}},
    {u"BUR", {u"Agrafeuse", u"Trombones", u"Ciseaux", u"Colle en bâton"}},
    {u"ART", {u"Pinceau", u"Peinture gouache", u"Pastels à l'huile", u"Toile à peindre"}},
}};

const std::array<const char16_t *, 16> Qualifiers = {
    u"bleu",
    u"rouge",
    u"vert",
    u"noir",
    u"A4",
    u"A5",
    u"grands carreaux",
    u"recyclé",
    u"PREMIUM",
    u"lot de 10",
    u"format géant",
    u"spécial école",
    u"qualité supérieure",
    u"métallique",
    u"fluo",
    u"ÉCO",
};

// A prime above the largest count: i ↦ (i × step + offset) mod it is one-to-one, which
// keeps references distinct while scattering them.
constexpr std::uint64_t ReferenceModulus = 1000003;
constexpr std::uint64_t ReferenceStep = 7919;

constexpr int LowestPriceCents = 50;
constexpr int HighestPriceCents = 500000;

QString priceText(int cents)
{
    return QStringLiteral("%1.%2").arg(cents / 100).arg(cents % 100, 2, 10, QLatin1Char('0'));
}

}  // namespace

QString syntheticProductsTsv(int count, quint32 seed)
{
    if (count < 0 || count > MaxSyntheticProducts)
        throw CatalogueError(
            QStringLiteral("nombre de produits %1 hors limites (0 à %2)").arg(count).arg(MaxSyntheticProducts));
    Random random(seed);
    QString text = QStringLiteral("ref:TEXT(12)\tdesi:TEXT(80)\tqté:INT\tprixvente:MONEY\n");
    text.reserve(qsizetype(count) * 60);
    for (int i = 0; i < count; ++i) {
        const Family &family = Families[std::size_t(random.below(int(Families.size())))];
        const std::uint64_t number = (std::uint64_t(i) * ReferenceStep + seed) % ReferenceModulus;
        QString designation = QString::fromUtf16(family.items[std::size_t(random.below(int(family.items.size())))]);
        designation += u' ';
        designation += QString::fromUtf16(Qualifiers[std::size_t(random.below(int(Qualifiers.size())))]);
        if (random.below(3) == 0)
            designation += QStringLiteral(" n°%1").arg(1 + random.below(99));
        const int quantity = 1 + random.below(50);
        // Cubed: most prices small, a few large, as in a shop.
        const double skew = random.unit();
        const int cents = LowestPriceCents + int(skew * skew * skew * (HighestPriceCents - LowestPriceCents));

        text += QString::fromUtf16(family.code);
        text += QStringLiteral("-%1\t").arg(number, 7, 10, QLatin1Char('0'));
        text += designation;
        text += u'\t';
        text += QString::number(quantity);
        text += u'\t';
        text += priceText(cents);
        text += u'\n';
    }
    return text;
}

}  // namespace jetwriter
