#pragma once

#include "dataset/TableData.h"

#include <QByteArray>
#include <QStringView>

namespace sorvane::text {

/// What tells the text forms of a table apart: the separator between values, the line end,
/// how a value is written and how null is written.
struct TextDialect {
    char separator;
    const char *lineEnd;
    void (*appendValue)(QByteArray &out, QStringView text);
    const char *nullText;
};

/// Writes a table as lines of separated values: a header of field names, then one line per
/// live record in id order. TSV and CSV differ only in their dialect.
class TextTableWriter {
public:
    static QByteArray write(const TableData &table, const TextDialect &dialect);
    static void appendHeader(QByteArray &out, const FieldDefs &fields, const TextDialect &dialect);
    static void appendRecord(QByteArray &out, const TableData &table, RecordId id,
                             const TextDialect &dialect);
};

} // namespace sorvane::text
