#include "QtFrench.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

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
    return QCoreApplication::installTranslator(translator);
}
