#include "dataset/filter/LikePattern.h"

#include "dataset/filter/CaseFold.h"

namespace sorvane::filter {

LikePattern::LikePattern(QStringView pattern, bool caseInsensitive, bool partialCompare)
    : m_caseInsensitive(caseInsensitive)
{
    m_pattern = caseInsensitive ? CaseFold::folded(pattern) : pattern.toString();
    if (partialCompare && m_pattern.size() >= 2 && m_pattern.endsWith(u'*'))
        m_pattern.back() = u'%';
}

// Greedy matching that backs up to the last "%" only: linear for the usual patterns,
// never recursive.
bool LikePattern::matches(QStringView value) const
{
    const char16_t *p = QStringView(m_pattern).utf16();
    const qsizetype m = m_pattern.size();
    const qsizetype n = value.size();
    qsizetype pi = 0;
    qsizetype vi = 0;
    qsizetype starP = -1;
    qsizetype starV = 0;
    while (vi < n) {
        if (pi < m && p[pi] == u'%') {
            if (pi == m - 1)
                return true;
            starP = pi++;
            starV = vi;
            continue;
        }
        if (pi < m) {
            const char16_t v = value[vi].unicode();
            if (p[pi] == u'_' || p[pi] == v || (m_caseInsensitive && p[pi] == CaseFold::fold(v))) {
                ++pi;
                ++vi;
                continue;
            }
        }
        if (starP < 0)
            return false;
        pi = starP + 1;
        vi = ++starV;
    }
    while (pi < m && p[pi] == u'%')
        ++pi;
    return pi == m;
}

} // namespace sorvane::filter
