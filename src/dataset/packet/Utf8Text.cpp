#include "dataset/packet/Utf8Text.h"

namespace sorvane::packet {

std::size_t Utf8Text::utf16Length(QByteArrayView bytes)
{
    std::size_t units = 0;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        // Every lead byte starts one unit; a four-byte sequence needs a surrogate pair.
        units += (b & 0xC0) != 0x80;
        units += b >= 0xF0;
    }
    return units;
}

namespace {

// Returns the units written, or -1 with the offset of the bad sequence in badAt. Store =
// false only checks the bytes, so validation needs no buffer.
template <bool Store>
qsizetype decodeInto(QByteArrayView bytes, char16_t *out, qsizetype *badAt = nullptr)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *end = p + bytes.size();
    qsizetype written = 0;
    const auto *const begin = p;
    const auto bad = [&] {
        if (badAt)
            *badAt = p - begin;
        return qsizetype(-1);
    };
    while (p < end) {
        const unsigned b = *p;
        if (b < 0x80) {
            if constexpr (Store)
                out[written] = char16_t(b);
            ++written;
            ++p;
            continue;
        }
        int extra;
        char32_t cp;
        char32_t least;
        if ((b & 0xE0) == 0xC0) {
            extra = 1;
            cp = b & 0x1F;
            least = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2;
            cp = b & 0x0F;
            least = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            extra = 3;
            cp = b & 0x07;
            least = 0x10000;
        } else {
            return bad();
        }
        if (end - p <= extra)
            return bad();
        for (int i = 1; i <= extra; ++i) {
            const unsigned next = p[i];
            if ((next & 0xC0) != 0x80)
                return bad();
            cp = (cp << 6) | (next & 0x3F);
        }
        if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return bad();
        const bool pair = cp >= 0x10000;
        if constexpr (Store) {
            if (pair) {
                cp -= 0x10000;
                out[written] = char16_t(0xD800 + (cp >> 10));
                out[written + 1] = char16_t(0xDC00 + (cp & 0x3FF));
            } else {
                out[written] = char16_t(cp);
            }
        }
        written += pair ? 2 : 1;
        p += extra + 1;
    }
    return written;
}

} // namespace

qsizetype Utf8Text::decode(QByteArrayView bytes, char16_t *out)
{
    return decodeInto<true>(bytes, out);
}

qsizetype Utf8Text::firstInvalid(QByteArrayView bytes)
{
    qsizetype badAt = -1;
    decodeInto<false>(bytes, nullptr, &badAt);
    return badAt;
}

void Utf8Text::append(QByteArray &out, QStringView text)
{
    // Room for the worst case (three bytes per unit) first, so the loop writes through a
    // plain pointer; the array keeps its capacity when cut back to what was written.
    const qsizetype start = out.size();
    out.resize(start + 3 * text.size());
    auto *o = reinterpret_cast<unsigned char *>(out.data() + start);
    const char16_t *p = text.utf16();
    const char16_t *end = p + text.size();
    while (p < end) {
        char32_t cp = *p++;
        if (cp < 0x80) {
            *o++ = static_cast<unsigned char>(cp);
            continue;
        }
        if (cp >= 0xD800 && cp <= 0xDFFF) {
            if (cp <= 0xDBFF && p < end && *p >= 0xDC00 && *p <= 0xDFFF)
                cp = 0x10000 + ((cp - 0xD800) << 10) + (*p++ - 0xDC00);
            else
                cp = 0xFFFD;
        }
        if (cp < 0x800) {
            *o++ = static_cast<unsigned char>(0xC0 | (cp >> 6));
        } else if (cp < 0x10000) {
            *o++ = static_cast<unsigned char>(0xE0 | (cp >> 12));
            *o++ = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
        } else {
            // Two units became four bytes: still within the room made for them.
            *o++ = static_cast<unsigned char>(0xF0 | (cp >> 18));
            *o++ = static_cast<unsigned char>(0x80 | ((cp >> 12) & 0x3F));
            *o++ = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
        }
        *o++ = static_cast<unsigned char>(0x80 | (cp & 0x3F));
    }
    out.truncate(o - reinterpret_cast<unsigned char *>(out.data()));
}

} // namespace sorvane::packet
