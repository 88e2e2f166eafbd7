#include "dataset/ValueSearch.h"

namespace sorvane {

ValueSearch::ValueSearch(const QString &text, bool partialKey, bool caseInsensitive)
    : m_text(partialKey && text.isEmpty() ? QStringLiteral("*") : text),
      m_prefix(partialKey && !text.isEmpty()), m_caseInsensitive(caseInsensitive)
{
}

QString ValueSearch::textOf(const QVariant &value)
{
    return value.isNull() ? QString() : value.toString();
}

bool ValueSearch::matches(QStringView value) const
{
    const QStringView wanted(m_text);
    const Qt::CaseSensitivity cs = m_caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
    if (m_prefix) {
        // The first character alone settles almost every record of a case-counting search.
        return value.size() >= wanted.size() &&
               (m_caseInsensitive || value.front() == wanted.front()) &&
               value.startsWith(wanted, cs);
    }
    return value.size() == wanted.size() && value.compare(wanted, cs) == 0;
}

int ValueSearch::firstRow(const TableData &table, const std::vector<RecordId> &view,
                          int field) const
{
    const bool textField = table.fields()[field].type == FieldType::String;
    const auto recordMatches = [&](RecordId id) {
        return textField ? matches(table.text(id, field)) : matches(textOf(table.value(id, field)));
    };
    if (view.size() * 4 < table.idCount() || !textField) {
        for (std::size_t row = 0; row < view.size(); ++row) {
            if (recordMatches(view[row]))
                return int(row);
        }
        return -1;
    }
    // The column is scanned in storage order, which reads memory straight through; only when
    // something matched is the view walked to find the first match in its order.
    std::vector<bool> hit(table.idCount());
    bool any = false;
    for (RecordId id = 0; id < table.idCount(); ++id) {
        if (!table.isDeleted(id) && recordMatches(id)) {
            hit[id] = true;
            any = true;
        }
    }
    for (std::size_t row = 0; any && row < view.size(); ++row) {
        if (hit[view[row]])
            return int(row);
    }
    return -1;
}

} // namespace sorvane
