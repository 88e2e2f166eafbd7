#pragma once

#include "dataset/TableData.h"

#include <QByteArray>
#include <QString>

namespace sorvane::packet {

/// The two forms of a data packet on disk.
enum class PacketForm { Binary, Xml };

/// The form written for a file name: XML when its extension is ".xml" in any case, binary
/// for every other name.
PacketForm formForFileName(const QString &fileName);

/// Reads a packet of either form, told by its content. A damaged or unknown packet throws
/// sorvane::Error with a clear text; nothing is half-read.
TableData readPacket(const QByteArray &bytes);

/// The form of the bytes, or throws as readPacket() does for an unknown packet.
PacketForm detectForm(const QByteArray &bytes);

/// Writes the live (not deleted) records in id order.
QByteArray writePacket(const TableData &table, PacketForm form);

} // namespace sorvane::packet
