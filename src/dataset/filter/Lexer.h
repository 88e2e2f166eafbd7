#pragma once

#include "dataset/filter/Token.h"

#include <QChar>
#include <QString>
#include <vector>

namespace sorvane::filter {

/// Splits a filter text into tokens, one at a time, so that a fault further on is only
/// reported once the parser has accepted everything before it.
class Lexer {
public:
    Lexer(const QString &text, QChar decimalSeparator);

    /// The next token; TokenKind::End at the end of the text. Throws sorvane::Error for
    /// an invalid character, an unterminated literal or name, or a misused "IS".
    Token next();

private:
    void skipBlanksAndComment();
    void skipBlanks();
    Token readWord();
    Token readBracketedName();
    Token readText();
    Token readNumber();
    Token readOperator();
    Token readIsTest(qsizetype start);
    QString readBareWord();
    bool quoteIsPartOfText(qsizetype quote);
    bool plainWordAt(qsizetype pos);
    bool endsRun(qsizetype pos) const;
    void indexRuns();
    bool operandEnded() const;
    Token make(TokenKind kind, qsizetype start, QString value = {}) const;
    QChar at(qsizetype pos) const { return pos < m_text.size() ? m_text[pos] : QChar(); }

    const QString m_text;
    const QChar m_decimalSeparator;
    qsizetype m_pos = 0;
    qsizetype m_lastQuote = -1;
    TokenKind m_previous = TokenKind::End;

    // For the apostrophe rule, built once when a literal first needs it so that every
    // quote's look-ahead costs the same whatever the text's length: per position, where
    // its run ends and where the next ".", "'", '"' and "`" stand (the text's size if none).
    std::vector<qsizetype> m_runEnd;
    std::vector<qsizetype> m_nextDot;
    std::vector<qsizetype> m_nextQuote[3];
};

} // namespace sorvane::filter
