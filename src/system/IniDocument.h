#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace sorvane {

/// The text of an INI file as lines: "[Section]" opens a section, "key=value" holds a value,
/// ";" starts a comment, anything else is kept and ignored. Section and key names match
/// without regard to case. Changing a value rewrites only its line, so foreign sections,
/// comments and the order of keys survive.
class IniDocument {
public:
    static IniDocument parse(const QString &text);
    QString toText() const;

    /// The value of the key in the first section of that name, blanks around it removed and
    /// one pair of enclosing quotes dropped; nothing when the section or the key is missing.
    std::optional<QString> value(const QString &section, const QString &key) const;
    /// Replaces the key's value in place, or adds the key at the end of its section, or the
    /// section with the key at the end of the text. False when a name or the value holds a
    /// line break, which the layout cannot carry.
    bool setValue(const QString &section, const QString &key, const QString &value);

private:
    struct Entry {
        QString key;
        QString value;
    };
    // Where a section's lines are: its header and one past its last non-blank line.
    struct SectionSpan {
        qsizetype header = -1;
        qsizetype end = -1;
    };

    static std::optional<QString> sectionName(const QString &line);
    static std::optional<Entry> entry(const QString &line);
    static QString unquoted(const QString &value);
    static QString quotedIfNeeded(const QString &value);

    SectionSpan findSection(const QString &section) const;
    qsizetype findKey(const SectionSpan &span, const QString &key) const;
    void insertLines(qsizetype at, const QStringList &lines);

    // Each line without its end; lineEnds[i] is what ended line i ("" for a last line
    // without one).
    QStringList m_lines;
    QStringList m_lineEnds;
    QString m_newLineEnd = QStringLiteral("\r\n");
};

} // namespace sorvane
