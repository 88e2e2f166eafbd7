#pragma once

#include "dataset/ClientDataSet.h"
#include "system/Error.h"

#include <QObject>
#include <QStringList>
#include <functional>

namespace sorvane::test {

/// A Deu/Rus table from "Deu=Rus" entries, in the order given.
inline TableData dictionary(const QStringList &pairs)
{
    TableData table({{QStringLiteral("Deu"), FieldType::String, 50},
                     {QStringLiteral("Rus"), FieldType::String, 50}});
    for (const QString &pair : pairs) {
        const RecordId id = table.appendRecord();
        table.setText(id, 0, pair.section(QLatin1Char('='), 0, 0));
        table.setText(id, 1, pair.section(QLatin1Char('='), 1));
    }
    return table;
}

/// The Deu values of the view, top to bottom.
inline QStringList deuColumn(const ClientDataSet &set)
{
    QStringList column;
    for (int row = 0; row < set.recordCount(); ++row)
        column << set.textAt(row, 0);
    return column;
}

/// The message an action throws, or an empty string when it throws nothing.
inline QString errorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const Error &e) {
        return e.message();
    }
    return {};
}

/// Every signal a dataset emits, as one line each ("removed 3", "state Browse").
class SignalLog : public QObject {
public:
    explicit SignalLog(ClientDataSet &set)
    {
        connect(&set, &ClientDataSet::viewReset, this,
                [this] { lines << QStringLiteral("reset"); });
        connect(&set, &ClientDataSet::rowChanged, this, [this](int row) { add("changed", row); });
        connect(&set, &ClientDataSet::rowInserted, this, [this](int row) { add("inserted", row); });
        connect(&set, &ClientDataSet::rowRemoved, this, [this](int row) { add("removed", row); });
        connect(&set, &ClientDataSet::currentRowChanged, this,
                [this](int row) { add("current", row); });
        connect(&set, &ClientDataSet::stateChanged, this, [this](ClientDataSet::State s) {
            static const char *names[] = {"Inactive", "Browse", "Edit", "Insert"};
            lines << QStringLiteral("state ") + QLatin1String(names[int(s)]);
        });
        connect(&set, &ClientDataSet::afterPost, this,
                [this] { lines << QStringLiteral("afterPost"); });
    }
    /// The lines so far, then forgets them.
    QStringList take() { return std::exchange(lines, {}); }

private:
    void add(const char *what, int row) { lines << QStringLiteral("%1 %2").arg(what).arg(row); }
    QStringList lines;
};

} // namespace sorvane::test
