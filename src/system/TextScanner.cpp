#include "system/TextScanner.h"

namespace sorvane {

namespace {
bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}
} // namespace

void TextScanner::skipSpaces()
{
    while (m_pos < m_text.size() && m_text.at(m_pos) == u' ')
        ++m_pos;
}

bool TextScanner::accept(const QString &token, Qt::CaseSensitivity cs)
{
    if (token.isEmpty() || QStringView(m_text).mid(m_pos).startsWith(token, cs) == false)
        return false;
    m_pos += token.size();
    return true;
}

std::optional<TextScanner::Number> TextScanner::number()
{
    Number result;
    while (m_pos < m_text.size() && isAsciiDigit(m_text.at(m_pos)) && result.value < 1000) {
        result.value = result.value * 10 + (m_text.at(m_pos).unicode() - u'0');
        ++result.digits;
        ++m_pos;
    }
    if (result.digits == 0)
        return std::nullopt;
    return result;
}

} // namespace sorvane
