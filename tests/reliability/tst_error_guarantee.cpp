// A catalogue value that has no text (a real number stored as infinity, which no rule can
// write) reaches the window only when it is shown: while the grid or Ref's list paints, when
// the user edits its line, when the grid's menu copies the sheet. None of these may let the
// failure out into Qt's event loop, which would end the program without a word and lose the
// sheet: the value is shown empty, the user is told, and the program goes on.

#include "ExportTestKit.h"
#include "FicheTestSupport.h"
#include "StartUp.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QtEndian>
#include <cstring>
#include <limits>

namespace {

// Written as this number, then patched to infinity where the file stores it.
constexpr double Placeholder = 987654.0625;

// Two products whose references are real numbers; Boulon's is infinite.
QString damagedCatalogue(const QTemporaryDir &dir)
{
    const QString file =
        FicheTest::writeCatalogue(dir,
                                  QStringLiteral("ref:DOUBLE\tdesi:TEXT(20)\tqté:LONG\tprixvente:MONEY\n"
                                                 "1.5\tAxe\t2\t3\n"
                                                 "987654.0625\tBoulon\t1\t4\n"),
                                  WriterOptions{QStringLiteral("Produit"), false, {}, {}});
    const auto bytesOf = [](double value) {
        QByteArray bytes(sizeof value, Qt::Uninitialized);
        qToLittleEndian(value, bytes.data());
        return bytes;
    };
    QFile catalogue(file);
    if (!catalogue.open(QIODevice::ReadWrite))
        return {};
    QByteArray content = catalogue.readAll();
    const QByteArray written = bytesOf(Placeholder);
    if (content.count(written) != 1)
        return {};
    content.replace(written, bytesOf(std::numeric_limits<double>::infinity()));
    catalogue.seek(0);
    catalogue.write(content);
    return file;
}

QString shown(const QAbstractItemModel &model, int row, int column)
{
    return model.index(row, column).data(Qt::DisplayRole).toString();
}

}  // namespace

class ErrorGuaranteeTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void aValueWithoutTextIsShownEmptyAndTold();
    void aGridActionThatFailsIsToldAndChangesNothing();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<FicheTest::CollectedReports> m_reports;
    std::unique_ptr<Form2> m_form;
    FicheTest::Controls m_ui;
};

void ErrorGuaranteeTest::init()
{
    QVERIFY(m_dir.isValid());
    const QString catalogue = damagedCatalogue(m_dir);
    QVERIFY2(!catalogue.isEmpty(), "the placeholder was not found once in the written file");
    m_reports = std::make_unique<FicheTest::CollectedReports>();
    m_form = startWindow(catalogue, FicheTest::frenchSettings());
    QVERIFY(m_form);  // the value is not read before it is shown
    m_ui = FicheTest::Controls(*m_form);
    QCOMPARE(m_ui.G->RowCount(), 3);
    QCOMPARE(m_ui.nbr->text(), QStringLiteral("2"));
    QVERIFY(m_reports->reports().isEmpty());
}

void ErrorGuaranteeTest::cleanup()
{
    m_form.reset();
    m_reports.reset();
}

void ErrorGuaranteeTest::aValueWithoutTextIsShownEmptyAndTold()
{
    showWindow(*m_form);
    FicheTest::showActive(*m_form);
    m_form->grab();  // the grid painted, its two lines in view

    // Sorted by designation: Axe, then Boulon, whose reference stays empty.
    const QAbstractItemModel &lines = *m_ui.G->model();
    QCOMPARE(shown(lines, 0, 0), QStringLiteral("1,5"));
    QCOMPARE(shown(lines, 1, 0), QString());
    QCOMPARE(shown(lines, 1, 1), QStringLiteral("Boulon"));
    QCOMPARE(shown(lines, 1, 5), QStringLiteral("  4,00"));
    QTRY_COMPARE(m_reports->reports().size(), 1);  // after the paint, once
    m_form->grab();
    QTest::qWait(20);
    QCOMPARE(m_reports->reports().size(), 1);
    const StandardReport sheetNotice = m_reports->reports().at(0);
    QCOMPARE(sheetNotice.kind, StandardReport::Kind::Warning);
    QVERIFY2(sheetNotice.text.startsWith(QStringLiteral("Des cases de la fiche ne peuvent pas être affichées")),
             qPrintable(sheetNotice.text));
    QVERIFY2(sheetNotice.text.contains(QStringLiteral("Erreur d'exécution '6' :\nDépassement de capacité")),
             qPrintable(sheetNotice.text));

    // Ref's list, in the table's order: the same reference empty, told once for the list.
    m_ui.Ref->showPopup();
    QTRY_VERIFY(m_ui.Ref->view()->isVisible());
    m_ui.Ref->view()->grab();
    QCOMPARE(shown(*m_ui.Ref->view()->model(), 0, 0), QStringLiteral("1,5"));
    QCOMPARE(shown(*m_ui.Ref->view()->model(), 1, 0), QString());
    QTRY_COMPARE(m_reports->reports().size(), 2);
    QVERIFY2(m_reports->reports().at(1).text.startsWith(QStringLiteral("Des références de la liste")),
             qPrintable(m_reports->reports().at(1).text));
    m_ui.Ref->hidePopup();

    // The user edits Boulon's designation: the line cannot be written out, so the edit is
    // refused and told, the cell as it was, no recalculation.
    const QPoint cell = m_ui.G->visualRect(lines.index(1, 1)).center();
    QTest::mouseClick(m_ui.G->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(m_ui.G->viewport(), Qt::LeftButton, {}, cell);
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QVERIFY2(editor, "a double-click on a cell opens its editor");
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("Vis"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(m_reports->reports().size(), 3);
    QVERIFY2(m_reports->reports().at(2).text.startsWith(QStringLiteral("La case n'a pas pu être modifiée")),
             qPrintable(m_reports->reports().at(2).text));
    QCOMPARE(shown(lines, 1, 1), QStringLiteral("Boulon"));
    QCOMPARE(m_ui.nbr->text(), QStringLiteral("2"));

    // The window goes on: a quantity is typed as usual.
    m_ui.qte->setFocus();
    m_ui.qte->selectAll();
    QTest::keyClicks(m_ui.qte, QStringLiteral("7"));
    QCOMPARE(m_ui.qte->text(), QStringLiteral("7"));
    QVERIFY(m_form->isVisible());
}

void ErrorGuaranteeTest::aGridActionThatFailsIsToldAndChangesNothing()
{
    FicheTest::showActive(*m_form);
    ExportTest::Answers answers{QString()};
    ExportTest::answerDialogs(*m_form, answers);
    QGuiApplication::clipboard()->setText(QStringLiteral("avant"));

    QVERIFY(ExportTest::chooseFromGridMenu(*m_form, QStringLiteral("copierTout")));

    QTRY_COMPARE(answers.messages.size(), 1);
    QVERIFY2(
        answers.messages.front().startsWith(QStringLiteral("L'opération n'a pas abouti : Dépassement de capacité")),
        qPrintable(answers.messages.front()));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("avant"));
    QCOMPARE(m_ui.G->RowCount(), 3);
    QCOMPARE(m_ui.G->CellText(2, 1), QStringLiteral("Boulon"));
    QCOMPARE(m_ui.nbr->text(), QStringLiteral("2"));
}

QTEST_MAIN(ErrorGuaranteeTest)
#include "tst_error_guarantee.moc"
