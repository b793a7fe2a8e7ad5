#pragma once
// The three things the number rules take from the user's regional settings. Built once
// from QLocale::system() at start; tests build it from any locale without touching the
// process environment. The program never changes the user's settings.

#include <QLocale>
#include <QString>

struct RegionalSettings {
    QString decimalSeparator;
    QString groupSeparator;
    QString minusSign;

    static RegionalSettings fromLocale(const QLocale &locale);
    static RegionalSettings system() { return fromLocale(QLocale::system()); }
};
