#pragma once

#include <QString>

namespace sorvane::filter {

enum class TokenKind {
    End,
    Word,          // keyword, function name or field name
    BracketedName, // [any characters]
    Text,          // 'text literal'
    Number,
    IsNull,    // IS NULL
    IsNotNull, // IS NOT NULL
    Like,
    In,
    Equal,
    NotEqual,
    Less,
    Greater,
    LessEqual,
    GreaterEqual,
    Plus,
    Minus,
    Star,
    Slash,
    LeftParen,
    RightParen,
    Comma,
};

/// One token of a filter text: its kind, its value (the name, the literal's text, the
/// number's characters) and the characters as the user wrote them, for messages.
struct Token {
    TokenKind kind = TokenKind::End;
    QString value;
    QString written;
    /// A word followed, after blanks only, by "(": the call of a function of that name.
    bool callFollows = false;

    bool isWord(const char *keyword) const
    {
        return kind == TokenKind::Word &&
               value.compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0;
    }
};

} // namespace sorvane::filter
