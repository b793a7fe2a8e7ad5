// The sheet's files, written through the grid's menu on the real window: the CSV read
// back by Python's csv module under French and English settings, the PDF's text read back
// by pdftotext, the catalogue refused as a target, and failures that leave no file and the
// sheet as it was.

#include "ExportTestKit.h"
#include "FicheTestSupport.h"
#include "SheetTestKit.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <unistd.h>

using namespace ExportTest;

namespace {

// Blanks inside and around fields, quotes, both separators, a line break, a reference
// that looks like a number, a negative price.
const QString QuotingCatalogue = FicheTest::ProductColumns + QStringLiteral("\n"
                                                                            "00123\tVis; tête \"fraisée\"\t2\t1234.5\n"
                                                                            "B-2\t Écrou avec blanc devant\t10\t0.25\n"
                                                                            "C-3\tRondelle, plate\t3\t12\n"
                                                                            "D-4\tClou \t5\t0.1\n"
                                                                            "E-5\tGoujon\\nfileté\t1\t2\n"
                                                                            "F-6\tAvoir\t1\t-5\n");

int rowOfReference(LineGrid &lines, const QString &reference)
{
    for (int row = 1; row < lines.RowCount(); ++row) {
        if (lines.CellText(row, 0) == reference)
            return row;
    }
    return 0;
}

// Spaces of any width as one plain space: pdftotext and the counters may write either.
QString plainSpaces(QString text)
{
    text.replace(QChar(0x00A0), u' ').replace(QChar(0x202F), u' ');
    return text;
}

// A line of the PDF's text holding these cells in this order, blanks inside a cell read
// as any run of blanks.
QRegularExpression printedLine(const QStringList &cells)
{
    QStringList parts;
    for (const QString &cell : cells) {
        if (!cell.trimmed().isEmpty())
            parts.append(QRegularExpression::escape(plainSpaces(cell).simplified())
                             .replace(QStringLiteral("\\ "), QStringLiteral("\\s+")));
    }
    return QRegularExpression(QStringLiteral("^\\s*") + parts.join(QStringLiteral("\\s+")) + QStringLiteral("\\s*$"),
                              QRegularExpression::MultilineOption);
}

}  // namespace

class SheetFilesTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void csvReadsBackAsTheGrid_data();
    void csvReadsBackAsTheGrid();
    void pdfHoldsTheWholeSheet();
    void catalogueRefused_data();
    void catalogueRefused();
    void failureLeavesNothing_data();
    void failureLeavesNothing();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void SheetFilesTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void SheetFilesTest::csvReadsBackAsTheGrid_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("typedQuantity");  // into the quantity of 00123, grouped
    QTest::addColumn<QStringList>("records");    // some lines exactly as the file must hold them

    QTest::newRow("French settings") << QLocale(QLocale::French, QLocale::France) << QChar(u';')
                                     << QStringLiteral("1\u00A0000")
                                     << QStringList{
                                            QStringLiteral(
                                                "00123;\"Vis; tête \"\"fraisée\"\"\";1000;1234,50;;1234500,00"),
                                            QStringLiteral("B-2;\" Écrou avec blanc devant\";10;0,25;;2,50"),
                                            QStringLiteral("C-3;Rondelle, plate;3;12,00;;36,00"),
                                            QStringLiteral("D-4;\"Clou \";5;0,10;;0,50"),
                                            QStringLiteral("F-6;Avoir;1;-5,00;;-5,00"),
                                        };
    QTest::newRow("English settings") << QLocale(QLocale::English, QLocale::UnitedStates) << QChar(u',')
                                      << QStringLiteral("1,000")
                                      << QStringList{
                                             QStringLiteral(
                                                 "00123,\"Vis; tête \"\"fraisée\"\"\",1000,1234.50,,1234500.00"),
                                             QStringLiteral("B-2,\" Écrou avec blanc devant\",10,0.25,,2.50"),
                                             QStringLiteral("C-3,\"Rondelle, plate\",3,12.00,,36.00"),
                                             QStringLiteral("D-4,\"Clou \",5,0.10,,0.50"),
                                             QStringLiteral("F-6,Avoir,1,-5.00,,-5.00"),
                                         };
}

void SheetFilesTest::csvReadsBackAsTheGrid()
{
    QFETCH(QLocale, locale);
    QFETCH(QChar, separator);
    QFETCH(QString, typedQuantity);
    QFETCH(QStringList, records);

    const RegionalSettings settings = RegionalSettings::fromLocale(locale);
    const auto form = FicheTest::loadForm(FicheTest::writeCatalogue(*m_dir, QuotingCatalogue), settings);
    FicheTest::showActive(*form);
    LineGrid &lines = grid(*form);
    const int edited = rowOfReference(lines, QStringLiteral("00123"));
    SheetTest::editCell(lines, edited, 2, typedQuantity);
    QTRY_COMPARE(lines.CellText(edited, 2), typedQuantity);

    Answers answers(m_dir->filePath(QStringLiteral("fiche.csv")));
    QVERIFY(chooseKeepingTheSheet(*form, QStringLiteral("enregistrerCsv"), answers));
    QCOMPARE(answers.messages, QStringList());
    const QString proposedName = QStringLiteral("fiche-%1.csv").arg(QDate::currentDate().toString(Qt::ISODate));
    QCOMPARE(QFileInfo(answers.proposedFile).fileName(), proposedName);
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QCOMPARE(QFileInfo(answers.proposedFile).absolutePath(),
             QFileInfo(documents).isDir() ? documents : QDir::homePath());

    QFile file(answers.file);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    const QStringList fileRows = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
    QCOMPARE(fileRows.size(), lines.RowCount() + 1);  // every row ends with CRLF
    for (const QString &record : records)
        QVERIFY2(fileRows.contains(record), qPrintable(record));

    bool ok = false;
    const QList<QStringList> read = readCsv(answers.file, separator, ok);
    QVERIFY(ok);
    QCOMPARE(read.size(), lines.RowCount());
    for (int row = 0; row < lines.RowCount(); ++row) {
        QCOMPARE(read[row].size(), lines.ColumnCount());
        for (int column = 0; column < lines.ColumnCount(); ++column) {
            const QString cell = lines.CellText(row, column);
            const auto number = TryReadLocaleDouble(cell, settings);
            if (row == 0) {
                QCOMPARE(read[row][column], cell.trimmed());  // the title, without the blanks that place it
            } else if (column < 2 || !number) {
                QCOMPARE(read[row][column], cell);  // a text, exactly
            } else {
                QVERIFY2(!read[row][column].contains(u' ') && !read[row][column].contains(settings.groupSeparator),
                         qPrintable(read[row][column]));
                QCOMPARE(ReadLocaleDouble(read[row][column], settings), *number);
            }
        }
    }
}

void SheetFilesTest::pdfHoldsTheWholeSheet()
{
    QString catalogue = FicheTest::ProductColumns;
    for (int product = 1; product <= 130; ++product)
        catalogue += QStringLiteral("\nP%1\tProduit numéro %1\t%2\t%3.%4")
                         .arg(product, 3, 10, QLatin1Char('0'))
                         .arg(product % 7 + 1)
                         .arg(product * 17)
                         .arg(product % 100, 2, 10, QLatin1Char('0'));
    const QString catalogueFile = FicheTest::writeCatalogue(*m_dir, catalogue);
    const auto form = FicheTest::loadForm(catalogueFile);
    FicheTest::showActive(*form);
    Answers answers(m_dir->filePath(QStringLiteral("fiche.pdf")));
    QVERIFY(chooseKeepingTheSheet(*form, QStringLiteral("exporterPdf"), answers));
    QCOMPARE(answers.messages, QStringList());
    bool ok = false;
    const QString text = plainSpaces(pdfText(answers.file, ok));
    QVERIFY(ok);

    const QStringList pages = text.split(u'\f', Qt::SkipEmptyParts);
    QVERIFY2(pages.size() >= 2, "130 lines take more than one page");
    QVERIFY(pages[0].contains(QStringLiteral("Fiche Produit")));
    QVERIFY(pages[0].contains(QStringLiteral("catalogue : ") + QFileInfo(catalogueFile).fileName()));
    LineGrid &lines = grid(*form);
    const QStringList titles{"Référence", "Désignation", "Qté", "Prix Vente", "Remise", "Prix Total"};
    for (qsizetype page = 0; page < pages.size(); ++page) {
        QVERIFY2(printedLine(titles).match(pages[page]).hasMatch(), qPrintable(pages[page]));
        QVERIFY(pages[page].contains(QStringLiteral("Page %1 / %2").arg(page + 1).arg(pages.size())));
    }
    for (int row = 1; row < lines.RowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < lines.ColumnCount(); ++column)
            cells.append(lines.CellText(row, column));
        QVERIFY2(printedLine(cells).match(text).hasMatch(), qPrintable(cells.join(u'|')));
    }
    const QString counters = plainSpaces(QStringLiteral("Nombre : %1 Total : %2")
                                             .arg(form->findChild<QLabel *>(QStringLiteral("nbr"))->text(),
                                                  form->findChild<QLabel *>(QStringLiteral("totaux"))->text()));
    QVERIFY2(pages.last().simplified().contains(counters), qPrintable(counters));
}

void SheetFilesTest::catalogueRefused_data()
{
    QTest::addColumn<QString>("target");  // "" for the catalogue itself
    QTest::addColumn<QString>("link");    // how the target reaches the catalogue
    QTest::addColumn<QString>("action");

    QTest::newRow("the catalogue, as CSV") << QString() << QString() << QStringLiteral("enregistrerCsv");
    QTest::newRow("a symbolic link to it, as PDF")
        << QStringLiteral("lien.pdf") << QStringLiteral("symbolic") << QStringLiteral("exporterPdf");
    QTest::newRow("another name of the same file, as CSV")
        << QStringLiteral("autre-nom.csv") << QStringLiteral("hard") << QStringLiteral("enregistrerCsv");
}

void SheetFilesTest::catalogueRefused()
{
    QFETCH(QString, target);
    QFETCH(QString, link);
    QFETCH(QString, action);

    const QString catalogueFile =
        FicheTest::writeCatalogue(*m_dir, FicheTest::ProductColumns + QStringLiteral("\nA1\tVis\t2\t3\n"));
    QString targetFile = catalogueFile;
    if (!target.isEmpty()) {
        targetFile = m_dir->filePath(target);
        if (link == QStringLiteral("symbolic"))
            QVERIFY(QFile::link(catalogueFile, targetFile));
        else
            QCOMPARE(::link(QFile::encodeName(catalogueFile), QFile::encodeName(targetFile)), 0);
    }
    QFile catalogueContents(catalogueFile);
    QVERIFY(catalogueContents.open(QIODevice::ReadOnly));
    const QByteArray catalogueBefore = catalogueContents.readAll();
    catalogueContents.close();
    const QStringList filesBefore = QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden);

    const auto form = FicheTest::loadForm(catalogueFile);
    FicheTest::showActive(*form);
    Answers answers(targetFile);
    QVERIFY(chooseKeepingTheSheet(*form, action, answers));

    QCOMPARE(answers.messages,
             QStringList{QStringLiteral("« %1 » est le catalogue ouvert : la fiche ne peut pas y être "
                                        "enregistrée. Choisissez un autre fichier.")
                             .arg(targetFile)});
    QVERIFY(catalogueContents.open(QIODevice::ReadOnly));
    QCOMPARE(catalogueContents.readAll(), catalogueBefore);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden), filesBefore);
}

void SheetFilesTest::failureLeavesNothing_data()
{
    QTest::addColumn<QString>("target");  // in the test's folder
    QTest::addColumn<QString>("cause");   // %1: the test's folder
    QTest::addColumn<QString>("action");

    QTest::newRow("a folder that does not exist")
        << QStringLiteral("absent/fiche.csv") << QStringLiteral("le dossier « %1/absent » n'existe pas")
        << QStringLiteral("enregistrerCsv");
    // What refuses even root's writes: a path that goes through a file.
    QTest::newRow("a path under a file") << QStringLiteral("ordinaire.txt/fiche.pdf")
                                         << QStringLiteral("« %1/ordinaire.txt » est un fichier, pas un dossier")
                                         << QStringLiteral("exporterPdf");
    QTest::newRow("the name of a folder")
        << QStringLiteral("dossier") << QStringLiteral("c'est le nom d'un dossier, pas d'un fichier")
        << QStringLiteral("enregistrerCsv");
    QTest::newRow("a read-only folder")
        << QStringLiteral("lecture-seule/fiche.pdf")
        << QStringLiteral("accès refusé : le dossier « %1/lecture-seule » n'accepte pas d'écriture")
        << QStringLiteral("exporterPdf");
}

void SheetFilesTest::failureLeavesNothing()
{
    QFETCH(QString, target);
    QFETCH(QString, cause);
    QFETCH(QString, action);

    const QDir folder(m_dir->path());
    const QString catalogueFile =
        FicheTest::writeCatalogue(*m_dir, FicheTest::ProductColumns + QStringLiteral("\nA1\tVis\t2\t1234.5\n"));
    QFile ordinary(folder.filePath(QStringLiteral("ordinaire.txt")));
    QVERIFY(ordinary.open(QIODevice::WriteOnly));
    ordinary.close();
    QVERIFY(folder.mkdir(QStringLiteral("dossier")));
    QVERIFY(folder.mkdir(QStringLiteral("lecture-seule")));
    QVERIFY(QFile::setPermissions(folder.filePath(QStringLiteral("lecture-seule")),
                                  QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup));
    if (target.startsWith(QStringLiteral("lecture-seule")) && ::geteuid() == 0)
        QSKIP("Running as root, whose writes no folder's permissions refuse; \"a path under a file\" "
              "covers a folder that refuses the file.");

    const auto form = FicheTest::loadForm(catalogueFile);
    FicheTest::showActive(*form);
    Answers answers(folder.filePath(target));
    const QStringList filesBefore = folder.entryList(QDir::AllEntries | QDir::Hidden);
    QVERIFY(chooseKeepingTheSheet(*form, action, answers));

    QCOMPARE(answers.messages,
             QStringList{QStringLiteral("La fiche n'a pas pu être enregistrée dans « %1 » : %2.")
                             .arg(answers.file, QString(cause).replace(QStringLiteral("%1"), folder.path()))});
    QVERIFY(!QFileInfo(answers.file).isFile());
    QCOMPARE(folder.entryList(QDir::AllEntries | QDir::Hidden), filesBefore);
    QCOMPARE(QDir(folder.filePath(QStringLiteral("dossier"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList());
}

QTEST_MAIN(SheetFilesTest)
#include "tst_sheet_files.moc"
