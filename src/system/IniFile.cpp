#include "system/IniFile.h"

#include "system/AtomicFile.h"
#include "system/DateText.h"
#include "system/Error.h"
#include "system/IntegerText.h"
#include "system/TextFile.h"
#include "system/TimeText.h"

#include <QFile>
#include <QFileInfo>

namespace sorvane {

IniFile::IniFile(const QString &path, const RegionalSettings &settings)
    : m_path(QFileInfo(path).absoluteFilePath()), m_settings(settings)
{
}

void IniFile::load()
{
    if (m_state)
        return;
    QFile file(m_path);
    if (!file.exists()) {
        m_state = Loaded::Missing;
        m_document = IniDocument();
    } else if (file.open(QIODevice::ReadOnly)) {
        m_state = Loaded::Read;
        m_document = IniDocument::parse(TextFile::decode(file.readAll()));
    } else {
        m_state = Loaded::Unreadable;
        m_document = IniDocument();
    }
}

std::optional<QString> IniFile::storedValue(const QString &section, const QString &key)
{
    load();
    return m_document.value(section, key);
}

QString IniFile::readText(const QString &section, const QString &key, const QString &defaultText)
{
    const auto stored = storedValue(section, key);
    if (!stored)
        return defaultText;
    qsizetype length = qMin(stored->size(), maximumTextLength);
    // A character outside the basic plane is never split in two.
    if (length < stored->size() && stored->at(length - 1).isHighSurrogate())
        --length;
    return stored->left(length);
}

int IniFile::readInteger(const QString &section, const QString &key, int defaultValue)
{
    return IntegerText::read(readText(section, key, QString()), defaultValue);
}

QDate IniFile::readDate(const QString &section, const QString &key, const QDate &defaultDate)
{
    return DateText::read(readText(section, key, QString()), m_settings).value_or(defaultDate);
}

QTime IniFile::readTime(const QString &section, const QString &key, const QTime &defaultTime)
{
    return TimeText::read(readText(section, key, QString()), m_settings).value_or(defaultTime);
}

void IniFile::writeText(const QString &section, const QString &key, const QString &text)
{
    load();
    // A file that exists but cannot be read cannot be rewritten without losing its content.
    if (m_state == Loaded::Unreadable)
        refuseWrite();
    IniDocument changed = m_document;
    if (!changed.setValue(section, key, text) ||
        !AtomicFile::write(m_path, TextFile::encode(changed.toText())))
        refuseWrite();
    m_document = changed;
    m_state = Loaded::Read;
}

void IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeText(section, key, IntegerText::format(value));
}

void IniFile::writeDate(const QString &section, const QString &key, const QDate &date)
{
    writeText(section, key, DateText::format(date, m_settings));
}

void IniFile::writeTime(const QString &section, const QString &key, const QTime &time)
{
    writeText(section, key, TimeText::format(time, m_settings));
}

void IniFile::release()
{
    m_state.reset();
    m_document = IniDocument();
}

void IniFile::refuseWrite() const
{
    throw Error(QStringLiteral("Unable to write to %1").arg(m_path));
}

} // namespace sorvane
