#include "dataset/DictionaryCollation.h"

#include <QString>
#include <array>

namespace sorvane {

namespace {

// One entry per UTF-16 code unit: the base letter's weight (0: ignored), the diacritic
// and the case, and whether it stands for two letters ("ß" for "ss").
struct Weight {
    char16_t primary = 0;
    std::uint8_t accent = 0;
    std::uint8_t upper = 0;
    bool doubled = false;
};

bool foldsDiacritics(char16_t c)
{
    // German dictionaries file "ä" under "a"; Russian ones file "ё" under "е" but keep "й"
    // a letter of its own, so only Latin letters and "ё" lose their marks.
    return (c >= 0x00C0 && c <= 0x024F) || (c >= 0x1E00 && c <= 0x1EFF) || c == 0x0401 ||
           c == 0x0451;
}

Weight weightOf(char16_t c)
{
    Weight w;
    if (c == 0)
        return w;
    if (c >= 0x0300 && c <= 0x036F) {
        // A combining mark (a stress mark over a Russian vowel) is no letter, only a
        // diacritic.
        w.accent = std::uint8_t(c - 0x0300 + 2);
        return w;
    }
    const QChar qc(c);
    const char16_t lower = qc.isSurrogate() ? c : char16_t(qc.toLower().unicode());
    w.upper = lower != c ? 1 : 0;
    w.primary = lower;
    if (lower == 0x00DF || c == 0x1E9E) {
        w.primary = u's';
        w.doubled = true;
        w.accent = 1;
        return w;
    }
    if (foldsDiacritics(lower)) {
        const QString decomposed = QChar(lower).decomposition();
        if (QChar(lower).decompositionTag() == QChar::Canonical && decomposed.size() >= 2) {
            w.primary = decomposed.at(0).unicode();
            const char16_t mark = decomposed.at(1).unicode();
            w.accent = std::uint8_t(mark >= 0x0300 && mark <= 0x036F ? mark - 0x0300 + 2 : 0xFF);
        }
    }
    return w;
}

const std::array<Weight, 0x10000> &weights()
{
    static const auto table = [] {
        auto *t = new std::array<Weight, 0x10000>;
        for (std::uint32_t c = 0; c < 0x10000; ++c)
            (*t)[c] = weightOf(char16_t(c));
        return t;
    }();
    return *table;
}

// Walks the base-letter weights of a text, expanding doubled letters and skipping the
// ignored ones; 0 marks the end.
class PrimaryWalk {
public:
    PrimaryWalk(QStringView text, const std::array<Weight, 0x10000> &table)
        : m_p(text.utf16()), m_end(text.utf16() + text.size()), m_table(table)
    {
    }
    char16_t next()
    {
        if (m_pending) {
            const char16_t w = m_pending;
            m_pending = 0;
            return w;
        }
        while (m_p != m_end) {
            const Weight &w = m_table[*m_p++];
            if (w.primary == 0)
                continue;
            if (w.doubled)
                m_pending = w.primary;
            return w.primary;
        }
        return 0;
    }

private:
    const char16_t *m_p;
    const char16_t *m_end;
    const std::array<Weight, 0x10000> &m_table;
    char16_t m_pending = 0;
};

int comparePrimary(QStringView a, QStringView b, const std::array<Weight, 0x10000> &table)
{
    PrimaryWalk wa(a, table);
    PrimaryWalk wb(b, table);
    for (;;) {
        const char16_t x = wa.next();
        const char16_t y = wb.next();
        if (x != y)
            return x < y ? -1 : 1;
        if (x == 0)
            return 0;
    }
}

// Compares one of the later levels character by character, over the characters that take
// part in it: letters, and for the diacritics also the combining marks.
template <typename Level>
int compareLevel(QStringView a, QStringView b, const std::array<Weight, 0x10000> &table,
                 bool withMarks, Level level)
{
    const auto skipped = [&](char16_t c) {
        const Weight &w = table[c];
        return w.primary == 0 && !(withMarks && w.accent != 0);
    };
    const char16_t *pa = a.utf16(), *ea = pa + a.size();
    const char16_t *pb = b.utf16(), *eb = pb + b.size();
    for (;;) {
        while (pa != ea && skipped(*pa))
            ++pa;
        while (pb != eb && skipped(*pb))
            ++pb;
        if (pa == ea || pb == eb)
            return (pa == ea) == (pb == eb) ? 0 : (pa == ea ? -1 : 1);
        const int x = level(table[*pa++]);
        const int y = level(table[*pb++]);
        if (x != y)
            return x < y ? -1 : 1;
    }
}

int compareCodeUnits(QStringView a, QStringView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        if (a.utf16()[i] != b.utf16()[i])
            return a.utf16()[i] < b.utf16()[i] ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// The byte that stands for a base-letter weight in the sort prefix: ASCII and the Russian
// alphabet exactly, everything else in two ordered buckets after which the prefix stops.
struct PrefixByte {
    std::uint8_t byte;
    bool exact;
};

PrefixByte prefixByte(char16_t w)
{
    if (w < 0x80)
        return {std::uint8_t(w), true};
    if (w < 0x0430)
        return {0x80, false};
    if (w <= 0x044F)
        return {std::uint8_t(0x81 + (w - 0x0430)), true};
    return {0xA1, false};
}

} // namespace

int DictionaryCollation::compare(QStringView a, QStringView b)
{
    const auto &table = weights();
    if (const int r = comparePrimary(a, b, table))
        return r;
    if (const int r = compareLevel(a, b, table, true, [](const Weight &w) { return w.accent; }))
        return r;
    if (const int r = compareLevel(a, b, table, false, [](const Weight &w) { return w.upper; }))
        return r;
    return compareCodeUnits(a, b);
}

bool DictionaryCollation::equalIgnoringCase(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

std::uint64_t DictionaryCollation::sortPrefix(QStringView text)
{
    PrimaryWalk walk(text, weights());
    std::uint64_t key = 0;
    for (int i = 0; i < 8; ++i) {
        const char16_t w = walk.next();
        if (w == 0)
            return i == 0 ? 0 : key << (8 * (8 - i));
        const PrefixByte b = prefixByte(w);
        key = (key << 8) | b.byte;
        if (!b.exact)
            return key << (8 * (7 - i));
    }
    return key;
}

} // namespace sorvane
