#pragma once
// What the line-entry tests do the way a user does: typing character by character into
// a field, pressing Enter, and writing amounts the way the settings under test write them.

#include "FicheTestSupport.h"
#include "RegionalSettings.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

namespace EntryTest {

// The catalogue every entry test starts from.
//   A1   a mixed-case designation, a price of 1 000 or more
//   X1   found as "x1" too
//   N1   no designation at all
//   P5   a price with cents
inline const QString Catalogue = FicheTest::ProductColumns + QStringLiteral("\n"
                                                                            "A1\tVis à bois\t3\t1234.5\n"
                                                                            "X1\tÉcrou m6\t10\t0.5\n"
                                                                            "N1\tNULL\t1\t7\n"
                                                                            "P5\tPochette plastique\t2\t19.99\n");

inline QWidget *refField(const FicheTest::Controls &form)
{
    return form.Ref->lineEdit();
}

inline void type(QWidget *field, const QString &text)
{
    QTest::keyClicks(field, text);
}

inline void pressEnter(QWidget *field)
{
    QTest::keyClick(field, Qt::Key_Return);
}

// Replaces a field's whole text as a user would: select all, then type.
inline void retype(QLineEdit *field, const QString &text)
{
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

// "1234,5" under French settings, "1234.5" under English: test inputs are written with a
// period and turned into what a user of those settings types.
inline QString localText(const QString &periodDecimal, const RegionalSettings &rs)
{
    QString text = periodDecimal;
    return text.replace(QLatin1Char('.'), rs.decimalSeparator);
}

// A value as the settings under test show it: their decimal separator and minus sign.
inline QString shown(const QString &periodDecimal, const RegionalSettings &rs)
{
    QString text = localText(periodDecimal, rs);
    return text.replace(QLatin1Char('-'), rs.minusSign);
}

// An amount as the standard money form shows it: grouped by the locale's separator.
inline QString grouped(const QString &thousands, const QString &rest, const RegionalSettings &rs)
{
    return thousands + rs.groupSeparator + localText(rest, rs);
}

}  // namespace EntryTest
