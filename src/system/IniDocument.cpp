#include "system/IniDocument.h"

namespace sorvane {

namespace {

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool holdsLineBreak(const QString &text)
{
    return text.contains(u'\n') || text.contains(u'\r');
}

bool isQuote(QChar c)
{
    return c == u'"' || c == u'\'';
}

} // namespace

IniDocument IniDocument::parse(const QString &text)
{
    IniDocument document;
    bool lineEndSeen = false;
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype newline = text.indexOf(u'\n', start);
        if (newline < 0) {
            document.m_lines << text.mid(start);
            document.m_lineEnds << QString();
            break;
        }
        const bool crlf = newline > start && text.at(newline - 1) == u'\r';
        const qsizetype lineEnd = crlf ? newline - 1 : newline;
        document.m_lines << text.mid(start, lineEnd - start);
        document.m_lineEnds << text.mid(lineEnd, newline + 1 - lineEnd);
        if (!lineEndSeen) {
            // New lines follow the file's own convention.
            document.m_newLineEnd = document.m_lineEnds.back();
            lineEndSeen = true;
        }
        start = newline + 1;
    }
    return document;
}

QString IniDocument::toText() const
{
    QString text;
    for (qsizetype i = 0; i < m_lines.size(); ++i)
        text += m_lines.at(i) + m_lineEnds.at(i);
    return text;
}

// section := blanks "[" name "]" anything; without "]" the name runs to the end of the line
std::optional<QString> IniDocument::sectionName(const QString &line)
{
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(u']');
    return trimmed.mid(1, close < 0 ? -1 : close - 1).trimmed();
}

// entry := blanks key blanks "=" value, where key holds no "=" and does not start with ";"
std::optional<IniDocument::Entry> IniDocument::entry(const QString &line)
{
    const QString trimmed = line.trimmed();
    if (trimmed.startsWith(u';') || trimmed.startsWith(u'['))
        return std::nullopt;
    const qsizetype equals = trimmed.indexOf(u'=');
    if (equals < 0)
        return std::nullopt;
    return Entry{trimmed.left(equals).trimmed(), unquoted(trimmed.mid(equals + 1).trimmed())};
}

// value := blanks ( quote text quote | text ) blanks, the two quotes alike
QString IniDocument::unquoted(const QString &value)
{
    if (value.size() >= 2 && isQuote(value.front()) && value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

// A value that reading would change (blanks at its ends, enclosing quotes) is written in
// quotes, so that every text reads back as it was written.
QString IniDocument::quotedIfNeeded(const QString &value)
{
    if (value.isEmpty() || unquoted(value.trimmed()) == value)
        return value;
    return u'"' + value + u'"';
}

IniDocument::SectionSpan IniDocument::findSection(const QString &section) const
{
    SectionSpan span;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const auto name = sectionName(m_lines.at(i));
        if (span.header >= 0) {
            if (name)
                break;
            if (!m_lines.at(i).trimmed().isEmpty())
                span.end = i + 1;
        } else if (name && sameName(*name, section)) {
            span.header = i;
            span.end = i + 1;
        }
    }
    return span;
}

qsizetype IniDocument::findKey(const SectionSpan &span, const QString &key) const
{
    for (qsizetype i = span.header + 1; i < span.end; ++i) {
        const auto found = entry(m_lines.at(i));
        if (found && sameName(found->key, key))
            return i;
    }
    return -1;
}

std::optional<QString> IniDocument::value(const QString &section, const QString &key) const
{
    const SectionSpan span = findSection(section);
    if (span.header < 0)
        return std::nullopt;
    const qsizetype line = findKey(span, key);
    if (line < 0)
        return std::nullopt;
    return entry(m_lines.at(line))->value;
}

bool IniDocument::setValue(const QString &section, const QString &key, const QString &value)
{
    if (holdsLineBreak(section) || holdsLineBreak(key) || holdsLineBreak(value))
        return false;
    const QString text = quotedIfNeeded(value);
    const SectionSpan span = findSection(section);
    if (span.header < 0) {
        insertLines(m_lines.size(), {u'[' + section + u']', key + u'=' + text});
        return true;
    }
    const qsizetype line = findKey(span, key);
    if (line >= 0)
        m_lines[line] = entry(m_lines.at(line))->key + u'=' + text;
    else
        insertLines(span.end, {key + u'=' + text});
    return true;
}

void IniDocument::insertLines(qsizetype at, const QStringList &lines)
{
    // The line before the new ones may be the file's last, without an end of its own.
    if (at > 0 && m_lineEnds.at(at - 1).isEmpty())
        m_lineEnds[at - 1] = m_newLineEnd;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        m_lines.insert(at + i, lines.at(i));
        m_lineEnds.insert(at + i, m_newLineEnd);
    }
}

} // namespace sorvane
