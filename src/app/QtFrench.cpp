#include "QtFrench.h"

#include <QCoreApplication>
#include <QHash>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// The few texts the command line's help shows that Qt's own French catalogue leaves in
// English.
class MissingQtFrench : public QTranslator {
public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }

    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        static const QHash<QByteArray, QString> helpLines{
            {"Displays help on commandline options.",
             QStringLiteral("Afficher l'aide sur les options de la ligne de commande.")},
            {"Displays help including Qt specific options.",
             QStringLiteral("Afficher l'aide, y compris les options propres à Qt.")},
        };
        if (qstrcmp(context, "QCommandLineParser") != 0)
            return {};
        return helpLines.value(sourceText);
    }
};

}  // namespace

bool installQtFrenchTranslations(const QLocale &locale)
{
    if (locale.language() != QLocale::French)
        return false;
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(new MissingQtFrench(QCoreApplication::instance()));
    return QCoreApplication::installTranslator(translator);
}
