#pragma once

#include <QString>
#include <QStringView>

namespace sorvane::filter {

/// The pattern of LIKE: "%" stands for any run of characters, "_" for any one character,
/// every other character for itself; there is no escape character. A field compared with
/// a literal ignores case, and a literal's trailing "*" (two or more characters) stands
/// for any rest, as with "=".
class LikePattern {
public:
    LikePattern(QStringView pattern, bool caseInsensitive, bool partialCompare);

    bool matches(QStringView value) const;

private:
    QString m_pattern;
    bool m_caseInsensitive = false;
};

} // namespace sorvane::filter
