#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

namespace sorvane::filter {

/// Letter case folding for comparisons that ignore case, in every alphabet: one UTF-16
/// unit folds to one unit (simple case folding), so folded texts keep their lengths and
/// a record's text is compared in place, without a copy.
class CaseFold {
public:
    static char16_t fold(char16_t c)
    {
        if (c < 128)
            return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
        const char32_t folded = QChar::toCaseFolded(char32_t(c));
        return folded <= 0xFFFF ? char16_t(folded) : c;
    }

    static QString folded(QStringView text);

    /// Whether value begins with foldedPrefix, value's letters folded on the way.
    static bool startsWithFolded(QStringView value, QStringView foldedPrefix)
    {
        if (value.size() < foldedPrefix.size())
            return false;
        const char16_t *v = value.utf16();
        const char16_t *p = foldedPrefix.utf16();
        for (qsizetype i = 0, n = foldedPrefix.size(); i < n; ++i) {
            if (v[i] != p[i] && fold(v[i]) != p[i])
                return false;
        }
        return true;
    }

    /// Dictionary order of the ordering comparisons: case-folded texts first, then the raw
    /// UTF-16 units, so that two different texts never compare equal.
    static int compare(QStringView a, QStringView b);
};

} // namespace sorvane::filter
