// The arrows move the selected line step by step, asking after each step whether to go
// on; all six cells travel together and the selection stays where the move began.

#include "FicheTestSupport.h"
#include "SheetTestKit.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <optional>

using namespace SheetTest;

namespace {

const QString Up = QStringLiteral("Remonter encore cet élément ?");
const QString Down = QStringLiteral("Descendre encore cet élément ?");

// Line n of a test sheet: every cell says which line it belongs to.
QStringList line(int n)
{
    const QString k = QString::number(n);
    return {"R" + k, "Désignation " + k, k, k + ",00", "", k + ",00"};
}

}  // namespace

class RowMovesTest : public QObject, private FicheTest::WindowFixture {
    Q_OBJECT

private slots:
    void init()
    {
        openWindow(FicheTest::ProductColumns + QStringLiteral("\nA\tB\t1\t1\n"));
        m_asked.clear();
        m_answers.clear();
        m_form->setQuestion([this](const QString &text) {
            m_asked << text;
            return m_answers.isEmpty() ? false : m_answers.takeFirst();
        });
    }
    void cleanup() { closeWindow(); }

    void theEndsDoNotMove_data()
    {
        QTest::addColumn<bool>("up");
        QTest::addColumn<int>("row");
        QTest::newRow("first line up") << true << 1;
        QTest::newRow("last line down") << false << 5;
    }
    void theEndsDoNotMove()
    {
        QFETCH(bool, up);
        QFETCH(int, row);
        sheetOf(5);
        clickLine(*m_ui.G, row);
        QTest::mouseClick(up ? m_ui.haut : m_ui.bas, Qt::LeftButton);
        QVERIFY(m_asked.isEmpty());
        expectOrder({1, 2, 3, 4, 5});
    }

    void moves_data()
    {
        QTest::addColumn<bool>("up");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("row");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<int>("questions");
        QTest::addColumn<QList<int>>("order");
        QTest::newRow("row 2 up, yes") << true << 5 << 2 << QList<bool>{true} << 1 << QList<int>{2, 1, 3, 4, 5};
        QTest::newRow("row 2 up, no") << true << 5 << 2 << QList<bool>{false} << 1 << QList<int>{2, 1, 3, 4, 5};
        QTest::newRow("row 5 up to the top")
            << true << 5 << 5 << QList<bool>{true, true, true, true, true} << 4 << QList<int>{5, 1, 2, 3, 4};
        QTest::newRow("no after the first step")
            << true << 5 << 4 << QList<bool>{false} << 1 << QList<int>{1, 2, 4, 3, 5};
        QTest::newRow("row 1 down to the last")
            << false << 3 << 1 << QList<bool>{true, true, true} << 2 << QList<int>{2, 3, 1};
        QTest::newRow("down, then no") << false << 5 << 2 << QList<bool>{true, false} << 2 << QList<int>{1, 3, 4, 2, 5};
    }
    void moves()
    {
        QFETCH(bool, up);
        QFETCH(int, lines);
        QFETCH(int, row);
        QFETCH(QList<bool>, answers);
        QFETCH(int, questions);
        QFETCH(QList<int>, order);
        sheetOf(lines);
        m_ui.nbr->setText(QStringLiteral("compte"));
        m_ui.totaux->setText(QStringLiteral("somme"));
        clickLine(*m_ui.G, row);
        m_answers = answers;

        QTest::mouseClick(up ? m_ui.haut : m_ui.bas, Qt::LeftButton);

        QCOMPARE(m_asked, QStringList(QList<QString>(questions, up ? Up : Down)));
        expectOrder(order);
        QCOMPARE(m_ui.G->CurrentRow(), row);  // the selection stays where the move began
        QCOMPARE(m_ui.nbr->text(), QStringLiteral("compte"));
        QCOMPARE(m_ui.totaux->text(), QStringLiteral("somme"));
    }

    void aLineFarDownABigSheetMovesToo()
    {
        LineGrid &g = *m_ui.G;
        QTest::mouseClick(m_ui.Nouveau, Qt::LeftButton);
        for (int n = 1; n <= 100000; ++n)
            g.AppendRow(line(n).join(QLatin1Char('\t')));
        clickLine(g, 40000);
        QTest::mouseClick(m_ui.haut, Qt::LeftButton);
        QCOMPARE(m_asked, QStringList{Up});
        QCOMPARE(lineCells(g, 39999), line(40000));
        QCOMPARE(lineCells(g, 40000), line(39999));
        QCOMPARE(g.CurrentRow(), 40000);
    }

    void theQuestionIsAFrenchYesNoBox()
    {
        m_form->setQuestion({});  // the real message box
        sheetOf(3);
        clickLine(*m_ui.G, 3);
        // What the box showed, read while it is open and answered "Non" at once; the checks
        // come once the click is over, so that a missing or wrong box fails the test
        // instead of leaving it waiting on a box nobody answers.
        struct Seen {
            QString text, title, yes, no;
            QMessageBox::Icon icon = QMessageBox::NoIcon;
            bool yesIsDefault = false;
        };
        std::optional<Seen> seen;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            watch.stop();
            QAbstractButton *yes = box->button(QMessageBox::Yes);
            QAbstractButton *no = box->button(QMessageBox::No);
            seen = Seen{box->text(),
                        box->windowTitle(),
                        yes ? yes->text() : QString(),
                        no ? no->text() : QString(),
                        box->icon(),
                        yes && box->defaultButton() == yes};
            if (no)
                QTest::mouseClick(no, Qt::LeftButton);
            else
                box->reject();
        });
        watch.start(10);
        QTest::mouseClick(m_ui.haut, Qt::LeftButton);
        watch.stop();

        QVERIFY2(seen, "the question comes in a message box");
        QCOMPARE(seen->text, Up);
        QCOMPARE(seen->icon, QMessageBox::Question);
        QCOMPARE(seen->title, QApplication::applicationDisplayName());
        QCOMPARE(seen->yes, QStringLiteral("Oui"));
        QCOMPARE(seen->no, QStringLiteral("Non"));
        QVERIFY(seen->yesIsDefault);
        expectOrder({1, 3, 2});
    }

private:
    void sheetOf(int lines)
    {
        QTest::mouseClick(m_ui.Nouveau, Qt::LeftButton);
        for (int n = 1; n <= lines; ++n)
            m_ui.G->AppendRow(line(n).join(QLatin1Char('\t')));
    }

    void expectOrder(const QList<int> &order)
    {
        QCOMPARE(m_ui.G->RowCount(), order.size() + 1);
        for (int row = 1; row <= order.size(); ++row)
            QCOMPARE(lineCells(*m_ui.G, row), line(order[row - 1]));
    }

    QStringList m_asked;
    QList<bool> m_answers;
};

QTEST_MAIN(RowMovesTest)
#include "tst_row_moves.moc"
