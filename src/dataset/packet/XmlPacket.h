#pragma once

#include "dataset/TableData.h"

#include <QByteArray>
#include <QByteArrayView>

namespace sorvane::packet {

/// The XML data packet:
///
///   <?xml version="1.0" encoding="UTF-8" standalone="yes"?>
///   <DATAPACKET Version="2.0"><METADATA><FIELDS>
///     <FIELD attrname="Deu" fieldtype="string" WIDTH="50"/> …
///   </FIELDS><PARAMS/></METADATA><ROWDATA>
///     <ROW Deu="…" Rus="…"/> …
///   </ROWDATA></DATAPACKET>
///
/// A ROW carries one attribute per non-null field: a missing attribute is null, an empty
/// one empty text. Field types are named "string" (with WIDTH), "i8" (read also "i4",
/// "i2"), "r8", "boolean", "date", "time", "dateTime"; values as ValueText writes them.
/// Tabs and line breaks in values are written as character references, so the attribute
/// normalisation of XML leaves them as they are.
///
/// Reading honours a declared encoding; without one, valid UTF-8 is UTF-8 and anything
/// else Windows-1251. A document type declaration is refused, so no entity of any kind is
/// ever expanded.
class XmlPacket {
public:
    /// "<" after an optional byte-order mark and blanks.
    static bool looksLikeXml(QByteArrayView bytes);
    /// Throws DamagedPacketError for anything but a whole, well-formed packet.
    static TableData read(const QByteArray &bytes);
    /// Throws sorvane::Error when a field name or a value cannot be held by XML.
    static QByteArray write(const TableData &table);
};

} // namespace sorvane::packet
