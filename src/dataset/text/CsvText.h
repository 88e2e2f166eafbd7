#pragma once

#include "dataset/TableData.h"

#include <QByteArray>

namespace sorvane::text {

/// Comma-separated text in UTF-8 as RFC 4180 has it: a header line, CR LF line ends, a value
/// in double quotes when it holds a comma, quote or line break, a quote inside doubled.
/// Null and empty text stay apart: an empty unquoted value is null, "" is empty text.
/// Reading also takes a bare LF as a line end.
class CsvText {
public:
    /// A table of text fields; throws sorvane::Error naming the line of the first fault.
    static TableData read(const QByteArray &bytes);
    /// The header and the live records in id order.
    static QByteArray write(const TableData &table);

    static void appendHeader(QByteArray &out, const FieldDefs &fields);
    static void appendRecord(QByteArray &out, const TableData &table, RecordId id);
};

} // namespace sorvane::text
