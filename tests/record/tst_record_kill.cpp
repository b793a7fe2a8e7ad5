// The real program, worked on with keys and clicks and killed with SIGKILL at random
// times, then started again: each time it asks once whether to find the sheet again, with
// its number of lines, and Oui gives back exactly the sheet as the last change the killed
// run made left it. A change the run was making when it was killed may or may not have
// reached the record: the sheet is then the one before it or the one after it, which a
// run of the same changes, not killed, tells.
//
// FICHE_KILL_RUNS sets how many runs (24 by default; a few hundred for a long check).

#include "FicheTestSupport.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <csignal>

namespace {

const QString Program = QStringLiteral(FICHE_BINARY_DIR "/tests/record/record_run");

QString catalogueText()
{
    QString text = FicheTest::ProductColumns;
    for (int product = 0; product < 12; ++product)
        text += QStringLiteral("\nP%1\tProduit %1\t%2\t%3.25")
                    .arg(product, 2, 10, QChar(u'0'))
                    .arg(product + 1)
                    .arg(product * 3);
    return text;
}

// What a run printed: its states by number, the question it was asked.
struct RunOutput {
    QStringList states;  // states[n - 1]: after change n
    QString question;
    QString recovered;
    bool ready = false;
};

void readLines(QProcess &run, QByteArray &pending, RunOutput &output)
{
    pending += run.readAllStandardOutput();
    for (qsizetype end; (end = pending.indexOf('\n')) >= 0; pending.remove(0, end + 1)) {
        const QString line = QString::fromUtf8(pending.first(end));
        if (line == QStringLiteral("pret"))
            output.ready = true;
        else if (line.startsWith(QStringLiteral("question ")))
            output.question = line.mid(9);
        else if (line.startsWith(QStringLiteral("etat 0 ")))
            output.recovered = line.mid(7);
        else if (line.startsWith(QStringLiteral("etat ")))
            output.states.append(line.section(u' ', 2));
    }
}

QProcessEnvironment environment(const QString &state)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_STATE_HOME"), state);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
}

// The working run of `seed`, killed `delay` ms after its window shows (a negative delay:
// after its start, before it may show).
RunOutput workAndKill(const QString &catalogue, const QString &state, quint32 seed, int delay)
{
    QProcess run;
    run.setProcessEnvironment(environment(state));
    run.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    run.start(Program, {catalogue, QStringLiteral("travail"), QString::number(seed)});
    RunOutput output;
    QByteArray pending;
    if (!run.waitForStarted())
        qWarning("%s", qPrintable(run.errorString()));
    QElapsedTimer clock;
    clock.start();
    const auto readUntil = [&](const std::function<bool()> &done) {
        while (!done() && run.state() == QProcess::Running && clock.elapsed() < 30000) {
            run.waitForReadyRead(5);
            readLines(run, pending, output);
        }
    };
    if (delay >= 0) {
        readUntil([&] { return output.ready; });
        clock.restart();
    }
    readUntil([&] { return clock.elapsed() >= std::abs(delay); });
    if (run.state() != QProcess::Running)
        qWarning("the working run ended by itself: %d", run.exitCode());
    ::kill(pid_t(run.processId()), SIGKILL);
    run.waitForFinished();
    readLines(run, pending, output);
    return output;
}

// The same changes, not killed, up to change `change`.
QString stateAfter(const QString &catalogue, const QString &state, quint32 seed, int change)
{
    QProcess run;
    run.setProcessEnvironment(environment(state));
    run.start(Program, {catalogue, QStringLiteral("travail"), QString::number(seed)});
    RunOutput output;
    QByteArray pending;
    while (output.states.size() < change && run.waitForReadyRead(10000))
        readLines(run, pending, output);
    ::kill(pid_t(run.processId()), SIGKILL);
    run.waitForFinished();
    return output.states.value(change - 1);
}

RunOutput recoverRun(const QString &catalogue, const QString &state)
{
    QProcess run;
    run.setProcessEnvironment(environment(state));
    run.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    run.start(Program, {catalogue, QStringLiteral("reprise")});
    run.waitForFinished(60000);
    RunOutput output;
    QByteArray pending;
    readLines(run, pending, output);
    return output;
}

int lineCount(const QString &seen)
{
    // The titles' row, six cells a line, then the two counters.
    return int((seen.split(QChar(0x1f)).size() - 2) / 6 - 1);
}

}  // namespace

class RecordKillTest : public QObject {
    Q_OBJECT

private slots:
    void killedAndFoundAgain();
};

void RecordKillTest::killedAndFoundAgain()
{
    QTemporaryDir dir;
    const QString catalogue = FicheTest::writeCatalogue(dir, catalogueText());
    const int runs =
        qEnvironmentVariableIsSet("FICHE_KILL_RUNS") ? qEnvironmentVariableIntValue("FICHE_KILL_RUNS") : 24;
    QRandomGenerator random(QRandomGenerator::global()->generate());
    int recovered = 0;
    for (int run = 0; run < runs; ++run) {
        const quint32 seed = random.generate();
        // One run in five killed while it starts, the others while the user works.
        const int delay = run % 5 == 4 ? -random.bounded(400) : random.bounded(700);
        const QString state = dir.filePath(QStringLiteral("etat-%1").arg(run));
        const QString context = QStringLiteral("seed %1, delay %2 ms").arg(seed).arg(delay);

        const RunOutput killed = workAndKill(catalogue, state, seed, delay);
        const RunOutput again = recoverRun(catalogue, state);
        QVERIFY2(!again.recovered.isEmpty(), qPrintable(context + QStringLiteral(": the restart showed no sheet")));
        if (again.question.isEmpty()) {
            // Nothing asked: no change can have been recorded.
            QVERIFY2(killed.states.isEmpty(), qPrintable(context + QStringLiteral(": changes made, nothing asked")));
            continue;
        }
        ++recovered;
        const int changes = int(killed.states.size());
        QString expected = changes > 0 ? killed.states.last() : QString();
        if (again.recovered != expected)  // the change in flight reached the record
            expected = stateAfter(catalogue, dir.filePath(QStringLiteral("oracle-%1").arg(run)), seed, changes + 1);
        QVERIFY2(again.recovered == expected,
                 qPrintable(context + QStringLiteral(": after %1 changes, found\n%2\nexpected\n%3")
                                          .arg(changes)
                                          .arg(again.recovered, expected)));
        const int lines = lineCount(again.recovered);
        QVERIFY2(again.question.contains(QStringLiteral("(%1 ligne").arg(lines)), qPrintable(again.question));
        QVERIFY2(again.question.startsWith(QStringLiteral("La fiche précédente n'a pas été fermée normalement")),
                 qPrintable(again.question));
    }
    // Most runs are killed after a change: the test would prove nothing otherwise.
    QVERIFY2(recovered >= runs / 2, qPrintable(QStringLiteral("%1 of %2 runs recovered").arg(recovered).arg(runs)));
}

QTEST_GUILESS_MAIN(RecordKillTest)
#include "tst_record_kill.moc"
