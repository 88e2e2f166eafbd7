#pragma once

#include "dataset/TableData.h"

#include <QByteArray>
#include <QByteArrayView>

namespace sorvane::packet {

/// The binary data packet, little-endian throughout:
///
///   magic       8 bytes "SRVDICT\0"
///   version     u32, 1
///   fieldCount  u32, at least 1
///   per field   name (u32 byte length + UTF-8, not empty, unique without regard to case),
///               type (u8: 0 text, 1 integer, 2 float, 3 boolean, 4 date, 5 time,
///               6 date-time), width (u32, at most 2^31 − 1)
///   recordCount u32
///   per record, per field: u8 flag (0 null, 1 value), then for a value
///               text: u32 byte length + UTF-8; integer: i64; float: IEEE double;
///               boolean: u8 0 or 1; date: i64 Julian day; time: u32 msecs since
///               midnight; date-time: i64 msecs since 1970-01-01T00:00Z
///   crc         u32 CRC-32 (the zlib polynomial) of every byte before it
///
/// Every count and length is checked against the bytes that are left before anything is
/// reserved, so no input can make the reader allocate more than the file justifies.
class BinaryPacket {
public:
    static bool hasMagic(QByteArrayView bytes);
    /// Throws DamagedPacketError for anything but a whole, intact packet.
    static TableData read(QByteArrayView bytes);
    static QByteArray write(const TableData &table);
};

} // namespace sorvane::packet
