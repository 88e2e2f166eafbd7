#pragma once

#include "system/IniDocument.h"
#include "system/RegionalSettings.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <optional>

namespace sorvane {

/// A settings file in the INI layout, bound to one path; creating it does not touch the file.
/// The file is read on first use and kept until release(). Every write puts the whole file
/// on the disk atomically before it returns, in Windows-1251 when every character fits and
/// in UTF-8 with a byte-order mark otherwise. A refused write raises
/// "Unable to write to <full path>".
class IniFile {
public:
    static constexpr qsizetype maximumTextLength = 2047;

    explicit IniFile(const QString &path,
                     const RegionalSettings &settings = RegionalSettings::current());

    const QString &path() const noexcept { return m_path; }

    /// The stored text, cut to 2047 characters; defaultText only when the file, the section
    /// or the key is missing (an empty value is empty text).
    QString readText(const QString &section, const QString &key, const QString &defaultText);
    /// The stored value by its text rules; the default when it is missing, empty or
    /// unreadable.
    int readInteger(const QString &section, const QString &key, int defaultValue);
    QDate readDate(const QString &section, const QString &key, const QDate &defaultDate);
    QTime readTime(const QString &section, const QString &key, const QTime &defaultTime);

    void writeText(const QString &section, const QString &key, const QString &text);
    void writeInteger(const QString &section, const QString &key, int value);
    void writeDate(const QString &section, const QString &key, const QDate &date);
    void writeTime(const QString &section, const QString &key, const QTime &time);

    /// Forgets what was read, so that the next call reads the file again.
    void release();

private:
    enum class Loaded { Missing, Read, Unreadable };

    std::optional<QString> storedValue(const QString &section, const QString &key);
    void load();
    [[noreturn]] void refuseWrite() const;

    QString m_path;
    RegionalSettings m_settings;
    std::optional<Loaded> m_state;
    IniDocument m_document;
};

} // namespace sorvane
