#include "dataset/TextReport.h"

#include "dataset/ClientDataSet.h"

namespace sorvane {

namespace {

const QString kSeparator = QStringLiteral("        ");
const QString kLineEnd = QStringLiteral("\r\n");

} // namespace

QString TextReport::build(ClientDataSet &dataSet, const Columns &columns)
{
    dataSet.setIndexFieldNames(QStringLiteral("Deu;Rus"));
    dataSet.first();
    // The count is taken once: the walk makes exactly that many passes.
    const int count = dataSet.recordCount();
    QString text;
    for (int i = 1; i <= count; ++i) {
        if (i == 1) {
            for (int field : columns())
                text += dataSet.fieldDef(field).name + kSeparator;
            text += kLineEnd;
        }
        for (int field : columns())
            text += dataSet.text(field) + kSeparator;
        text += kLineEnd;
        dataSet.next();
    }
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
