#pragma once

#include "dataset/Field.h"
#include "dataset/TableData.h"

#include <QString>
#include <QStringView>
#include <QVariant>

namespace sorvane::packet {

/// The text form of a value in the XML packet and in exported text files: integers in
/// decimal, floats in the shortest form that reads back the same, booleans TRUE / FALSE,
/// dates yyyymmdd, times hh:mm:ss.zzz, date-times yyyymmddThh:mm:ss.zzz in UTC.
class ValueText {
public:
    /// The text of a non-null value; a null QString when the form cannot hold it (a date
    /// before year 1 or after 9999, an invalid time).
    static QString format(const QVariant &value, FieldType type);
    /// A field's value as text; a null QString for null. Throws sorvane::Error when the text
    /// form cannot hold the value.
    static QString fieldText(const TableData &table, RecordId id, int field);
    /// The value a text stands for; a null QVariant when the text is not of the type.
    static QVariant parse(QStringView text, FieldType type);

    /// The name of a type in the XML packet ("string", "i8", …) and back; parsing also takes
    /// "i4" and "i2" as integers. Returns false for an unknown name.
    static QString typeName(FieldType type);
    static bool parseTypeName(QStringView name, FieldType &type);
};

} // namespace sorvane::packet
