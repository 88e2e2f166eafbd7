#pragma once

#include <QString>
#include <optional>

namespace sorvane {

/// Walks a date or time text from left to right for the readers of DateText and TimeText,
/// which share its rules for blanks and numbers.
class TextScanner {
public:
    /// A number as read: its value and how many digits spelled it.
    struct Number {
        int value = 0;
        int digits = 0;
    };

    explicit TextScanner(const QString &text) : m_text(text) {}

    void skipSpaces();
    /// Consumes token when the text continues with it.
    bool accept(const QString &token, Qt::CaseSensitivity cs = Qt::CaseSensitive);
    /// Digits are taken while the number so far is below 1000; nothing is consumed when no
    /// digit stands here.
    std::optional<Number> number();
    bool atEnd() const { return m_pos >= m_text.size(); }

    qsizetype position() const { return m_pos; }
    void rewind(qsizetype position) { m_pos = position; }

private:
    const QString &m_text;
    qsizetype m_pos = 0;
};

} // namespace sorvane
