#include "CatalogueCheck.h"

#include "ColumnType.h"
#include "Jet.h"
#include "LeftOutRows.h"
#include "RuntimeError.h"

#include <array>

namespace catalogue {

using jet::ColumnType;

static_assert(int(CheckReport::Verdict::WithoutRowsLeftOut) == RowsLeftOutStatus, "one status for rows left out");

namespace {

const QString ProductTable = QStringLiteral("Produit");
const QString LookUpIndex = QStringLiteral("XREF");
// Products named one by one in each finding; the rest are counted.
constexpr int MostProductsNamed = 10;

enum class Expected { Text, Number };

struct ExpectedField {
    const char16_t *name;
    Expected kind;
    // What the program shows of whatever field stands at this position, since it reads
    // the table by position (the listing's query reads the fields by name).
    const char16_t *readByPosition;
};

const std::array<ExpectedField, 4> ExpectedFields = {{
    {u"ref", Expected::Text, u"la liste des références montrera %1"},
    {u"desi", Expected::Text, u"la recherche affichera %1 comme désignation"},
    {u"qté", Expected::Number, u"%1 est rangé là où la quantité est attendue"},
    {u"prixvente", Expected::Number, u"la recherche affichera %1 comme prix"},
}};
const QString ListingQuery = QStringLiteral(
    "select Produit.ref,Produit.desi,Produit.qté,Produit.prixvente from Produit order by produit.desi asc");

QString typeDescription(ColumnType type, std::int32_t size)
{
    switch (type) {
    case ColumnType::Text:
        return QStringLiteral("texte de %1 caractères").arg(size);
    case ColumnType::Memo:
        return QStringLiteral("mémo");
    case ColumnType::Byte:
        return QStringLiteral("octet");
    case ColumnType::Integer:
        return QStringLiteral("entier");
    case ColumnType::Long:
        return QStringLiteral("entier long");
    case ColumnType::Currency:
        return QStringLiteral("monétaire");
    case ColumnType::Single:
        return QStringLiteral("réel simple");
    case ColumnType::Double:
        return QStringLiteral("réel double");
    case ColumnType::Decimal:
        return QStringLiteral("décimal");
    case ColumnType::BigInt:
        return QStringLiteral("grand entier");
    case ColumnType::DateTime:
        return QStringLiteral("date");
    case ColumnType::Boolean:
        return QStringLiteral("oui/non");
    case ColumnType::Binary:
        return QStringLiteral("binaire");
    case ColumnType::LongBinary:
        return QStringLiteral("objet OLE");
    case ColumnType::Guid:
        return QStringLiteral("identifiant GUID");
    case ColumnType::Complex:
        return QStringLiteral("pièce jointe ou valeurs multiples");
    }
    return QStringLiteral("type %1").arg(int(type));
}

bool fits(ColumnType type, Expected kind)
{
    switch (type) {
    case ColumnType::Text:
    case ColumnType::Memo:
        return kind == Expected::Text;
    case ColumnType::Byte:
    case ColumnType::Integer:
    case ColumnType::Long:
    case ColumnType::Currency:
    case ColumnType::Single:
    case ColumnType::Double:
    case ColumnType::Decimal:
    case ColumnType::BigInt:
        return kind == Expected::Number;
    default:
        return false;
    }
}

bool sameName(const QString &a, const QString &b)
{
    return a.normalized(QString::NormalizationForm_C)
               .compare(b.normalized(QString::NormalizationForm_C), Qt::CaseInsensitive) == 0;
}

QString quoted(const QString &text)
{
    return QStringLiteral("« %1 »").arg(text);
}

// Findings about products, named up to a limit and counted beyond it.
class ProductFindings {
public:
    explicit ProductFindings(QString heading) : m_heading(std::move(heading)) {}

    void add(const QString &product)
    {
        if (m_count++ < MostProductsNamed)
            m_named.append(product);
    }

    void report(QStringList &lines) const
    {
        if (m_count == 0)
            return;
        lines.append(QStringLiteral("%1 (%2) :").arg(m_heading).arg(m_count));
        for (const QString &product : m_named)
            lines.append(QStringLiteral("  - %1").arg(product));
        if (m_count > MostProductsNamed)
            lines.append(QStringLiteral("  - … et %1 autre(s)").arg(m_count - MostProductsNamed));
    }

    bool any() const { return m_count > 0; }

private:
    QString m_heading;
    QStringList m_named;
    int m_count = 0;
};

class Check {
public:
    explicit Check(const QString &path) : m_path(path) {}

    CheckReport run()
    {
        m_report.lines.append(QStringLiteral("Catalogue %1").arg(quoted(m_path)));
        try {
            m_database = jet::DBEngine::OpenDatabase(m_path);
        } catch (const RuntimeError &error) {
            return unreadable(error);
        }
        try {
            checkTable();
        } catch (const RuntimeError &error) {
            if (error.number() != 3078)
                return unreadable(error);
            problem(QStringLiteral("pas de table %1 : le programme ne peut pas démarrer. Tables du fichier : %2.")
                        .arg(quoted(ProductTable), m_database->TableNames().join(QStringLiteral(", "))));
        }
        if (m_report.verdict == CheckReport::Verdict::Usable && !m_leftOut.empty())
            m_report.verdict = CheckReport::Verdict::WithoutRowsLeftOut;
        switch (m_report.verdict) {
        case CheckReport::Verdict::Usable:
            m_report.lines.append(QStringLiteral("Verdict : ce fichier peut servir de catalogue au programme."));
            break;
        case CheckReport::Verdict::WithoutRowsLeftOut:
            m_report.lines.append(
                QStringLiteral("Verdict : ce fichier peut servir de catalogue au programme, sans ses "
                               "lignes illisibles ; faites-le réparer par le logiciel qui le tient."));
            break;
        default:
            m_report.lines.append(QStringLiteral("Verdict : ce fichier ne peut pas servir de catalogue au programme."));
        }
        return m_report;
    }

private:
    void problem(const QString &line)
    {
        m_report.lines.append(QStringLiteral("Problème : %1").arg(line));
        m_report.verdict = CheckReport::Verdict::Unusable;
    }

    void fine(const QString &line) { m_report.lines.append(QStringLiteral("Bon : %1").arg(line)); }

    CheckReport unreadable(const RuntimeError &error)
    {
        m_report.lines.append(QStringLiteral("Le fichier ne peut pas être lu : %1 (erreur %2).")
                                  .arg(error.description())
                                  .arg(error.number()));
        m_report.verdict = CheckReport::Verdict::Unreadable;
        return m_report;
    }

    void checkTable()
    {
        std::unique_ptr<jet::Recordset> table = m_database->OpenRecordset(ProductTable);
        fine(QStringLiteral("la table %1 est là, avec %2 produit(s).")
                 .arg(quoted(ProductTable))
                 .arg(table->RecordCount()));
        checkLeftOutRows(*table);
        const bool fieldsFit = checkFields(*table);
        const bool listingRuns = checkListing();
        const bool indexFits = checkIndex();
        if (fieldsFit && listingRuns)
            checkProducts(*table, indexFits);
    }

    bool checkFields(const jet::Recordset &table)
    {
        const jet::Fields &fields = table.Fields();
        QStringList found;
        bool allFit = true;
        for (std::size_t i = 0; i < ExpectedFields.size(); ++i) {
            const ExpectedField &expected = ExpectedFields[i];
            const QString wanted = QString::fromUtf16(expected.name);
            if (std::int16_t(i) >= fields.Count()) {
                problem(QStringLiteral("le champ %1 manque (position %2).").arg(quoted(wanted)).arg(i));
                allFit = false;
                continue;
            }
            const jet::Field field = fields[std::int16_t(i)];
            const auto type = ColumnType(field.Type());
            found.append(QStringLiteral("%1 (%2)").arg(field.Name(), typeDescription(type, field.Size())));
            if (!sameName(field.Name(), wanted)) {
                problem(QStringLiteral("à la position %1, le champ %2 au lieu de %3 : %4.")
                            .arg(i)
                            .arg(quoted(field.Name()), quoted(wanted),
                                 QString::fromUtf16(expected.readByPosition).arg(quoted(field.Name()))));
                allFit = false;
            } else if (!fits(type, expected.kind)) {
                problem(QStringLiteral("le champ %1 est de type %2, il faut %3.")
                            .arg(quoted(wanted), typeDescription(type, field.Size()),
                                 expected.kind == Expected::Text ? QStringLiteral("un texte")
                                                                 : QStringLiteral("un nombre")));
                allFit = false;
            }
        }
        if (allFit)
            fine(QStringLiteral("les champs sont dans l'ordre attendu : %1.").arg(found.join(QStringLiteral(", "))));
        return allFit;
    }

    // Every row named: the back office's people need each one to repair the file.
    void checkLeftOutRows(const jet::Recordset &table)
    {
        m_leftOut = table.LeftOutRows();
        if (m_leftOut.empty())
            return;
        m_report.lines.append(QStringLiteral("Attention : %1 ligne(s) de la table %2 illisible(s), le programme les "
                                             "laissera de côté et listera tous les autres produits :")
                                  .arg(m_leftOut.size())
                                  .arg(quoted(ProductTable)));
        for (const jet::LeftOutRow &row : m_leftOut)
            m_report.lines.append(QStringLiteral("  - %1").arg(leftOutRowText(row)));
    }

    // Products are numbered by their place in the table as stored, as the rows left out
    // are: `index` counts only the rows read.
    QString productName(std::int32_t index, const MixedValue &reference) const
    {
        std::uint32_t number = std::uint32_t(index) + 1;
        for (const jet::LeftOutRow &row : m_leftOut) {
            if (row.position > number)
                break;
            ++number;
        }
        if (reference.isText())
            return QStringLiteral("produit n° %1 (%2)").arg(number).arg(quoted(reference.as<QString>()));
        return QStringLiteral("produit n° %1").arg(number);
    }

    // The listing's own query, as the program runs it.
    bool checkListing()
    {
        try {
            m_database->OpenRecordset(ListingQuery);
        } catch (const RuntimeError &error) {
            problem(QStringLiteral("la liste des produits ne peut pas se remplir : %1 (erreur %2).")
                        .arg(error.description())
                        .arg(error.number()));
            return false;
        }
        return true;
    }

    bool checkIndex()
    {
        for (const jet::IndexDescription &index : m_database->TableIndexes(ProductTable)) {
            if (!sameName(index.name, LookUpIndex))
                continue;
            if (!sameName(index.fields.front(), QStringLiteral("ref"))) {
                problem(QStringLiteral("l'index %1 porte sur %2 et non sur « ref » : la recherche par référence ne "
                                       "trouvera rien de juste.")
                            .arg(quoted(index.name), quoted(index.fields.front())));
                return false;
            }
            fine(QStringLiteral("l'index %1 porte sur « ref »%2.")
                     .arg(quoted(index.name), index.unique ? QStringLiteral(" (sans doublon)") : QString()));
            return true;
        }
        problem(QStringLiteral("pas d'index %1 sur « ref » : aucune recherche par référence n'aboutira.")
                    .arg(quoted(LookUpIndex)));
        return false;
    }

    void checkProducts(jet::Recordset &table, bool canSeek)
    {
        ProductFindings nullReferences(QStringLiteral(
            "Problème : référence vide (Null), le programme s'arrêtera en remplissant la liste des références"));
        ProductFindings nullNumbers(
            QStringLiteral("Problème : quantité ou prix vide (Null), la liste des produits s'arrêtera sur ce produit"));
        ProductFindings hidden(QStringLiteral("Attention : référence égale à celle d'un produit précédent (à la casse "
                                              "près), la recherche ne trouvera que le premier"));

        std::vector<MixedValue> references;
        for (std::int32_t position = 0; !table.Eof(); ++position, table.MoveNext()) {
            const MixedValue reference = table.Fields()[0].Value();
            references.push_back(reference);
            if (reference.isNull())
                nullReferences.add(productName(position, reference));
            if (table.Fields()[2].Value().isNull() || table.Fields()[3].Value().isNull())
                nullNumbers.add(productName(position, reference));
        }
        if (canSeek) {
            // Looked up exactly as the program does: whatever the index finds first for a
            // product's own reference is what a user typing it will get.
            table.setIndex(LookUpIndex);
            for (std::int32_t position = 0; position < std::int32_t(references.size()); ++position) {
                if (references[std::size_t(position)].isNull())
                    continue;
                table.Seek(QStringLiteral("="), references[std::size_t(position)]);
                const std::int32_t found = table.AbsolutePosition();
                if (found != position)
                    hidden.add(QStringLiteral("%1, trouvé à sa place : %2")
                                   .arg(productName(position, references[std::size_t(position)]),
                                        productName(found, references[std::size_t(found)])));
            }
        }
        if (nullReferences.any())
            m_report.verdict = CheckReport::Verdict::Unusable;
        if (nullNumbers.any())
            m_report.verdict = CheckReport::Verdict::Unusable;
        nullReferences.report(m_report.lines);
        nullNumbers.report(m_report.lines);
        hidden.report(m_report.lines);
        if (!nullReferences.any() && !nullNumbers.any() && !hidden.any())
            fine(references.empty() ? QStringLiteral("la table est vide : le programme démarrera sans produit.")
                                    : QStringLiteral("chaque produit peut être listé et retrouvé par sa référence."));
    }

    QString m_path;
    CheckReport m_report;
    std::shared_ptr<jet::Database> m_database;
    std::vector<jet::LeftOutRow> m_leftOut;  // of the table Produit
};

}  // namespace

CheckReport checkCatalogue(const QString &path)
{
    return Check(path).run();
}

}  // namespace catalogue
