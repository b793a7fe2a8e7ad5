// ReadLenient: the locale-blind reading of the line count.

#include "NumberRules.h"
#include "TestLocales.h"

#include <QTest>
#include <cmath>
#include <limits>

class ReadLenientTest : public QObject {
    Q_OBJECT
private slots:
    void reads_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");

        QTest::newRow("digits") << "12" << 12.0;
        QTest::newRow("one digit") << "3" << 3.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("comma stops") << "2,5" << 2.0;
        QTest::newRow("blank between groups") << "1 000" << 1000.0;
        QTest::newRow("blanks and a letter") << " 1 234.5x" << 1234.5;
        QTest::newRow("amount with a comma") << " 1 234,50" << 1234.0;
        QTest::newRow("tab and line feed removed") << "\t1\n2" << 12.0;
        QTest::newRow("minus") << "-7" << -7.0;
        QTest::newRow("plus") << "+7" << 7.0;
        QTest::newRow("blank after the sign") << "- 7" << -7.0;
        QTest::newRow("second period stops") << "1.2.3" << 1.2;
        QTest::newRow("leading period") << ".5" << 0.5;
        QTest::newRow("letters only") << "abc" << 0.0;
        QTest::newRow("second sign stops") << "--5" << 0.0;
        QTest::newRow("sign after a digit stops") << "5-3" << 5.0;
        QTest::newRow("no exponent") << "12E3" << 12.0;
        QTest::newRow("no hexadecimal prefix") << "&H10" << 0.0;
        QTest::newRow("no-break space stops") << "1\u00A0000" << 1.0;
        QTest::newRow("carriage return stops") << "\r5" << 0.0;
        QTest::newRow("decimal exactly as a double") << "0.1" << 0.1;
        QTest::newRow("long whole number") << "2147483648" << 2147483648.0;
        QTest::newRow("minus zero is zero") << "-0" << 0.0;
    }

    void reads()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        const double value = ReadLenient(text);
        QCOMPARE(exactly(value), exactly(expected));
    }

    // It never fails: digits past the double's range give an infinity, which the check
    // after the caller's own computation then reports.
    void beyondTheDoubleRange_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("positive") << "1" + QString(400, u'0') << std::numeric_limits<double>::infinity();
        QTest::newRow("negative") << "-1" + QString(400, u'0') << -std::numeric_limits<double>::infinity();
        QTest::newRow("tiny") << "0." + QString(400, u'0') + "1" << 0.0;
    }

    void beyondTheDoubleRange()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(exactly(ReadLenient(text)), exactly(expected));
    }
};

QTEST_GUILESS_MAIN(ReadLenientTest)
#include "tst_read_lenient.moc"
