#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>
#include <cstddef>

namespace sorvane::packet {

/// Strict UTF-8 for the packet readers and writers: decoding refuses overlong forms,
/// surrogates and code points beyond U+10FFFF instead of replacing them, so a damaged text
/// is noticed rather than silently changed.
class Utf8Text {
public:
    /// The number of UTF-16 units that decode() writes for valid bytes (an upper bound for
    /// invalid ones): what a reader reserves before decoding.
    static std::size_t utf16Length(QByteArrayView bytes);

    /// Decodes into out, which has room for utf16Length(bytes) units; returns the units
    /// written, or -1 when the bytes are not valid UTF-8.
    static qsizetype decode(QByteArrayView bytes, char16_t *out);

    static bool isValid(QByteArrayView bytes) { return firstInvalid(bytes) < 0; }
    /// The offset of the first byte that is not valid UTF-8; -1 when all are.
    static qsizetype firstInvalid(QByteArrayView bytes);

    /// Appends the text as UTF-8; a lone surrogate becomes U+FFFD, as no UTF-8 can hold it.
    static void append(QByteArray &out, QStringView text);
};

} // namespace sorvane::packet
