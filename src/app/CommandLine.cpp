#include "CommandLine.h"

#include "Module1.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

namespace {

const QString DatabaseOption = QStringLiteral("database");
const QString QuitOnceShownOption = QStringLiteral("quitter-apres-affichage");

void describeOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Fiche Produit : feuille de lignes chiffrées sur le catalogue de la boutique.\n"
                       "Sans catalogue donné, ouvre le catalogue %1, vu ici comme %2.")
            .arg(FixedDatabasePath, defaultDatabaseFile()));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({DatabaseOption, QStringLiteral("Ouvre le catalogue FICHIER au lieu du catalogue habituel."),
                      QStringLiteral("FICHIER")});
    // What a file manager's "Ouvrir avec" passes.
    parser.addPositionalArgument(QStringLiteral("FICHIER"),
                                 QStringLiteral("Le catalogue à ouvrir, comme avec --database FICHIER."),
                                 QStringLiteral("[FICHIER]"));
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

namespace {

QStringList cataloguesGiven(const QCommandLineParser &parser)
{
    QStringList catalogues = parser.positionalArguments();
    if (parser.isSet(DatabaseOption))
        catalogues.prepend(parser.value(DatabaseOption));
    return catalogues;
}

}  // namespace

std::optional<QString> catalogueNamedBy(const QStringList &arguments)
{
    QCommandLineParser parser;
    describeOptions(parser);
    if (!parser.parse(arguments))
        return std::nullopt;
    const QStringList catalogues = cataloguesGiven(parser);
    if (catalogues.size() > 1)
        return std::nullopt;
    return catalogueFileOf(catalogues.value(0));
}

RunOptions readCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    describeOptions(parser);
    parser.process(arguments);
    const QStringList catalogues = cataloguesGiven(parser);
    if (catalogues.size() > 1) {
        // Told as the parser tells a wrong option, and with the same exit code.
        std::fprintf(stderr, "%s: %s\n", qUtf8Printable(QCoreApplication::applicationName()),
                     qUtf8Printable(QStringLiteral("un seul catalogue à la fois, et non « %1 ».")
                                        .arg(catalogues.join(QStringLiteral(" », « ")))));
        std::exit(EXIT_FAILURE);
    }
    return RunOptions{catalogues.value(0), parser.isSet(QuitOnceShownOption)};
}
