#include "dataset/filter/Parser.h"

#include "system/Error.h"

#include <optional>

namespace sorvane::filter {

namespace {

struct FunctionName {
    const char *name;
    Function function;
};

const FunctionName kFunctions[] = {
    {"UPPER", Function::Upper},
    {"LOWER", Function::Lower},
    {"SUBSTRING", Function::Substring},
    {"TRIM", Function::Trim},
    {"TRIMLEFT", Function::TrimLeft},
    {"TRIMRIGHT", Function::TrimRight},
    {"YEAR", Function::Year},
    {"MONTH", Function::Month},
    {"DAY", Function::Day},
    {"HOUR", Function::Hour},
    {"MINUTE", Function::Minute},
    {"SECOND", Function::Second},
    {"DATE", Function::Date},
    {"TIME", Function::Time},
    {"GETDATE", Function::GetDate},
    {"SUM", Function::Sum},
    {"AVG", Function::Avg},
    {"MIN", Function::Min},
    {"MAX", Function::Max},
    {"COUNT", Function::Count},
};

std::optional<Function> functionNamed(const QString &name)
{
    for (const FunctionName &f : kFunctions) {
        if (name.compare(QLatin1String(f.name), Qt::CaseInsensitive) == 0)
            return f.function;
    }
    return std::nullopt;
}

std::optional<CompareOp> compareOp(TokenKind kind)
{
    switch (kind) {
    case TokenKind::Equal:
        return CompareOp::Equal;
    case TokenKind::NotEqual:
        return CompareOp::NotEqual;
    case TokenKind::Less:
        return CompareOp::Less;
    case TokenKind::Greater:
        return CompareOp::Greater;
    case TokenKind::LessEqual:
        return CompareOp::LessEqual;
    case TokenKind::GreaterEqual:
        return CompareOp::GreaterEqual;
    default:
        return std::nullopt;
    }
}

} // namespace

Parser::Parser(const QString &text, const TableData &table, const FilterOptions &options,
               const QString &dataSetName)
    : m_lexer(text, options.decimalSeparator), m_builder(table, options, dataSetName)
{
}

void Parser::advance()
{
    m_token = m_lexer.next();
}

void Parser::expected(const char *what) const
{
    const QString found = m_token.kind == TokenKind::End
                              ? QStringLiteral("nothing")
                              : QStringLiteral("'%1'").arg(m_token.written);
    throw Error(QStringLiteral("%1 expected but %2 found").arg(QLatin1String(what), found));
}

// filter = expression end
NodePtr Parser::parseFilter()
{
    advance();
    NodePtr root = parseExpression();
    if (m_token.kind != TokenKind::End)
        throw Error(QStringLiteral("Filter expression incorrectly terminated"));
    m_builder.finish(*root);
    return root;
}

// expression = conjunction { "OR" conjunction }
NodePtr Parser::parseExpression()
{
    if (m_depth >= kMaxDepth)
        expected("Expression");
    ++m_depth;
    NodePtr node = parseConjunction();
    bool chained = false;
    while (m_token.isWord("OR")) {
        advance();
        NodePtr right = parseConjunction();
        if (!chained) {
            node = m_builder.startChain(NodeKind::Or, std::move(node));
            chained = true;
        }
        m_builder.extendLogic(*node, std::move(right));
    }
    --m_depth;
    return node;
}

// conjunction = negation { "AND" negation }
NodePtr Parser::parseConjunction()
{
    NodePtr node = parseNegation();
    bool chained = false;
    while (m_token.isWord("AND")) {
        advance();
        NodePtr right = parseNegation();
        if (!chained) {
            node = m_builder.startChain(NodeKind::And, std::move(node));
            chained = true;
        }
        m_builder.extendLogic(*node, std::move(right));
    }
    return node;
}

// negation = "NOT" comparison | comparison
NodePtr Parser::parseNegation()
{
    if (!m_token.isWord("NOT"))
        return parseComparison();
    advance();
    return m_builder.negation(parseComparison());
}

// comparison = sum [ ("=" | "<>" | "<" | ">" | "<=" | ">=" | "LIKE") sum
//                  | "IS NULL" | "IS NOT NULL" | "IN" "(" expression { "," expression } ")" ]
NodePtr Parser::parseComparison()
{
    NodePtr left = parseSum();
    if (const auto op = compareOp(m_token.kind)) {
        advance();
        return m_builder.comparison(std::move(left), *op, parseSum());
    }
    switch (m_token.kind) {
    case TokenKind::Like:
        advance();
        return m_builder.like(std::move(left), parseSum());
    case TokenKind::IsNull:
    case TokenKind::IsNotNull: {
        const bool negated = m_token.kind == TokenKind::IsNotNull;
        advance();
        return m_builder.isNull(std::move(left), negated);
    }
    case TokenKind::In:
        advance();
        return parseInList(std::move(left));
    default:
        return left;
    }
}

// in-list = "(" expression { "," expression } ")"
NodePtr Parser::parseInList(NodePtr operand)
{
    if (m_token.kind != TokenKind::LeftParen)
        expected("'('");
    advance();
    if (m_token.kind == TokenKind::RightParen)
        throw Error(QStringLiteral("IN predicate list may not be empty"));
    NodePtr in = m_builder.startIn(std::move(operand));
    for (;;) {
        m_builder.extendIn(*in, parseExpression());
        if (m_token.kind == TokenKind::RightParen)
            break;
        if (m_token.kind != TokenKind::Comma)
            expected("')' or ','");
        advance();
        if (m_token.kind == TokenKind::End)
            expected("')'");
    }
    advance();
    return in;
}

// sum = product { ("+" | "-") product }
NodePtr Parser::parseSum()
{
    NodePtr node = parseProduct();
    bool chained = false;
    while (m_token.kind == TokenKind::Plus || m_token.kind == TokenKind::Minus) {
        const ArithmeticOp op =
            m_token.kind == TokenKind::Plus ? ArithmeticOp::Add : ArithmeticOp::Subtract;
        advance();
        NodePtr right = parseProduct();
        if (!chained) {
            node = m_builder.startChain(NodeKind::Arithmetic, std::move(node));
            chained = true;
        }
        m_builder.extendArithmetic(*node, op, std::move(right));
    }
    return node;
}

// product = primary { ("*" | "/") primary }
NodePtr Parser::parseProduct()
{
    NodePtr node = parsePrimary();
    bool chained = false;
    while (m_token.kind == TokenKind::Star || m_token.kind == TokenKind::Slash) {
        const ArithmeticOp op =
            m_token.kind == TokenKind::Star ? ArithmeticOp::Multiply : ArithmeticOp::Divide;
        advance();
        NodePtr right = parsePrimary();
        if (!chained) {
            node = m_builder.startChain(NodeKind::Arithmetic, std::move(node));
            chained = true;
        }
        m_builder.extendArithmetic(*node, op, std::move(right));
    }
    return node;
}

// primary = call | "NULL" | "True" | "False" | word | bracketed-name | literal | number
//         | "(" expression ")"
NodePtr Parser::parsePrimary()
{
    NodePtr node;
    switch (m_token.kind) {
    case TokenKind::Word:
        if (m_token.callFollows) {
            if (const auto function = functionNamed(m_token.value))
                return parseCall(*function);
        }
        if (m_token.isWord("NULL"))
            node = m_builder.null();
        else if (m_token.isWord("TRUE"))
            node = m_builder.boolean(true);
        else if (m_token.isWord("FALSE"))
            node = m_builder.boolean(false);
        else
            node = m_builder.field(m_token);
        break;
    case TokenKind::BracketedName:
        node = m_builder.field(m_token);
        break;
    case TokenKind::Text:
        node = m_builder.text(m_token);
        break;
    case TokenKind::Number:
        node = m_builder.number(m_token);
        break;
    case TokenKind::LeftParen:
        advance();
        node = parseExpression();
        if (m_token.kind != TokenKind::RightParen)
            expected("')'");
        break;
    default:
        expected("Expression");
    }
    advance();
    return node;
}

// call = name "(" [ expression { "," expression } ] ")" | "COUNT" "(" "*" ")"
NodePtr Parser::parseCall(Function function)
{
    advance(); // the name
    advance(); // "("
    std::vector<NodePtr> arguments;
    if (function == Function::Count && m_token.kind == TokenKind::Star) {
        advance();
        if (m_token.kind != TokenKind::RightParen)
            expected("')'");
        function = Function::CountAll;
    } else if (m_token.kind != TokenKind::RightParen) {
        for (;;) {
            arguments.push_back(parseExpression());
            if (m_token.kind == TokenKind::RightParen)
                break;
            if (m_token.kind != TokenKind::Comma)
                expected("')' or ','");
            advance();
        }
    }
    advance();
    return m_builder.function(function, std::move(arguments));
}

} // namespace sorvane::filter
