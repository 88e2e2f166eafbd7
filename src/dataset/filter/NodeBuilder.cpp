#include "dataset/filter/NodeBuilder.h"

#include "dataset/DataSetError.h"
#include "dataset/filter/TypeRules.h"
#include "dataset/filter/ValueConversion.h"

namespace sorvane::filter {

namespace {

NodePtr makeNode(NodeKind kind, ValueType type)
{
    auto node = std::make_unique<ExprNode>();
    node->kind = kind;
    node->type = type;
    return node;
}

bool isCondition(const ExprNode &node)
{
    switch (node.kind) {
    case NodeKind::Compare:
    case NodeKind::TextMatch:
    case NodeKind::Like:
    case NodeKind::IsNull:
    case NodeKind::In:
        return true;
    case NodeKind::And:
    case NodeKind::Or:
    case NodeKind::Not:
        for (const NodePtr &child : node.children) {
            if (!isCondition(*child))
                return false;
        }
        return true;
    default:
        return false;
    }
}

bool isTextField(const ExprNode &node)
{
    return node.kind == NodeKind::Field && node.type == ValueType::Text;
}

bool isNonEmptyTextLiteral(const ExprNode &node)
{
    return node.kind == NodeKind::Constant && node.origin != ConstantOrigin::Keyword &&
           node.type == ValueType::Text && !node.constant.toString().isEmpty();
}

bool accepts(const ExprNode &argument, std::initializer_list<ValueType> types)
{
    if (argument.type == ValueType::Null)
        return true;
    for (ValueType type : types) {
        if (argument.type == type)
            return true;
    }
    return false;
}

} // namespace

NodeBuilder::NodeBuilder(const TableData &table, const FilterOptions &options, QString dataSetName)
    : m_table(table), m_options(options), m_dataSetName(std::move(dataSetName))
{
}

void NodeBuilder::typeMismatch()
{
    throw Error(QStringLiteral("Type mismatch in expression"));
}

// A number whose characters form no number ("1+2" is one token) can only stand as the
// text of a text field.
void NodeBuilder::requireValue(const ExprNode &operand)
{
    if (operand.badNumber)
        typeMismatch();
}

void NodeBuilder::join(ExprNode &parent, NodePtr child)
{
    if ((parent.aggregate && child->recordVarying) || (parent.recordVarying && child->aggregate))
        throw Error(
            QStringLiteral("Operation cannot mix aggregate value with record-varying value"));
    parent.aggregate = parent.aggregate || child->aggregate;
    parent.recordVarying = parent.recordVarying || child->recordVarying;
    parent.children.push_back(std::move(child));
}

NodePtr NodeBuilder::field(const Token &name) const
{
    const int index = m_table.findField(name.value);
    if (index < 0)
        throw DataSetError(m_dataSetName, QStringLiteral("Field '%1' not found").arg(name.value));
    NodePtr node = makeNode(NodeKind::Field, TypeRules::ofField(m_table.fields()[index].type));
    node->field = index;
    node->recordVarying = true;
    return node;
}

NodePtr NodeBuilder::text(const Token &literal) const
{
    NodePtr node = makeNode(NodeKind::Constant, ValueType::Text);
    node->origin = ConstantOrigin::Text;
    node->constant = literal.value;
    return node;
}

NodePtr NodeBuilder::number(const Token &number) const
{
    NodePtr node = makeNode(NodeKind::Constant, ValueType::Number);
    node->origin = ConstantOrigin::Number;
    node->written = number.value;
    if (const auto value = ValueConversion::toNumber(number.value, m_options.decimalSeparator))
        node->constant = *value;
    else
        node->badNumber = true;
    return node;
}

NodePtr NodeBuilder::null() const
{
    return makeNode(NodeKind::Constant, ValueType::Null);
}

NodePtr NodeBuilder::boolean(bool value) const
{
    NodePtr node = makeNode(NodeKind::Constant, ValueType::Boolean);
    node->constant = value;
    return node;
}

// Functions: UPPER, LOWER (whole Unicode), TRIM, TRIMLEFT, TRIMRIGHT (blanks, or the
// characters of a second argument) and SUBSTRING(text, start from 1 [, length]) work on
// texts; YEAR … SECOND, DATE and TIME take a date, time or date-time, or a text read as
// one (null when it is none); GETDATE is the moment of evaluation. Arguments beyond those
// are read and ignored. A NULL argument gives a null result.
NodePtr NodeBuilder::function(Function function, std::vector<NodePtr> arguments) const
{
    const bool needsArgument = function != Function::GetDate && function != Function::CountAll;
    if (needsArgument && arguments.empty())
        typeMismatch();
    NodePtr node = makeNode(NodeKind::Function, ValueType::Null);
    node->function = function;
    for (NodePtr &argument : arguments) {
        requireValue(*argument);
        join(*node, std::move(argument));
    }
    const auto argumentIs = [&](std::size_t index, std::initializer_list<ValueType> types) {
        if (index < node->children.size() && !accepts(*node->children[index], types))
            typeMismatch();
    };
    const auto dateParts = {ValueType::Date, ValueType::Time, ValueType::DateTime, ValueType::Text};
    switch (function) {
    case Function::Upper:
    case Function::Lower:
        argumentIs(0, {ValueType::Text});
        node->type = ValueType::Text;
        break;
    case Function::Trim:
    case Function::TrimLeft:
    case Function::TrimRight:
        argumentIs(0, {ValueType::Text});
        argumentIs(1, {ValueType::Text});
        node->type = ValueType::Text;
        break;
    case Function::Substring:
        argumentIs(0, {ValueType::Text});
        argumentIs(1, {ValueType::Number});
        argumentIs(2, {ValueType::Number});
        node->type = ValueType::Text;
        break;
    case Function::Year:
    case Function::Month:
    case Function::Day:
    case Function::Hour:
    case Function::Minute:
    case Function::Second:
        argumentIs(0, dateParts);
        node->type = ValueType::Number;
        break;
    case Function::Date:
        argumentIs(0, {ValueType::Date, ValueType::DateTime, ValueType::Text});
        node->type = ValueType::Date;
        break;
    case Function::Time:
        argumentIs(0, {ValueType::Time, ValueType::DateTime, ValueType::Text});
        node->type = ValueType::Time;
        break;
    case Function::GetDate:
        node->type = ValueType::DateTime;
        break;
    case Function::Min:
    case Function::Max:
        node->type = node->children[0]->type;
        node->aggregate = true;
        node->recordVarying = false;
        break;
    case Function::Sum:
    case Function::Avg:
    case Function::Count:
    case Function::CountAll:
        node->type = ValueType::Number;
        node->aggregate = true;
        node->recordVarying = false;
        break;
    }
    return node;
}

NodePtr NodeBuilder::startChain(NodeKind kind, NodePtr first) const
{
    NodePtr node = makeNode(kind, kind == NodeKind::Arithmetic ? first->type : ValueType::Boolean);
    join(*node, std::move(first));
    return node;
}

void NodeBuilder::extendArithmetic(ExprNode &chain, ArithmeticOp op, NodePtr right) const
{
    if (chain.children.size() == 1)
        requireValue(*chain.children.front());
    requireValue(*right);
    const auto type = TypeRules::arithmetic(chain.type, op, right->type);
    if (!type)
        typeMismatch();
    chain.type = *type;
    chain.arithmetic.push_back(op);
    join(chain, std::move(right));
}

void NodeBuilder::extendLogic(ExprNode &chain, NodePtr right) const
{
    join(chain, std::move(right));
}

NodePtr NodeBuilder::negation(NodePtr operand) const
{
    NodePtr node = makeNode(NodeKind::Not, ValueType::Boolean);
    join(*node, std::move(operand));
    return node;
}

// A literal or number compared directly with a field takes the field's type: with a text
// field the number 5 is the text 5.
void NodeBuilder::adoptFieldType(const ExprNode &field, ExprNode &literal) const
{
    if (field.kind != NodeKind::Field || literal.kind != NodeKind::Constant ||
        literal.origin == ConstantOrigin::Keyword || field.type == literal.type)
        return;
    const QString source =
        literal.origin == ConstantOrigin::Number ? literal.written : literal.constant.toString();
    const auto value = ValueConversion::fromText(source, field.type, m_options.decimalSeparator);
    if (!value)
        typeMismatch();
    literal.constant = *value;
    literal.type = field.type;
    literal.badNumber = false;
}

// "=" and "<>" with NULL are the IS NULL tests. A text field against a non-empty text
// literal is the comparison that ignores case and reads a trailing "*"; every other
// comparison counts case, and orders texts as CaseFold::compare does.
NodePtr NodeBuilder::comparison(NodePtr left, CompareOp op, NodePtr right)
{
    const bool equality = op == CompareOp::Equal || op == CompareOp::NotEqual;
    if (left->isNullConstant() || right->isNullConstant()) {
        if (equality)
            return isNull(left->isNullConstant() ? std::move(right) : std::move(left),
                          op == CompareOp::NotEqual);
        // An ordering comparison with NULL is refused like LIKE with NULL: it never holds.
        m_nullMisused = true;
    } else {
        adoptFieldType(*left, *right);
        adoptFieldType(*right, *left);
        requireValue(*left);
        requireValue(*right);
        if (!TypeRules::comparable(left->type, right->type))
            typeMismatch();
    }
    if (equality) {
        const bool fieldLeft = isTextField(*left) && isNonEmptyTextLiteral(*right);
        const bool fieldRight = isTextField(*right) && isNonEmptyTextLiteral(*left);
        if (fieldLeft || fieldRight) {
            const ExprNode &field = fieldLeft ? *left : *right;
            const ExprNode &literal = fieldLeft ? *right : *left;
            NodePtr node = makeNode(NodeKind::TextMatch, ValueType::Boolean);
            node->field = field.field;
            node->recordVarying = true;
            node->matcher = std::make_unique<TextMatcher>(
                literal.constant.toString(), op == CompareOp::NotEqual, m_options.caseInsensitive,
                m_options.partialCompare);
            return node;
        }
    }
    NodePtr node = makeNode(NodeKind::Compare, ValueType::Boolean);
    node->compare = op;
    join(*node, std::move(left));
    join(*node, std::move(right));
    return node;
}

NodePtr NodeBuilder::like(NodePtr left, NodePtr right)
{
    NodePtr node = makeNode(NodeKind::Like, ValueType::Boolean);
    if (left->isNullConstant() || right->isNullConstant()) {
        m_nullMisused = true;
        join(*node, std::move(left));
        join(*node, std::move(right));
        return node;
    }
    adoptFieldType(*left, *right);
    adoptFieldType(*right, *left);
    requireValue(*left);
    requireValue(*right);
    if (left->type != ValueType::Text || right->type != ValueType::Text)
        typeMismatch();
    if (right->kind == NodeKind::Constant) {
        const bool fieldWithLiteral = isTextField(*left) && isNonEmptyTextLiteral(*right);
        node->pattern = std::make_unique<LikePattern>(right->constant.toString(),
                                                      fieldWithLiteral && m_options.caseInsensitive,
                                                      fieldWithLiteral && m_options.partialCompare);
    }
    if (left->kind == NodeKind::Field)
        node->field = left->field;
    join(*node, std::move(left));
    join(*node, std::move(right));
    return node;
}

NodePtr NodeBuilder::isNull(NodePtr operand, bool negated) const
{
    NodePtr node = makeNode(NodeKind::IsNull, ValueType::Boolean);
    node->negated = negated;
    join(*node, std::move(operand));
    return node;
}

// IN holds when the value equals one of the list's values, as "=" between two fields
// does: case counts and "*" is an ordinary character. A null never equals anything.
NodePtr NodeBuilder::startIn(NodePtr operand) const
{
    requireValue(*operand);
    NodePtr node = makeNode(NodeKind::In, ValueType::Boolean);
    join(*node, std::move(operand));
    return node;
}

void NodeBuilder::extendIn(ExprNode &in, NodePtr element) const
{
    const ExprNode &operand = *in.children.front();
    if (!element->isNullConstant() && !operand.isNullConstant()) {
        adoptFieldType(operand, *element);
        requireValue(*element);
        if (!TypeRules::comparable(operand.type, element->type))
            typeMismatch();
    }
    join(in, std::move(element));
}

void NodeBuilder::finish(const ExprNode &root) const
{
    if (root.aggregate)
        throw Error(QStringLiteral("Aggregate expressions not allowed in filters"));
    if (!isCondition(root))
        throw Error(QStringLiteral("Incorrectly formed filter expression"));
    if (m_nullMisused)
        throw Error(QStringLiteral("NULL only allowed with '=' and '<>'"));
}

} // namespace sorvane::filter
