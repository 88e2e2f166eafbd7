#pragma once

#include <QString>
#include <QVector>

namespace sorvane {

/// The types a field of a data packet can have.
enum class FieldType { String, Integer, Float, Boolean, Date, Time, DateTime };

/// One field of a table as its data packet defines it. Width counts characters of a text
/// field; other types ignore it.
struct FieldDef {
    QString name;
    FieldType type = FieldType::String;
    int width = 0;

    bool operator==(const FieldDef &other) const
    {
        return name == other.name && type == other.type && width == other.width;
    }
};

using FieldDefs = QVector<FieldDef>;

} // namespace sorvane
