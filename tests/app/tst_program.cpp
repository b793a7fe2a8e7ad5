// The program as users start and stop it: the command line, a start that fails (the real
// executable, which must end by itself with the report and no window), Qt's own texts in
// French, "Fermer" or the title bar ending the run, and a failure that leaves a handler
// ending it there and then. The runs that end the program that way are programs of their
// own: this test started again, with --enfant and what to do.

#include "FicheTestSupport.h"
#include "LineGrid.h"
#include "QtFrench.h"
#include "StartUp.h"

#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <cstdio>

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the program; it must end by itself (a window left open would keep it running).
Run runProgram(const QStringList &arguments, const QProcessEnvironment &environment,
               const QString &executable = QStringLiteral(FICHE_PROGRAM))
{
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(executable, arguments);
    Run run;
    if (!program.waitForFinished(60000)) {
        program.kill();
        program.waitForFinished();
        return run;
    }
    run.exitCode = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -2;
    run.out = QString::fromUtf8(program.readAllStandardOutput());
    run.err = QString::fromUtf8(program.readAllStandardError());
    return run;
}

QProcessEnvironment frenchOffscreen()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("fr_FR.UTF-8"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("fr_FR.UTF-8"));
    environment.remove(QStringLiteral("LANGUAGE"));
    return environment;
}

// Runs the event loop as the program does and returns its exit code; gives up with 99.
int runEventLoop(const std::function<void()> &userAction)
{
    QTimer::singleShot(0, userAction);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    watchdog.start(30000);
    return QCoreApplication::exec();
}

const char *const ChildOption = "--enfant";

// This test run again as a program of its own, which does `what` on `catalogue`.
Run runChild(const QString &what, const QString &catalogue)
{
    return runProgram({QString::fromLatin1(ChildOption), what, catalogue}, frenchOffscreen(),
                      QCoreApplication::applicationFilePath());
}

// Whatever a child does after its event loop gave the hand back: never seen when the
// failure ended the program there and then.
const char *const LoopReturned = "la boucle d'événements a rendu la main";

int childRun(const QString &what, const QString &catalogue)
{
    int exitCode = 0;
    if (what == u"rapport") {
        exitCode = runEventLoop([] { endProgramWithReport(RuntimeError::invalidUseOfNull()); });
    } else {
        const std::unique_ptr<Form2> form = startWindow(catalogue, FicheTest::frenchSettings());
        if (!form)
            return 2;
        const FicheTest::Controls ui(*form);
        for (const char *line : {"B\tBoulon\t1\t2\t\t2", "C\tClou\t1\t1\t\t1", "D\tDé\t1\t3\t\t3"})
            ui.G->AppendRow(QString::fromUtf8(line));
        ui.G->setCurrentRow(3);
        int asked = 0;
        if (what == u"memoire") {
            // Memory that runs out inside a handler: the question asked between two steps
            // of a move is where it is made to run out.
            form->setQuestion([](const QString &) -> bool { throw std::bad_alloc(); });
        } else {
            // A move run inside another: while "haut" asks whether to go on, "bas" is clicked,
            // and memory runs out as that inner move asks in its turn.
            form->setQuestion([&](const QString &) -> bool {
                if (++asked > 1)
                    throw std::bad_alloc();
                QTest::mouseClick(ui.bas, Qt::LeftButton);
                std::fputs("la montée reprend après le rapport\n", stderr);
                return true;
            });
        }
        FicheTest::showActive(*form);
        exitCode = runEventLoop([&] { QTest::mouseClick(ui.haut, Qt::LeftButton); });
    }
    std::fprintf(stderr, "%s\n", LoopReturned);
    return exitCode;
}

}  // namespace

class ProgramTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void version();
    void helpInFrench();
    void unknownOption();
    void quitOnceShown();
    void badStarts_data();
    void badStarts();
    void qtTextsInFrench();
    void reportBox();
    void handlerFailureEndsTheProgram();
    void memoryRunningOutInAHandlerIsReported();
    void aFailureInANestedHandlerEndsTheProgramAtOnce();
    void enterAtOnceClosesTheProgram();
    void titleBarCloseEndsTheProgram();

private:
    QTemporaryDir m_dir;
    QString m_catalogue;
};

void ProgramTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_catalogue = FicheTest::writeCatalogue(m_dir, FicheTest::ProductColumns + QStringLiteral("\nA\tAxe\t2\t3\n"));
}

void ProgramTest::version()
{
    const Run run = runProgram({QStringLiteral("--version")}, frenchOffscreen());
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(QRegularExpression(QStringLiteral(R"(^Fiche Produit \d+\.\d+\.\d+\n$)")).match(run.out).hasMatch(),
             qPrintable(run.out));
}

void ProgramTest::helpInFrench()
{
    QProcessEnvironment noDisplay = frenchOffscreen();
    noDisplay.remove(QStringLiteral("QT_QPA_PLATFORM"));  // help needs no screen
    noDisplay.remove(QStringLiteral("DISPLAY"));
    noDisplay.remove(QStringLiteral("WAYLAND_DISPLAY"));
    const Run run = runProgram({QStringLiteral("--help")}, noDisplay);
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.contains(QStringLiteral("--database <FICHIER>")), qPrintable(run.out));
    QVERIFY2(run.out.contains(QStringLiteral("Ouvre le catalogue FICHIER")), qPrintable(run.out));
    QVERIFY2(run.out.contains(QStringLiteral(R"(c:\Vasteron\QUARN.MDB)")), qPrintable(run.out));
    QVERIFY2(run.out.contains(QStringLiteral("[FICHIER]")), qPrintable(run.out));
    // Qt's own lines in French too, every one of them.
    QVERIFY2(run.out.contains(QStringLiteral("Afficher l'aide sur les options")), qPrintable(run.out));
    QVERIFY2(!run.out.contains(QStringLiteral("Displays")), qPrintable(run.out));
}

void ProgramTest::unknownOption()
{
    const Run run = runProgram({QStringLiteral("--base"), m_catalogue}, frenchOffscreen());
    QVERIFY(run.exitCode > 0);
    QVERIFY2(run.err.contains(QStringLiteral("base")), qPrintable(run.err));

    const Run twice = runProgram({QStringLiteral("--database"), m_catalogue, m_catalogue}, frenchOffscreen());
    QVERIFY(twice.exitCode > 0);
    QVERIFY2(twice.err.contains(QStringLiteral("un seul catalogue à la fois")), qPrintable(twice.err));
}

// The measuring option: the run ends by itself, with success, once the window has shown
// the filled sheet; the help does not offer it to users.
void ProgramTest::quitOnceShown()
{
    const Run run = runProgram({QStringLiteral("--database"), m_catalogue, QStringLiteral("--quitter-apres-affichage")},
                               frenchOffscreen());
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(!run.err.contains(QStringLiteral("Erreur")), qPrintable(run.err));

    QProcessEnvironment noDisplay = frenchOffscreen();
    noDisplay.remove(QStringLiteral("QT_QPA_PLATFORM"));
    const Run help = runProgram({QStringLiteral("--help")}, noDisplay);
    QVERIFY2(!help.out.contains(QStringLiteral("quitter-apres-affichage")), qPrintable(help.out));
}

void ProgramTest::badStarts_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("winePrefix");
    QTest::addColumn<QString>("named");  // the file the report must name

    const QString missing = m_dir.filePath(QStringLiteral("absent.mdb"));
    QTest::newRow("--database of a missing file")
        << QStringList{QStringLiteral("--database"), missing} << QString() << missing;
    QTest::newRow("the file as a plain argument") << QStringList{missing} << QString() << missing;
    QTest::newRow("fixed path missing under Wine")
        << QStringList{} << m_dir.path() << m_dir.filePath(QStringLiteral("drive_c/Vasteron/QUARN.MDB"));
}

void ProgramTest::badStarts()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, winePrefix);
    QFETCH(QString, named);

    QProcessEnvironment environment = frenchOffscreen();
    if (!winePrefix.isEmpty())
        environment.insert(QStringLiteral("WINEPREFIX"), winePrefix);
    const Run run = runProgram(arguments, environment);
    QVERIFY2(run.exitCode > 0, qPrintable(run.err));
    QVERIFY2(run.err.contains(QStringLiteral("Fiche Produit")), qPrintable(run.err));
    QVERIFY2(run.err.contains(QStringLiteral("Erreur d'exécution '3024' :\n")), qPrintable(run.err));
    QVERIFY2(run.err.contains(named), qPrintable(run.err));
}

void ProgramTest::qtTextsInFrench()
{
    QVERIFY(!installQtFrenchTranslations(QLocale(QLocale::English, QLocale::UnitedKingdom)));
    QVERIFY(installQtFrenchTranslations(QLocale(QLocale::French, QLocale::France)));
    QMessageBox box(QMessageBox::Question, QStringLiteral("Fiche Produit"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(box.button(QMessageBox::Yes)->text().remove(u'&'), QStringLiteral("Oui"));
    QCOMPARE(box.button(QMessageBox::No)->text().remove(u'&'), QStringLiteral("Non"));
}

void ProgramTest::reportBox()
{
    const auto box = ::reportBox(standardReportOf(RuntimeError::objectNotSet()));
    QCOMPARE(box->windowTitle(), QStringLiteral("Fiche Produit"));
    QCOMPARE(box->text(),
             QStringLiteral("Erreur d'exécution '91' :\nVariable objet ou variable de bloc With non définie"));
    QCOMPARE(box->icon(), QMessageBox::Critical);
}

// The report, then the end: nothing after it runs, not even the rest of the event loop.
void ProgramTest::handlerFailureEndsTheProgram()
{
    const Run run = runChild(QStringLiteral("rapport"), m_catalogue);
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.err.count(QStringLiteral("Erreur d'exécution")), 1);
    QVERIFY2(
        run.err.contains(QStringLiteral("Fiche Produit : Erreur d'exécution '94' :\nUtilisation incorrecte de Null")),
        qPrintable(run.err));
    QVERIFY2(!run.err.contains(QString::fromUtf8(LoopReturned)), qPrintable(run.err));
}

// Memory that runs out inside a handler is a failure like any other: the report says so and
// the program ends, instead of stopping dead without a word.
void ProgramTest::memoryRunningOutInAHandlerIsReported()
{
    const Run run = runChild(QStringLiteral("memoire"), m_catalogue);
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.err.count(QStringLiteral("Erreur d'exécution")), 1);
    QVERIFY2(run.err.contains(QStringLiteral("Erreur d'exécution '7' :\nMémoire insuffisante")), qPrintable(run.err));
}

// A handler that runs inside another and fails ends the program before the outer one takes
// its next step: one report, and the outer handler never goes on to fail a second time.
void ProgramTest::aFailureInANestedHandlerEndsTheProgramAtOnce()
{
    const Run run = runChild(QStringLiteral("imbrique"), m_catalogue);
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.err.count(QStringLiteral("Erreur d'exécution")), 1);
    QVERIFY2(run.err.contains(QStringLiteral("Erreur d'exécution '7' :\nMémoire insuffisante")), qPrintable(run.err));
    QVERIFY2(!run.err.contains(QStringLiteral("la montée reprend")), qPrintable(run.err));
}

void ProgramTest::enterAtOnceClosesTheProgram()
{
    const std::unique_ptr<Form2> form = startWindow(m_catalogue, FicheTest::frenchSettings());
    QVERIFY(form);
    QVERIFY(FicheTest::Controls(*form).G->RowCount() > 1);  // lines on the sheet: still no question
    bool asked = false;
    form->setQuestion([&](const QString &) { return asked = true; });
    FicheTest::showActive(*form);

    const int exitCode = runEventLoop([] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); });
    QCOMPARE(exitCode, 0);
    QVERIFY(!asked);
}

void ProgramTest::titleBarCloseEndsTheProgram()
{
    const std::unique_ptr<Form2> form = startWindow(m_catalogue, FicheTest::frenchSettings());
    QVERIFY(form);
    FicheTest::showActive(*form);
    const int exitCode = runEventLoop([&] { form->close(); });
    QCOMPARE(exitCode, 0);
    QVERIFY(!form->isVisible());
}

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], ChildOption) == 0)
        return childRun(QString::fromLatin1(argv[2]), QString::fromLocal8Bit(argv[3]));
    QTEST_DISABLE_KEYPAD_NAVIGATION
    ProgramTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_program.moc"
