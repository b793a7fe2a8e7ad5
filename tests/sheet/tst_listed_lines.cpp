// Listed lines are kept as their products and figured when shown; lines added or edited keep
// texts of their own. A sheet of listed lines must behave exactly as the same sheet made of
// the very same texts: two windows, one listing the catalogue, the other holding the
// listing's texts as lines of its own, go through the same user actions, and every cell and
// both counters must read the same after each.

#include "FicheTestSupport.h"
#include "SheetTestKit.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace SheetTest;

namespace {

// Quantities and prices at the edges of the rules: halves of a cent, four decimals,
// thousands, a negative quantity, nulls, texts that read as numbers; then ordinary lines.
QString catalogue(const QString &quantityType, const QString &priceType, const QString &quantityText)
{
    QString tsv = FicheTest::productColumns(quantityType, priceType);
    tsv += QStringLiteral("\n"
                          "H1\tDemi-centime\t1\t0.005\n"
                          "H2\tDemi-centime double\t2\t0.0025\n"
                          "Q1\tQuatre décimales\t3\t19.9999\n"
                          "M1\tMilliers\t2\t1234.565\n"
                          "M2\tMillions\t7\t1234567.891\n"
                          "N1\tNégatif\t-3\t4.25\n"
                          "Z1\tSans quantité\tNULL\t7\n"
                          "Z2\tSans prix\t2\tNULL\n");
    tsv += QStringLiteral("T1\tQuantité texte\t%1\t3.5\n").arg(quantityText);
    for (int n = 1; n <= 60; ++n)
        tsv += QStringLiteral("P%1\tProduit %2\t%3\t%4.%5\n")
                   .arg(n)
                   .arg(n % 7)
                   .arg(n % 9 + 1)
                   .arg(n * 13)
                   .arg(n * 7 % 100);
    return tsv;
}

QList<QStringList> allCells(const LineGrid &grid)
{
    QList<QStringList> cells;
    for (int row = 1; row < grid.RowCount(); ++row)
        cells << lineCells(grid, row);
    return cells;
}

}  // namespace

class ListedLinesTest : public QObject {
    Q_OBJECT

private slots:
    void sameAsTheSameTexts_data()
    {
        QTest::addColumn<QString>("tsv");
        QTest::addColumn<bool>("french");
        for (const bool french : {true, false}) {
            const char *settings = french ? "French" : "English";
            QTest::addRow("money price, whole quantity, %s", settings) << catalogue("INT", "MONEY", "4") << french;
            QTest::addRow("real price and quantity, %s", settings) << catalogue("DOUBLE", "DOUBLE", "1.5") << french;
            QTest::addRow("text quantity, %s", settings) << catalogue("TEXT(10)", "MONEY", "2") << french;
        }
    }

    void sameAsTheSameTexts()
    {
        QFETCH(QString, tsv);
        QFETCH(bool, french);
        const RegionalSettings rs = RegionalSettings::fromLocale(
            french ? QLocale(QLocale::French, QLocale::France) : QLocale(QLocale::English, QLocale::UnitedStates));
        QTemporaryDir dir;
        const QString file = FicheTest::writeCatalogue(dir, tsv);

        const auto listed = FicheTest::loadForm(file, rs);
        const FicheTest::Controls a(*listed);
        const auto own = FicheTest::loadForm(file, rs);
        const FicheTest::Controls b(*own);
        QTest::mouseClick(b.Nouveau, Qt::LeftButton);
        for (const QStringList &line : allCells(*a.G))
            b.G->AppendRow(line.join(u'\t'));
        b.nbr->setText(a.nbr->text());
        b.totaux->setText(a.totaux->text());
        for (Form2 *form : {listed.get(), own.get()})
            form->setQuestion([](const QString &) { return false; });  // one step per move

        const auto expectTheSame = [&](const char *after) {
            QCOMPARE(allCells(*a.G), allCells(*b.G));
            QVERIFY2(a.nbr->text() == b.nbr->text(), after);
            QVERIFY2(a.totaux->text() == b.totaux->text(), after);
        };
        const auto forBoth = [&](const std::function<void(const FicheTest::Controls &)> &action) {
            for (const FicheTest::Controls *window : {&a, &b}) {
                FicheTest::showActive(*window->form);
                action(*window);
            }
        };
        const auto addLine = [](const FicheTest::Controls &c) {
            c.Ref->setEditText(QStringLiteral("M1"));
            c.qte->setText(QStringLiteral("3"));
            c.remise->setText(QStringLiteral("5"));
            c.total->setFocus();
            QTest::keyClick(c.total, Qt::Key_Return);
        };

        forBoth(addLine);  // counted from every total cell, listed ones included
        expectTheSame("a line added");
        forBoth([](const FicheTest::Controls &c) { editCell(*c.G, 4, 2, QStringLiteral("5")); });
        expectTheSame("a listed line edited, the sheet repriced");
        forBoth([](const FicheTest::Controls &c) {
            clickLine(*c.G, c.G->RowCount() - 2);  // the last listed line, below it the added one
            QTest::mouseClick(c.bas, Qt::LeftButton);
            clickLine(*c.G, 2);
            QTest::mouseClick(c.haut, Qt::LeftButton);
        });
        expectTheSame("lines moved across listed and own ones");
        forBoth(addLine);  // counted from the repriced totals
        expectTheSame("a line added after the repricing");
        forBoth([](const FicheTest::Controls &c) { editCell(*c.G, 1, 3, QStringLiteral("2,5")); });
        expectTheSame("a price edited, the sheet repriced again");
        forBoth([](const FicheTest::Controls &c) { QTest::mouseClick(c.Nouveau, Qt::LeftButton); });
        forBoth(addLine);
        expectTheSame("a new sheet");
    }
};

QTEST_MAIN(ListedLinesTest)
#include "tst_listed_lines.moc"
