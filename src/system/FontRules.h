#pragma once

#include <QString>

namespace sorvane {

/// How the settings file's font values become a font: sizes in whole points against pixel
/// heights, the character-set code, and the face name.
class FontRules {
public:
    static constexpr int screenDpi = 96;
    static constexpr int maximumNameLength = 31;

    /// Both conversions round halves away from zero, so a pixel height that is turned into
    /// points and back stays the same (13 px is 10 pt and 10 pt is 13 px at 96 dpi).
    static int pointsFromPixels(int pixelHeight, int dpi = screenDpi);
    static int pixelsFromPoints(int points, int dpi = screenDpi);
    /// Only the lowest 8 bits of a stored character set are a character set (460 is 204).
    static int characterSet(int storedValue) { return storedValue & 0xFF; }
    /// An empty stored name keeps the current one; a long one is cut to 31 characters.
    static QString faceName(const QString &storedName, const QString &currentName);
};

} // namespace sorvane
