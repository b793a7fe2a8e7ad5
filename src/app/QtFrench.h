#pragma once
// Qt's own texts (message box buttons, the text fields' context menus, the command line's
// help) in French for a French-speaking user, from the translations the system's Qt ships.

#include <QLocale>

// Installs the translator on the running application; false when `locale` is not French
// or the translations are not installed (Qt's English texts then stay).
bool installQtFrenchTranslations(const QLocale &locale);
