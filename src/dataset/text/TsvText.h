#pragma once

#include "dataset/TableData.h"

#include <QByteArray>

namespace sorvane::text {

/// Tab-separated text in UTF-8: a header line naming the fields, then one line per record.
/// In values a tab, line feed, carriage return and backslash are written \t, \n, \r and
/// \\; a value that is just \N, unescaped, is null. Lines end in a line feed.
class TsvText {
public:
    /// A table of text fields; throws sorvane::Error naming the line of the first fault.
    static TableData read(const QByteArray &bytes);
    /// The header and the live records in id order.
    static QByteArray write(const TableData &table);

    static void appendHeader(QByteArray &out, const FieldDefs &fields);
    static void appendRecord(QByteArray &out, const TableData &table, RecordId id);
};

} // namespace sorvane::text
