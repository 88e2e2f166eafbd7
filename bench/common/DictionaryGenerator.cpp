#include "common/DictionaryGenerator.h"

namespace sorvane::bench {

namespace {

// Three syllables of one consonant and one vowel each give 128³ distinct stems that can be
// told apart without separators; a multiplier that is odd permutes them modulo 2²¹.
constexpr std::uint32_t kStems = 1u << 21;

std::uint32_t mix(std::uint32_t x)
{
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

QString word(std::uint32_t i, std::uint32_t multiplier, const char16_t *consonants,
             const char16_t *vowels, const char16_t *const *endings, bool capitalize)
{
    std::uint32_t stem = (i * multiplier + 0x5bd1u) % kStems;
    QString text;
    text.reserve(12);
    for (int s = 0; s < 3; ++s) {
        text += QChar(consonants[stem % 16]);
        stem /= 16;
        text += QChar(vowels[stem % 8]);
        stem /= 8;
    }
    const std::uint32_t h = mix(i);
    text += QString::fromUtf16(endings[h % 8]);
    if (capitalize && (h & 0x100))
        text[0] = text[0].toUpper();
    return text;
}

const char16_t kDeuConsonants[] = u"bdfghklmnprstwzß";
const char16_t kDeuVowels[] = u"aeiouäöü";
const char16_t *const kDeuEndings[] = {u"", u"en", u"ung", u"er", u"keit", u"chen", u"heit", u"ß"};
const char16_t kRusConsonants[] = u"бвгджзклмнпрстфх";
const char16_t kRusVowels[] = u"аеёиоуыя";
const char16_t *const kRusEndings[] = {u"", u"ка", u"ость", u"ный", u"ать", u"ение", u"ик", u"ёк"};

} // namespace

QString DictionaryGenerator::deu(std::uint32_t i) const
{
    return word(i, 2654435761u, kDeuConsonants, kDeuVowels, kDeuEndings, true);
}

QString DictionaryGenerator::rus(std::uint32_t i) const
{
    return word(i, 40503u * 7u, kRusConsonants, kRusVowels, kRusEndings, false);
}

TableData DictionaryGenerator::table() const
{
    TableData table({{QStringLiteral("Deu"), FieldType::String, 40},
                     {QStringLiteral("Rus"), FieldType::String, 40}});
    table.reserve(m_count, std::size_t(m_count) * 10);
    for (std::uint32_t i = 0; i < m_count; ++i) {
        const RecordId id = table.appendRecord();
        table.setText(id, 0, deu(i));
        table.setText(id, 1, rus(i));
    }
    return table;
}

} // namespace sorvane::bench
