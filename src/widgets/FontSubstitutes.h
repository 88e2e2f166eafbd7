#pragma once

#include <QStringList>

namespace sorvane {

/// The typefaces the program's windows are designed with, and the installed typefaces of
/// the same metrics that stand in for them where they are missing. The designed names stay
/// what the settings store and the font dialogs show.
class FontSubstitutes {
public:
    /// Registers a substitute for each designed typeface that is not installed. Needs the
    /// application object.
    static void install();

    /// The designed typefaces, spelt as the settings store them.
    static QStringList designedFamilies();
};

} // namespace sorvane
