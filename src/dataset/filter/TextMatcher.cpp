#include "dataset/filter/TextMatcher.h"

namespace sorvane::filter {

TextMatcher::TextMatcher(QStringView literal, bool notEqual, bool caseInsensitive,
                         bool partialCompare)
    : m_notEqual(notEqual), m_caseInsensitive(caseInsensitive)
{
    // "b*" compares the beginning; "*" alone is the one-character text "*".
    if (partialCompare && literal.size() >= 2 && literal.endsWith(u'*')) {
        m_prefix = true;
        literal.chop(1);
    }
    m_literal = caseInsensitive ? CaseFold::folded(literal) : literal.toString();
}

} // namespace sorvane::filter
