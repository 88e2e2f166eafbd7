#pragma once

#include "system/Error.h"

namespace sorvane {

/// A file that could not be opened or created: the message names the file by its full path
/// and ends with the system's own reason, "Cannot open file "/x/y.db". No such file or
/// directory".
class FileError : public Error {
public:
    static FileError cannotOpen(const QString &path, const QString &systemText);
    static FileError cannotCreate(const QString &path, const QString &systemText);

    /// The system's text for an errno value, in English whatever the user's locale.
    static QString systemText(int errnoValue);
    /// The system text without trailing blanks, line ends and full stops, so that it can end
    /// a sentence of ours.
    static QString trimmedSystemText(const QString &systemText);

    const QString &path() const noexcept { return m_path; }

private:
    FileError(const QString &verb, const QString &path, const QString &systemText);

    QString m_path;
};

} // namespace sorvane
