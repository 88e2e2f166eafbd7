#pragma once

#include "dataset/TableData.h"

#include <QVariant>
#include <QVector>

namespace sorvane {

/// The values of one record as an order sees them: the stored record, or the edit buffer
/// that is about to replace it (then id is the id the record has or will get).
struct RecordKey {
    const TableData *table = nullptr;
    RecordId id = 0;
    const QVector<QVariant> *buffer = nullptr;

    bool isNull(int field) const
    {
        return buffer ? (*buffer)[field].isNull() : table->isNull(id, field);
    }
    /// A text field's value; valid while the record or buffer is unchanged.
    QStringView text(int field) const
    {
        if (!buffer)
            return table->text(id, field);
        const QVariant &v = (*buffer)[field];
        return v.isNull() ? QStringView()
                          : QStringView(*static_cast<const QString *>(v.constData()));
    }
    QVariant value(int field) const { return buffer ? (*buffer)[field] : table->value(id, field); }
};

} // namespace sorvane
