#pragma once

#include "dataset/filter/CaseFold.h"

#include <QString>
#include <QStringView>

namespace sorvane::filter {

/// A text field compared by "=" or "<>" with a non-empty text literal: the literal is
/// prepared once (folded when case is ignored, its trailing "*" turned into a comparison
/// of the beginning), and each record's text is compared in place.
class TextMatcher {
public:
    TextMatcher(QStringView literal, bool notEqual, bool caseInsensitive, bool partialCompare);

    /// The comparison for a non-null value.
    bool matches(QStringView value) const
    {
        const bool equal = (m_prefix || value.size() == m_literal.size()) && begins(value);
        return equal != m_notEqual;
    }

private:
    bool begins(QStringView value) const
    {
        if (m_caseInsensitive)
            return CaseFold::startsWithFolded(value, m_literal);
        return value.startsWith(m_literal, Qt::CaseSensitive);
    }

    QString m_literal;
    bool m_prefix = false;
    bool m_notEqual = false;
    bool m_caseInsensitive = false;
};

} // namespace sorvane::filter
