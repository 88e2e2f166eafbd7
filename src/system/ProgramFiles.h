#pragma once

#include <QString>

namespace sorvane {

/// Where the program's own files go: the settings file and the report. That is the directory
/// of the executable when it is writable, otherwise the user's configuration directory for
/// the program, so that an installed program can still keep its settings.
class ProgramFiles {
public:
    static QString directory();
    static QString settingsPath();
    static QString reportPath();

    /// Puts the files into directory instead (tests); an empty directory restores the choice.
    static void setDirectory(const QString &directory);
    /// programDirectory when it is writable, otherwise the configuration directory, created
    /// when needed.
    static QString chooseDirectory(const QString &programDirectory);
};

} // namespace sorvane
