#include "dataset/filter/Lexer.h"

#include "system/Error.h"

namespace sorvane::filter {

namespace {

// The character classes are those of the program's single-byte code page, Windows-1251.
// Below 128 it agrees with Unicode. Above, only two characters have codes outside
// 129–254: "Ђ" (128) and "я" (255), which no token may start with; every other character,
// whether Windows-1251 can represent it or not, starts a word.
constexpr char16_t kCode128 = u'\u0402';
constexpr char16_t kCode255 = u'\u044F';

bool isBlank(QChar c)
{
    return c.unicode() >= 1 && c.unicode() <= 32;
}

bool isAsciiLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
}

bool isDigit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}

bool isWordStart(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= 128)
        return u != kCode128 && u != kCode255;
    return isAsciiLetter(c) || u == '_';
}

bool isWordPart(QChar c)
{
    return isAsciiLetter(c) || isDigit(c) || c == u'_' || c == u'.' || c == u'[' || c == u']';
}

[[noreturn]] void invalidCharacter(QChar c)
{
    throw Error(QStringLiteral("Invalid filter expression character: '%1'").arg(c));
}

// The words after which a quote always closes its literal.
const char *const kLiteralClosingKeywords[] = {
    "AND",    "OR",    "LIKE", "IS",  "NULL",      "SELECT", "FROM",       "WHERE",
    "HAVING", "UNION", "PLAN", "ASC", "ASCENDING", "DESC",   "DESCENDING",
};

} // namespace

Lexer::Lexer(const QString &text, QChar decimalSeparator)
    : m_text(text), m_decimalSeparator(decimalSeparator), m_lastQuote(text.lastIndexOf(u'\''))
{
}

Token Lexer::next()
{
    skipBlanksAndComment();
    Token token;
    if (m_pos >= m_text.size()) {
        token = make(TokenKind::End, m_pos);
    } else {
        const QChar c = m_text[m_pos];
        if (isWordStart(c))
            token = readWord();
        else if (c == u'[')
            token = readBracketedName();
        else if (c == u'\'')
            token = readText();
        else if (isDigit(c) || (c == u'-' && !operandEnded()))
            token = readNumber();
        else
            token = readOperator();
    }
    m_previous = token.kind;
    return token;
}

void Lexer::skipBlanks()
{
    while (m_pos < m_text.size() && isBlank(m_text[m_pos]))
        ++m_pos;
}

// One comment may stand before each token; it may hold no "*" but that of its "*/".
// An unclosed comment is reported by its opening "/", a stray "*" by itself.
void Lexer::skipBlanksAndComment()
{
    skipBlanks();
    if (at(m_pos) != u'/' || at(m_pos + 1) != u'*')
        return;
    const qsizetype star = m_text.indexOf(u'*', m_pos + 2);
    if (star < 0)
        invalidCharacter(u'/');
    if (at(star + 1) != u'/')
        invalidCharacter(u'*');
    m_pos = star + 2;
    skipBlanks();
}

Token Lexer::readWord()
{
    const qsizetype start = m_pos;
    const QString word = readBareWord();
    if (word.compare(QLatin1String("IS"), Qt::CaseInsensitive) == 0)
        return readIsTest(start);
    if (word.compare(QLatin1String("LIKE"), Qt::CaseInsensitive) == 0)
        return make(TokenKind::Like, start, word);
    if (word.compare(QLatin1String("IN"), Qt::CaseInsensitive) == 0)
        return make(TokenKind::In, start, word);
    Token token = make(TokenKind::Word, start, word);
    qsizetype after = m_pos;
    while (after < m_text.size() && isBlank(m_text[after]))
        ++after;
    token.callFollows = at(after) == u'(';
    return token;
}

QString Lexer::readBareWord()
{
    const qsizetype start = m_pos;
    if (m_pos < m_text.size() && isWordStart(m_text[m_pos])) {
        ++m_pos;
        while (m_pos < m_text.size() && isWordPart(m_text[m_pos]))
            ++m_pos;
    }
    return m_text.mid(start, m_pos - start);
}

// "IS" must be followed by the word "NULL", or by "NOT" and "NULL", blanks between.
Token Lexer::readIsTest(qsizetype start)
{
    skipBlanks();
    QString word = readBareWord();
    TokenKind kind = TokenKind::IsNull;
    if (word.compare(QLatin1String("NOT"), Qt::CaseInsensitive) == 0) {
        kind = TokenKind::IsNotNull;
        skipBlanks();
        word = readBareWord();
    }
    if (word.compare(QLatin1String("NULL"), Qt::CaseInsensitive) != 0)
        throw Error(QStringLiteral("Invalid use of keyword"));
    return make(kind, start);
}

Token Lexer::readBracketedName()
{
    const qsizetype start = m_pos;
    const qsizetype close = m_text.indexOf(u']', start + 1);
    if (close < 0)
        throw Error(QStringLiteral("Unterminated field name"));
    m_pos = close + 1;
    return make(TokenKind::BracketedName, start, m_text.mid(start + 1, close - start - 1));
}

Token Lexer::readText()
{
    const qsizetype start = m_pos;
    QString text;
    qsizetype pos = start + 1;
    for (;;) {
        if (pos >= m_text.size())
            throw Error(QStringLiteral("Unterminated string constant"));
        const QChar c = m_text[pos];
        if (c != u'\'') {
            text += c;
            ++pos;
        } else if (at(pos + 1) == u'\'') {
            text += c;
            pos += 2;
        } else if (quoteIsPartOfText(pos)) {
            text += c;
            ++pos;
        } else {
            ++pos;
            break;
        }
    }
    m_pos = pos;
    // Only the first 255 characters of a literal take part in a comparison.
    text.truncate(255);
    return make(TokenKind::Text, start, text);
}

// A single quote closes its literal unless another quote follows later and the text after
// it, past blanks, ")", "," and "(", begins with a plain word: then it is an apostrophe.
bool Lexer::quoteIsPartOfText(qsizetype quote)
{
    if (m_lastQuote <= quote)
        return false;
    qsizetype pos = quote + 1;
    while (at(pos) == u' ' || at(pos) == u')')
        ++pos;
    while (at(pos) == u' ' || at(pos) == u'\r' || at(pos) == u'\n' || at(pos) == u',' ||
           at(pos) == u'(')
        ++pos;
    return plainWordAt(pos);
}

bool Lexer::endsRun(qsizetype pos) const
{
    const QChar c = at(pos);
    return pos >= m_text.size() || c == u' ' || c == u'\r' || c == u'\n' || c == u',' || c == u'(';
}

void Lexer::indexRuns()
{
    const qsizetype n = m_text.size();
    m_runEnd.assign(n + 1, n);
    m_nextDot.assign(n + 2, n);
    for (auto &next : m_nextQuote)
        next.assign(n + 2, n);
    for (qsizetype i = n - 1; i >= 0; --i) {
        const QChar c = m_text[i];
        m_runEnd[i] = endsRun(i) ? i : m_runEnd[i + 1];
        m_nextDot[i] = c == u'.' ? i : m_nextDot[i + 1];
        m_nextQuote[0][i] = c == u'\'' ? i : m_nextQuote[0][i + 1];
        m_nextQuote[1][i] = c == u'"' ? i : m_nextQuote[1][i + 1];
        m_nextQuote[2][i] = c == u'`' ? i : m_nextQuote[2][i + 1];
    }
}

// A plain word: the run up to the next space, line break, ",", "(" or the end, that does
// not start like an operand or an operator, holds no quoted section ("'", '"' or "`" twice)
// and no "." after its first character, and is no keyword that may follow a literal.
bool Lexer::plainWordAt(qsizetype pos)
{
    if (endsRun(pos))
        return false;
    const QChar first = m_text[pos];
    if (isDigit(first) || first == u'<' || first == u'=' || first == u'>')
        return false;
    if (first == u'/' && (at(pos + 1) == u'*' || at(pos + 1) == u'/'))
        return false;

    if (m_runEnd.empty())
        indexRuns();
    const qsizetype end = m_runEnd[pos];
    if (m_nextDot[pos + 1] < end)
        return false;
    for (const auto &next : m_nextQuote) {
        const qsizetype opening = next[pos];
        if (opening < end && next[opening + 1] < end)
            return false;
    }

    const QStringView run = QStringView(m_text).mid(pos, end - pos);
    for (const char *keyword : kLiteralClosingKeywords) {
        if (run.compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0)
            return false;
    }
    const auto nextRunIs = [&](QLatin1String word) {
        qsizetype p = end;
        while (at(p) == u' ' || at(p) == u'\r' || at(p) == u'\n')
            ++p;
        return QStringView(m_text).mid(p, word.size()).compare(word, Qt::CaseInsensitive) == 0 &&
               endsRun(p + word.size());
    };
    if (run.compare(QLatin1String("GROUP"), Qt::CaseInsensitive) == 0 ||
        run.compare(QLatin1String("ORDER"), Qt::CaseInsensitive) == 0)
        return !nextRunIs(QLatin1String("BY"));
    if (run.compare(QLatin1String("FOR"), Qt::CaseInsensitive) == 0)
        return !nextRunIs(QLatin1String("UPDATE"));
    return true;
}

// A number runs on over digits, signs, exponents and the decimal separator; with "," as
// separator a last comma followed by a space is a list's comma, not part of the number.
Token Lexer::readNumber()
{
    const qsizetype start = m_pos;
    if (m_text[m_pos] == u'-')
        ++m_pos;
    while (m_pos < m_text.size()) {
        const QChar c = m_text[m_pos];
        if (!isDigit(c) && c != u'+' && c != u'-' && c != u'E' && c != u'e' &&
            c != m_decimalSeparator)
            break;
        ++m_pos;
    }
    if (m_decimalSeparator == u',' && m_pos > start + 1 && m_text[m_pos - 1] == u',' &&
        at(m_pos) == u' ')
        --m_pos;
    return make(TokenKind::Number, start, m_text.mid(start, m_pos - start));
}

Token Lexer::readOperator()
{
    const qsizetype start = m_pos;
    const QChar c = m_text[m_pos++];
    TokenKind kind;
    switch (c.unicode()) {
    case u'<':
        if (at(m_pos) == u'>') {
            ++m_pos;
            kind = TokenKind::NotEqual;
        } else if (at(m_pos) == u'=') {
            ++m_pos;
            kind = TokenKind::LessEqual;
        } else {
            kind = TokenKind::Less;
        }
        break;
    case u'>':
        if (at(m_pos) == u'=') {
            ++m_pos;
            kind = TokenKind::GreaterEqual;
        } else {
            kind = TokenKind::Greater;
        }
        break;
    case u'=':
        kind = TokenKind::Equal;
        break;
    case u'+':
        kind = TokenKind::Plus;
        break;
    case u'-':
        kind = TokenKind::Minus;
        break;
    case u'*':
        kind = TokenKind::Star;
        break;
    case u'/':
        kind = TokenKind::Slash;
        break;
    case u'(':
        kind = TokenKind::LeftParen;
        break;
    case u')':
        kind = TokenKind::RightParen;
        break;
    case u',':
        kind = TokenKind::Comma;
        break;
    default:
        invalidCharacter(c);
    }
    return make(kind, start);
}

bool Lexer::operandEnded() const
{
    switch (m_previous) {
    case TokenKind::Word:
    case TokenKind::BracketedName:
    case TokenKind::Text:
    case TokenKind::Number:
    case TokenKind::RightParen:
        return true;
    default:
        return false;
    }
}

Token Lexer::make(TokenKind kind, qsizetype start, QString value) const
{
    Token token;
    token.kind = kind;
    token.value = std::move(value);
    token.written = m_text.mid(start, m_pos - start);
    return token;
}

} // namespace sorvane::filter
