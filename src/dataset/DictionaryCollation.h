#pragma once

#include <QStringView>
#include <cstdint>

namespace sorvane {

/// Dictionary order of texts: letters compare as in a dictionary first (case, umlauts and
/// "ё" only where the letters are otherwise equal), and two different texts never compare
/// equal, so the order is total and a unique index tells "laufen" from "Laufen".
///
/// Levels, each consulted only when the ones before are equal: base letters (lower case,
/// Latin diacritics removed, "ß" read as "ss", "ё" as "е", combining marks ignored); the
/// diacritics; the letter case (lower before upper); the raw UTF-16 code units.
class DictionaryCollation {
public:
    /// Negative, zero or positive; zero only for identical texts.
    static int compare(QStringView a, QStringView b);
    /// Equal when the texts differ in letter case only.
    static bool equalIgnoringCase(QStringView a, QStringView b);
    /// A 64-bit key whose order never contradicts compare(): key(a) < key(b) implies
    /// a < b. Equal keys say nothing. Sorting by it first spares most full comparisons.
    static std::uint64_t sortPrefix(QStringView text);
};

} // namespace sorvane
