#pragma once
// Runs a test class once under French settings (comma, blank groups) and once under
// English (United States) settings (period, comma groups): the entry rules must hold in
// both. The class takes the settings in its constructor.

#include "RegionalSettings.h"

#include <QApplication>
#include <QLocale>
#include <QTest>

#define FICHE_TEST_IN_BOTH_LOCALES(TestClass)                                                                          \
    int main(int argc, char **argv)                                                                                    \
    {                                                                                                                  \
        QApplication app(argc, argv);                                                                                  \
        int failures = 0;                                                                                              \
        for (const QLocale &locale :                                                                                   \
             {QLocale(QLocale::French, QLocale::France), QLocale(QLocale::English, QLocale::UnitedStates)}) {          \
            TestClass test(RegionalSettings::fromLocale(locale));                                                      \
            failures += QTest::qExec(&test, argc, argv);                                                               \
        }                                                                                                              \
        return failures;                                                                                               \
    }
