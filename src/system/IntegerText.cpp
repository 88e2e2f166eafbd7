#include "system/IntegerText.h"

#include <QtGlobal>

namespace sorvane {

namespace {

class IntegerReader {
public:
    explicit IntegerReader(const QString &text) : m_text(text) {}

    // integer := " "* [ "+" | "-" ] ( hexPrefix hexDigits | decimalDigits ) end
    std::optional<int> integer()
    {
        while (peek() == u' ')
            ++m_pos;
        bool negative = false;
        if (peek() == u'+' || peek() == u'-') {
            negative = peek() == u'-';
            ++m_pos;
        }
        std::optional<quint32> magnitude = hexPrefix() ? hexDigits() : decimalDigits(negative);
        if (!magnitude || m_pos != m_text.size())
            return std::nullopt;
        // Hexadecimal is a 32-bit pattern, so "-$80000000" wraps like the pattern it names.
        const quint32 pattern = negative ? 0u - *magnitude : *magnitude;
        return static_cast<int>(pattern);
    }

private:
    QChar peek() const { return m_pos < m_text.size() ? m_text.at(m_pos) : QChar(); }

    // hexPrefix := "$" | "x" | "X" | "0x" | "0X"
    bool hexPrefix()
    {
        const QChar c = peek();
        if (c == u'$' || c == u'x' || c == u'X') {
            ++m_pos;
            return true;
        }
        if (c == u'0' && m_pos + 1 < m_text.size() &&
            (m_text.at(m_pos + 1) == u'x' || m_text.at(m_pos + 1) == u'X')) {
            m_pos += 2;
            return true;
        }
        return false;
    }

    // hexDigits := ( "0".."9" | "A".."F" | "a".."f" )+, at most 32 bits
    std::optional<quint32> hexDigits()
    {
        quint64 value = 0;
        const qsizetype start = m_pos;
        for (int digit; (digit = hexValue(peek())) >= 0; ++m_pos) {
            value = value * 16 + quint64(digit);
            if (value > 0xFFFFFFFFu)
                return std::nullopt;
        }
        if (m_pos == start)
            return std::nullopt;
        return quint32(value);
    }

    // decimalDigits := ( "0".."9" )+, from -2147483648 to 2147483647 with the sign
    std::optional<quint32> decimalDigits(bool negative)
    {
        const quint64 limit = negative ? 2147483648u : 2147483647u;
        quint64 value = 0;
        const qsizetype start = m_pos;
        for (; peek() >= u'0' && peek() <= u'9'; ++m_pos) {
            value = value * 10 + quint64(peek().unicode() - u'0');
            if (value > limit)
                return std::nullopt;
        }
        if (m_pos == start)
            return std::nullopt;
        return quint32(value);
    }

    static int hexValue(QChar c)
    {
        if (c >= u'0' && c <= u'9')
            return c.unicode() - u'0';
        if (c >= u'a' && c <= u'f')
            return c.unicode() - u'a' + 10;
        if (c >= u'A' && c <= u'F')
            return c.unicode() - u'A' + 10;
        return -1;
    }

    const QString &m_text;
    qsizetype m_pos = 0;
};

} // namespace

QString IntegerText::format(int value)
{
    return QString::number(value);
}

std::optional<int> IntegerText::read(const QString &text)
{
    return IntegerReader(text).integer();
}

} // namespace sorvane
