#include "dataset/TextReport.h"

#include "dataset/ClientDataSet.h"
#include "dataset/TableData.h"

namespace sorvane {

namespace {

const QString kSeparator = QStringLiteral("        ");
const QString kLineEnd = QStringLiteral("\r\n");
// How many lines ahead the walk asks for a record's characters.
constexpr int kPrefetchDistance = 16;

// The report's length from a sample of its lines, so that the text grows in one step
// instead of being copied again and again on the way to a million lines.
qsizetype estimatedSize(const ClientDataSet &dataSet, int count)
{
    constexpr int kSample = 256;
    const int sampled = qMin(count, kSample);
    qsizetype chars = 0;
    for (int row = 0; row < sampled; ++row) {
        for (int field = 0; field < dataSet.fieldCount(); ++field)
            chars += dataSet.textAt(row, field).size() + kSeparator.size();
        chars += kLineEnd.size();
    }
    return sampled == 0 ? 0 : chars / sampled * (qsizetype(count) + 1) * 5 / 4;
}

} // namespace

QString TextReport::build(ClientDataSet &dataSet, const Columns &columns)
{
    dataSet.setIndexFieldNames(QStringLiteral("Deu;Rus"));
    dataSet.first();
    // The count is taken once: the walk makes exactly that many passes. The records are
    // read by view position, which the order has just made the report's order; the cursor
    // then stands on the last record, where a walk with next() would have left it.
    const int count = dataSet.recordCount();
    const TableData &table = dataSet.data();
    QString text;
    text.reserve(estimatedSize(dataSet, count));
    for (int row = 0; row < count; ++row) {
        const QVector<int> fields = columns();
        if (row == 0) {
            for (int field : fields)
                text += dataSet.fieldDef(field).name + kSeparator;
            text += kLineEnd;
        }
        if (row + kPrefetchDistance < count) {
            const RecordId ahead = dataSet.recordIdAt(row + kPrefetchDistance);
            for (int field : fields) {
                if (table.fields()[field].type == FieldType::String)
                    table.prefetchText(ahead, field);
            }
        }
        const RecordId id = dataSet.recordIdAt(row);
        for (int field : fields) {
            if (table.fields()[field].type == FieldType::String)
                text += table.text(id, field);
            else
                text += dataSet.textAt(row, field);
            text += kSeparator;
        }
        text += kLineEnd;
    }
    if (count > 0)
        dataSet.last();
    return text;
}

TextReport::Columns TextReport::allFields(const ClientDataSet &dataSet)
{
    return [&dataSet] {
        QVector<int> fields;
        for (int i = 0; i < dataSet.fieldCount(); ++i)
            fields.push_back(i);
        return fields;
    };
}

} // namespace sorvane
