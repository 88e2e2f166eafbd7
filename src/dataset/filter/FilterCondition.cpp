#include "dataset/filter/FilterCondition.h"

#include "dataset/filter/Evaluator.h"
#include "dataset/filter/Parser.h"

namespace sorvane::filter {

namespace {

/// A filter text read into its expression tree.
class CompiledFilter : public FilterCondition {
public:
    explicit CompiledFilter(NodePtr root) : m_root(std::move(root)) {}

    bool matches(const TableData &table, RecordId id) const override
    {
        return Evaluator::truth(*m_root, table, id) == Truth::True;
    }

private:
    NodePtr m_root;
};

} // namespace

std::unique_ptr<FilterCondition> compileFilter(const QString &text, const TableData &table,
                                               const FilterOptions &options,
                                               const QString &dataSetName)
{
    if (text.isEmpty())
        return nullptr;
    Parser parser(text, table, options, dataSetName);
    return std::make_unique<CompiledFilter>(parser.parseFilter());
}

} // namespace sorvane::filter
