#pragma once

#include <QString>
#include <optional>

namespace sorvane {

/// Integers as the settings file stores them: written in plain signed decimal, read in
/// decimal or in hexadecimal ("$FF", "x1f", "0x10"), 32 bits wide.
class IntegerText {
public:
    static QString format(int value);
    /// The value, or nothing when the text breaks the rules (any other character, no digits,
    /// out of range).
    static std::optional<int> read(const QString &text);
    static int read(const QString &text, int defaultValue)
    {
        return read(text).value_or(defaultValue);
    }
};

} // namespace sorvane
