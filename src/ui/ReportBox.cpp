#include "ReportBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

bool hasScreenToShowOn()
{
    return qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr &&
           QGuiApplication::platformName() != QLatin1String("offscreen");
}

void toStandardErrorAndScreen(const StandardReport &report)
{
    std::fprintf(stderr, "%s : %s\n", qUtf8Printable(report.title), qUtf8Printable(report.text));
    std::fflush(stderr);
    if (hasScreenToShowOn())
        reportBox(report)->exec();
}

ReportSink &currentSink()
{
    static ReportSink sink = toStandardErrorAndScreen;
    return sink;
}

}  // namespace

std::unique_ptr<QMessageBox> reportBox(const StandardReport &report)
{
    const QMessageBox::Icon icon =
        report.kind == StandardReport::Kind::Error ? QMessageBox::Critical : QMessageBox::Warning;
    auto box = std::make_unique<QMessageBox>(icon, report.title, report.text, QMessageBox::Ok);
    box->setDefaultButton(QMessageBox::Ok);
    return box;
}

ReportSink setReportSink(ReportSink sink)
{
    return std::exchange(currentSink(), std::move(sink));
}

void report(const RuntimeError &error)
{
    currentSink()(standardReportOf(error));
}

void warn(const QString &text)
{
    currentSink()({ApplicationName, text, StandardReport::Kind::Warning});
}

void warnOf(const RuntimeError &error, const QString &context)
{
    warn(context + QStringLiteral("\n\n") + standardReportOf(error).text);
}

void endProgramWithReport(const RuntimeError &error)
{
    // The report's box runs an event loop of its own: another failure met meanwhile ends the
    // program at once, under the report already shown.
    static bool ending = false;
    if (!std::exchange(ending, true))
        report(error);
    std::fflush(nullptr);
    std::_Exit(EXIT_FAILURE);
}

bool askYesNo(QWidget *window, const QString &text)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), text,
                    QMessageBox::Yes | QMessageBox::No, window);
    box.setDefaultButton(QMessageBox::Yes);
    // French whatever Qt's own translations say.
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Oui"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Non"));
    return box.exec() == QMessageBox::Yes;
}
