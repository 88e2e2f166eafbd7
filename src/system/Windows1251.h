#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace sorvane {

/// The single-byte code page of the Russian texts. Text that does not fit is refused, never
/// replaced by "?", so that callers can choose another encoding for it.
class Windows1251 {
public:
    /// The bytes of text, or nothing when some character has no Windows-1251 byte.
    static std::optional<QByteArray> encode(const QString &text);
    static bool fits(const QString &text) { return encode(text).has_value(); }
    static QString decode(const QByteArray &bytes);
};

} // namespace sorvane
