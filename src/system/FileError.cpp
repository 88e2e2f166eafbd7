#include "system/FileError.h"

#include <QFileInfo>
#include <clocale>
#include <cstring>
#include <locale.h>

namespace sorvane {

namespace {

QString fullPath(const QString &path)
{
    return QFileInfo(path).absoluteFilePath();
}

QString messageFor(const QString &verb, const QString &path, const QString &systemText)
{
    QString message = QStringLiteral("Cannot %1 file \"%2\"").arg(verb, path);
    const QString reason = FileError::trimmedSystemText(systemText);
    if (!reason.isEmpty())
        message += QStringLiteral(". ") + reason;
    return message;
}

} // namespace

FileError::FileError(const QString &verb, const QString &path, const QString &systemText)
    : Error(messageFor(verb, fullPath(path), systemText)), m_path(fullPath(path))
{
}

FileError FileError::cannotOpen(const QString &path, const QString &systemText)
{
    return FileError(QStringLiteral("open"), path, systemText);
}

FileError FileError::cannotCreate(const QString &path, const QString &systemText)
{
    return FileError(QStringLiteral("create"), path, systemText);
}

QString FileError::systemText(int errnoValue)
{
    // The application object switches the C library to the user's locale; platform messages
    // stay English, so the text comes from the "C" locale explicitly.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    const char *text = cLocale ? strerror_l(errnoValue, cLocale) : nullptr;
    if (!text)
        return QStringLiteral("Error %1").arg(errnoValue);
    return trimmedSystemText(QString::fromLocal8Bit(text));
}

QString FileError::trimmedSystemText(const QString &systemText)
{
    qsizetype end = systemText.size();
    while (end > 0 && (systemText.at(end - 1).isSpace() || systemText.at(end - 1) == u'.'))
        --end;
    return systemText.left(end);
}

} // namespace sorvane
