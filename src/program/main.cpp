// Fiche Produit: the window on the shop's catalogue.

#include "CatalogueWarmUp.h"
#include "CommandLine.h"
#include "Form2.h"
#include "QtFrench.h"
#include "QuitOnceShown.h"
#include "StandardReport.h"
#include "StartUp.h"

#include <QApplication>
#include <memory>
#include <optional>

namespace {

// --help and --version must work without a display, from any terminal.
std::unique_ptr<QCoreApplication> createApplication(int &argc, char **argv, const QStringList &arguments)
{
    if (asksOnlyForText(arguments))
        return std::make_unique<QCoreApplication>(argc, argv);
    return std::make_unique<QApplication>(argc, argv);
}

}  // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // The catalogue is read meanwhile: Qt's start and the window's building take as long.
    std::optional<CatalogueWarmUp> warmUp;
    if (const std::optional<QString> catalogue = catalogueNamedBy(arguments); catalogue && !asksOnlyForText(arguments))
        warmUp.emplace(*catalogue);

    const std::unique_ptr<QCoreApplication> application = createApplication(argc, argv, arguments);
    QCoreApplication::setApplicationName(ApplicationName);
    QCoreApplication::setApplicationVersion(QStringLiteral(FICHE_VERSION));
    // The installed menu entry: docks and task switchers take the window's name and icon from it.
    QGuiApplication::setDesktopFileName(QStringLiteral("fr.ficheproduit.FicheProduit"));
    installQtFrenchTranslations(QLocale::system());
    const RunOptions options = readCommandLine(QCoreApplication::arguments());

    const std::unique_ptr<Form2> window =
        startWindow(options.databaseFile, RegionalSettings::system(), warmUp ? &*warmUp : nullptr);
    warmUp.reset();  // its handles: the window has its own
    if (!window)
        return EXIT_FAILURE;
    if (options.quitOnceShown)
        quitOnceShown(*window);
    showWindow(*window);
    const int status = QCoreApplication::exec();
    // Closed by the user or the session: the sheet is the last one closed. A run ended by a
    // failure keeps its sheet to be offered at the next start.
    if (status == EXIT_SUCCESS)
        window->endNormally();
    return status;
}
