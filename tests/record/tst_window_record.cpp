// The recovery record from the window's side, through the program's own start-up: a window
// that did not end normally has its sheet offered once by the next one to start, with its
// number of lines and the time of its last change, and given back by Oui as a change that
// can be undone; a window still running never has its sheet offered; a window closed
// normally has its sheet offered by "Rouvrir la dernière fiche fermée" instead; and a
// records' folder that cannot be written, or a disk that fills up while the window works,
// is said once, the window working on without its record.

#include "ExportTestKit.h"
#include "FicheTestSupport.h"
#include "LineGrid.h"
#include "RecordFolders.h"
#include "SheetModel.h"
#include "SheetTestKit.h"
#include "StartUp.h"
#include "WindowRecord.h"

#include <QAction>
#include <QDate>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace ExportTest;

namespace {

const QString Catalogue = FicheTest::ProductColumns + QStringLiteral("\n"
                                                                     "V1\tVis\t10\t0.5\n"
                                                                     "E1\tÉcrou\t4\t1.25\n"
                                                                     "B1\tBoulon\t2\t3\n");

// A window as the program starts it, its questions and messages kept instead of shown.
struct StartedWindow {
    std::unique_ptr<Form2> form;
    QStringList questions;
    QStringList messages;
    bool answer = true;
};

std::unique_ptr<StartedWindow> start(const QString &catalogue, bool answer = true)
{
    auto started = std::make_unique<StartedWindow>();
    started->answer = answer;
    started->form = startWindow(catalogue, FicheTest::frenchSettings());
    auto *record = started->form->findChild<WindowRecord *>();
    record->setQuestion([s = started.get()](const QString &text) {
        s->questions.append(text);
        return s->answer;
    });
    record->setMessage([s = started.get()](QMessageBox::Icon, const QString &text) { s->messages.append(text); });
    showWindow(*started->form);
    FicheTest::showActive(*started->form);
    QTest::qWait(50);  // the start-up's notices, queued after the window shows
    return started;
}

void addLine(Form2 &form, const QString &reference, const QString &quantity)
{
    const Form2Controls &ui = form.controls();
    ui.Ref->setFocus();
    QTest::keyClicks(ui.Ref, reference);
    QTest::keyClick(ui.Ref, Qt::Key_Return);
    QTest::keyClicks(ui.qte, quantity);
    QTest::keyClick(ui.qte, Qt::Key_Return);
    QTest::keyClicks(ui.remise, QStringLiteral("10"));
    QTest::keyClick(ui.remise, Qt::Key_Return);
    QTest::keyClick(ui.total, Qt::Key_Return);
}

// The sheet worked on: a cell edit (repricing the listed lines), a line added, a move.
void work(Form2 &form, const QString &quantity = QStringLiteral("9"))
{
    const Form2Controls &ui = form.controls();
    SheetTest::editCell(*ui.G, 2, 2, quantity);
    QTRY_COMPARE(ui.G->CellText(2, 2), quantity);
    addLine(form, QStringLiteral("B1"), QStringLiteral("5"));
    form.setQuestion([](const QString &) { return false; });
    grid(form).setCurrentRow(4);
    QTest::mouseClick(ui.haut, Qt::LeftButton);
}

const QString NotRecorded = QStringLiteral("La fiche ne pourra pas être retrouvée après un arrêt anormal du programme");

int recordCount()
{
    return int(QDir(recordsFolder()).entryList({QStringLiteral("fiche-*")}, QDir::Dirs).size());
}

}  // namespace

class WindowRecordTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_state.emplace().isValid());
        qputenv("XDG_STATE_HOME", QFile::encodeName(m_state->path()));
        m_catalogue = FicheTest::writeCatalogue(m_dir, Catalogue);
    }
    void cleanup() { m_state.reset(); }

    void unclosedSheetOfferedOnceNotWhileInUse();
    void closedSheetReopenedFromTheMenu();
    void unwritableFolderSaidOnce();
    void fullDiskSaidOnce();

private:
    QTemporaryDir m_dir;
    std::optional<QTemporaryDir> m_state;
    QString m_catalogue;
};

void WindowRecordTest::unclosedSheetOfferedOnceNotWhileInUse()
{
    auto first = start(m_catalogue);
    work(*first->form);
    const QStringList worked = whatTheUserSees(*first->form);

    // Both running: the first one's record is in use.
    auto second = start(m_catalogue);
    QCOMPARE(second->questions, QStringList());
    const QStringList listed = whatTheUserSees(*second->form);
    second.reset();  // ended without a change: nothing to offer of it

    first.reset();  // as a crash leaves it: never ended normally, its lock let go
    auto third = start(m_catalogue);
    QCOMPARE(third->messages, QStringList());
    QCOMPARE(third->questions.size(), 1);
    const QString today = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
    QVERIFY2(third->questions[0].startsWith(
                 QStringLiteral("La fiche précédente n'a pas été fermée normalement (4 lignes, le %1 à ").arg(today)),
             qPrintable(third->questions[0]));
    QVERIFY(third->questions[0].endsWith(QStringLiteral("). La retrouver ?")));
    QCOMPARE(whatTheUserSees(*third->form), worked);
    // One change: undone, the sheet the window listed.
    third->form->controls().G->setFocus();
    QTest::keyClick(third->form->controls().G, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(whatTheUserSees(*third->form), listed);

    // Worked on again, and lost again: the sheet found again is recorded as any other.
    QTest::keyClick(third->form->controls().G, Qt::Key_Y, Qt::ControlModifier);
    work(*third->form, QStringLiteral("6"));
    const QStringList workedAgain = whatTheUserSees(*third->form);
    third.reset();
    auto fourth = start(m_catalogue);
    QCOMPARE(fourth->questions.size(), 1);
    QCOMPARE(whatTheUserSees(*fourth->form), workedAgain);
    fourth->form->endNormally();
    fourth.reset();

    // Given back once: the next start asks nothing.
    auto fifth = start(m_catalogue);
    QCOMPARE(fifth->questions, QStringList());
}

void WindowRecordTest::closedSheetReopenedFromTheMenu()
{
    auto first = start(m_catalogue);
    work(*first->form);
    const QStringList worked = whatTheUserSees(*first->form);
    first->form->endNormally();
    first.reset();

    auto second = start(m_catalogue);
    QCOMPARE(second->questions, QStringList());
    const QStringList listed = whatTheUserSees(*second->form);
    QVERIFY(chooseFromGridMenu(*second->form, QStringLiteral("rouvrir")));
    QCOMPARE(whatTheUserSees(*second->form), worked);
    second->form->controls().G->setFocus();
    QTest::keyClick(second->form->controls().G, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(whatTheUserSees(*second->form), listed);
    QTest::keyClick(second->form->controls().G, Qt::Key_Y, Qt::ControlModifier);
    addLine(*second->form, QStringLiteral("E1"), QStringLiteral("7"));
    const QStringList workedAgain = whatTheUserSees(*second->form);
    second->form->endNormally();
    second.reset();

    // The last one closed replaces the one before; a crashed window's sheet declined takes
    // its place in turn.
    auto third = start(m_catalogue, false);
    QCOMPARE(recordCount(), 2);  // the second window's and its own
    QVERIFY(chooseFromGridMenu(*third->form, QStringLiteral("rouvrir")));
    QCOMPARE(whatTheUserSees(*third->form), workedAgain);
    addLine(*third->form, QStringLiteral("V1"), QStringLiteral("2"));
    const QStringList declined = whatTheUserSees(*third->form);
    third.reset();
    auto fourth = start(m_catalogue, false);
    QCOMPARE(fourth->questions.size(), 1);
    QCOMPARE(whatTheUserSees(*fourth->form), listed);
    QVERIFY(chooseFromGridMenu(*fourth->form, QStringLiteral("rouvrir")));
    QCOMPARE(whatTheUserSees(*fourth->form), declined);
    QCOMPARE(recordCount(), 2);  // the declined one and the fourth window's own
}

void WindowRecordTest::unwritableFolderSaidOnce()
{
    // A file where the folder should be: nothing can be made in it.
    QFile inTheWay(recordsFolder());
    QVERIFY(QDir().mkpath(QFileInfo(inTheWay).absolutePath()));
    QVERIFY(inTheWay.open(QIODevice::WriteOnly));
    inTheWay.close();
    auto started = start(m_catalogue);
    QCOMPARE(started->messages.size(), 1);
    QVERIFY2(started->messages[0].startsWith(NotRecorded), qPrintable(started->messages[0]));
    const int lines = grid(*started->form).sheet().lineCount();
    addLine(*started->form, QStringLiteral("V1"), QStringLiteral("2"));
    QCOMPARE(grid(*started->form).sheet().lineCount(), lines + 1);
    QCOMPARE(started->messages.size(), 1);
    started->form->endNormally();
}

void WindowRecordTest::fullDiskSaidOnce()
{
    auto started = start(m_catalogue);
    const QStringList folders = QDir(recordsFolder()).entryList({QStringLiteral("fiche-*")}, QDir::Dirs);
    QCOMPARE(folders.size(), 1);
    const QFileInfo journal(QDir(recordsFolder()).filePath(folders[0] + QStringLiteral("/journal")));
    QVERIFY(journal.size() > 0);  // the listed products, written while the window was idle

    // The record's file may grow no further, as on a full disk: its next write fails.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit before{};
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &before), 0);
    rlimit full = before;
    full.rlim_cur = rlim_t(journal.size());
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &full), 0);
    const auto restore = qScopeGuard([&] { ::setrlimit(RLIMIT_FSIZE, &before); });

    const int lines = grid(*started->form).sheet().lineCount();
    work(*started->form);
    QTRY_COMPARE(started->messages.size(), 1);
    QVERIFY2(started->messages[0].startsWith(NotRecorded), qPrintable(started->messages[0]));
    QCOMPARE(grid(*started->form).sheet().lineCount(), lines + 1);
    addLine(*started->form, QStringLiteral("V1"), QStringLiteral("2"));
    QCOMPARE(grid(*started->form).sheet().lineCount(), lines + 2);
    QTest::qWait(20);
    QCOMPARE(started->messages.size(), 1);
    started->form->endNormally();
}

QTEST_MAIN(WindowRecordTest)
#include "tst_window_record.moc"
