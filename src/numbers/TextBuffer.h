#pragma once
// A short text put together a character at a time on the stack, and made a QString once:
// the writers build their texts digit by digit, which QString's own appends make slow.

#include <QChar>
#include <QString>
#include <QStringView>
#include <QVarLengthArray>
#include <string_view>

class TextBuffer {
public:
    void add(QChar c) { m_chars.append(c); }
    void add(QStringView text) { m_chars.append(text.data(), text.size()); }
    void addDigits(std::string_view digits)
    {
        for (const char digit : digits)
            m_chars.append(QLatin1Char(digit));
    }
    QString text() const { return QString(m_chars.constData(), m_chars.size()); }

private:
    QVarLengthArray<QChar, 48> m_chars;
};
