#include "LocaleScanner.h"

#include "NumberDecisions.h"

#include <algorithm>

namespace {

class Cursor {
public:
    Cursor(QStringView text, const RegionalSettings &rs) : m_text(text), m_rs(rs)
    {
        while (m_end > 0 && NumberDecisions::isEndBlank(m_text[m_end - 1]))
            --m_end;
        while (m_pos < m_end && NumberDecisions::isEndBlank(m_text[m_pos]))
            ++m_pos;
    }

    bool atEnd() const { return m_pos == m_end; }
    QChar peek() const { return m_pos < m_end ? m_text[m_pos] : QChar(); }
    char takeDigit() { return static_cast<char>(m_text[m_pos++].unicode()); }

    bool take(QChar c)
    {
        if (peek() != c)
            return false;
        ++m_pos;
        return true;
    }

    bool take(const QString &s)
    {
        if (s.size() == 1)  // every separator of the usual locales: no string compare
            return take(s.front());
        if (s.isEmpty() || !m_text.sliced(m_pos, m_end - m_pos).startsWith(s))
            return false;
        m_pos += s.size();
        return true;
    }

    // Returns true for a minus sign: the locale's, or the plain hyphen-minus (D5).
    bool takeSign()
    {
        if (take(m_rs.minusSign) || take(u'-'))
            return true;
        take(u'+');
        return false;
    }

    // A group separator counts only between two digits of the whole part (D1).
    bool takeGroupSeparatorBeforeDigit()
    {
        const qsizetype start = m_pos;
        const bool blank = NumberDecisions::isBlankGroupSeparator(peek());
        if (blank)
            ++m_pos;
        if ((blank || take(m_rs.groupSeparator)) && isDecimalDigit(peek()))
            return true;
        m_pos = start;
        return false;
    }

private:
    QStringView m_text;
    const RegionalSettings &m_rs;
    qsizetype m_pos = 0;
    qsizetype m_end = m_text.size();
};

// The exponent's digits, clamped far past any range so that long runs cannot overflow.
bool scanExponent(Cursor &in, DecimalNumber &number)
{
    const bool negative = in.takeSign();
    if (!isDecimalDigit(in.peek()))
        return false;
    int power = 0;
    while (isDecimalDigit(in.peek()))
        power = std::min(power * 10 + (in.takeDigit() - '0'), 1000000);
    number.scaleByPowerOfTen(negative ? -power : power);
    return true;
}

}  // namespace

bool ScanLocaleNumber(QStringView text, const RegionalSettings &rs, DecimalNumber &number)
{
    Cursor in(text, rs);
    const bool negative = in.takeSign();

    bool sawDigit = false;
    while (isDecimalDigit(in.peek()) || (sawDigit && in.takeGroupSeparatorBeforeDigit())) {
        number.addWholeDigit(in.takeDigit());
        sawDigit = true;
    }
    if (in.take(rs.decimalSeparator)) {
        while (isDecimalDigit(in.peek())) {
            number.addFractionDigit(in.takeDigit());
            sawDigit = true;
        }
    }
    if (!sawDigit)
        return false;
    if ((in.take(u'E') || in.take(u'e')) && !scanExponent(in, number))
        return false;
    if (!in.atEnd())
        return false;
    number.negative = negative && !number.isZero();  // D8
    return true;
}
