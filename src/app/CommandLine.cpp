#include "CommandLine.h"

#include "Module1.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

const QString DatabaseOption = QStringLiteral("database");
const QString QuitOnceShownOption = QStringLiteral("quitter-apres-affichage");

void describeOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Fiche Produit : feuille de lignes chiffrées sur le catalogue de la boutique.\n"
                       "Sans option, ouvre le catalogue %1, vu ici comme %2.")
            .arg(FixedDatabasePath, defaultDatabaseFile()));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({DatabaseOption, QStringLiteral("Ouvre le catalogue FICHIER au lieu du catalogue habituel."),
                      QStringLiteral("FICHIER")});
    // For timing start-up (bench/run); not for users, so not in the help.
    QCommandLineOption quitOnceShown(QuitOnceShownOption,
                                     QStringLiteral("Quitte dès que la fenêtre est affichée, la feuille remplie."));
    quitOnceShown.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(quitOnceShown);
}

}  // namespace

bool asksOnlyForText(const QStringList &arguments)
{
    static const QStringList textOptions{QStringLiteral("-h"), QStringLiteral("--help"),
                                         QStringLiteral("-?"), QStringLiteral("--help-all"),
                                         QStringLiteral("-v"), QStringLiteral("--version")};
    for (const QString &argument : arguments.mid(1)) {
        if (textOptions.contains(argument))
            return true;
    }
    return false;
}

RunOptions readCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    describeOptions(parser);
    parser.process(arguments);
    return RunOptions{parser.value(DatabaseOption), parser.isSet(QuitOnceShownOption)};
}
