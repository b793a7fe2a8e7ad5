// The sheet at start-up lists every product of the catalogue, sorted by designation and
// priced at its stored quantity and sale price, with the line count and the grand total;
// "Nouveau" clears it.
//
// The listing handles no failure: one leaves it (and start-up) with the lines listed so
// far. A product without quantity or price is a valid one: it is listed with an empty
// line total and adds nothing to the grand total.

#include "ErrorMode.h"
#include "Form2.h"
#include "LineGrid.h"
#include "Module1.h"

#include <QLabel>
#include <algorithm>
#include <initializer_list>
#include <optional>

namespace {

const QString ListingQuery = QStringLiteral(
    "select Produit.ref,Produit.desi,Produit.qté,Produit.prixvente from Produit order by produit.desi asc");

// The cells joined by tabs, made at their exact size: the text the grid keeps for the line.
QString tabSeparated(std::initializer_list<QStringView> cells)
{
    qsizetype size = qsizetype(cells.size()) - 1;
    for (const QStringView cell : cells)
        size += cell.size();
    QString line(size, Qt::Uninitialized);
    QChar *next = line.data();
    bool first = true;
    for (const QStringView cell : cells) {
        if (!first)
            *next++ = u'\t';
        first = false;
        next = std::copy(cell.begin(), cell.end(), next);
    }
    return line;
}

// The line count and the grand total as their captions carry them: the count read back
// and incremented, the total read back, added to and written rounded to the cent, line
// after line. They run here and reach the captions once, when the listing ends, however
// it ends: the captions then read what they would have read had each line written them,
// without 100 000 label updates. The total is carried as the number its text would read
// back as, which is what the next line adds to.
class RunningCounters {
public:
    RunningCounters(QLabel &count, QLabel &sum, const RegionalSettings &rs)
        : m_countCaption(count), m_sumCaption(sum), m_rs(rs), m_sumReadBack(ReadLocaleDouble(sum.text(), rs))
    {}
    ~RunningCounters()
    {
        if (m_count == 0)
            return;  // nothing listed: the captions keep their "0"
        m_countCaption.setText(PlainNumberText(m_count, m_rs));
        if (m_sum)
            m_sumCaption.setText(FormatStandard(*m_sum, m_rs));
    }
    RunningCounters(const RunningCounters &) = delete;
    RunningCounters &operator=(const RunningCounters &) = delete;

    // The caption's plain digits read back are the count itself.
    void countLine() { m_count = CheckedDouble(m_count + 1); }

    void add(const MixedValue &lineTotal)
    {
        using namespace MixedArithmetic;
        m_sum = ToCurrency(Add(MixedValue(m_sumReadBack), lineTotal, m_rs), m_rs);
        m_sumReadBack = StandardReadBack(*m_sum);
    }

private:
    QLabel &m_countCaption;
    QLabel &m_sumCaption;
    const RegionalSettings &m_rs;
    double m_count = 0;
    double m_sumReadBack;           // the grand total's caption text, read back
    std::optional<Currency> m_sum;  // the grand total the caption is to show, once there is one
};

}  // namespace

void Form2::REMPLIR_Produit()
{
    using namespace MixedArithmetic;
    const RegionalSettings &rs = m_regional;
    const QString zero = PlainNumberText(std::int16_t{0}, rs);

    G->setRowCount(1);
    nbr->setText(zero);
    totaux->setText(zero);
    MixedValue lineTotal(std::int16_t{0});

    // A connection of its own, released when the listing ends.
    const std::shared_ptr<jet::Database> catalogue = jet::DBEngine::OpenDatabase(Module1::DatabaseFile());
    const std::unique_ptr<jet::Recordset> products = catalogue->OpenRecordset(ListingQuery);
    if (products->RecordCount() == 0)
        return;

    // The view hears of the lines once they are all listed, or when a failure ends the
    // listing; so do the captions.
    const LineGrid::BulkChange bulk(*G, products->RecordCount());
    RunningCounters counters(*nbr, *totaux, rs);
    const jet::Fields &field = products->Fields();
    do {
        const MixedValue quantity = field[2].Value();
        const MixedValue price = field[3].Value();
        lineTotal = Multiply(price, quantity, rs);
        G->AppendRow(
            tabSeparated({JoinedText(field[0].Value(), rs), JoinedText(field[1].Value(), rs), JoinedText(quantity, rs),
                          FormatAmount(price, rs), QString(), FormatAmount(lineTotal, rs)}));

        counters.countLine();
        if (!lineTotal.isNull())
            counters.add(lineTotal);
        products->MoveNext();
    } while (!products->Eof());
}

void Form2::Nouveau_Click()
{
    const ResumeNext onError;
    const QString zero = PlainNumberText(std::int16_t{0}, m_regional);
    onError.step([&] { G->setRowCount(1); });
    onError.step([&] { nbr->setText(zero); });
    onError.step([&] { totaux->setText(zero); });
}
