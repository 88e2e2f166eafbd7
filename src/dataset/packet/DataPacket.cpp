#include "dataset/packet/DataPacket.h"

#include "dataset/packet/BinaryPacket.h"
#include "dataset/packet/DamagedPacketError.h"
#include "dataset/packet/XmlPacket.h"

#include <QFileInfo>

namespace sorvane::packet {

PacketForm formForFileName(const QString &fileName)
{
    // QFileInfo::suffix() takes the part after the last "." of the last path element only.
    return QFileInfo(fileName).suffix().compare(QLatin1String("xml"), Qt::CaseInsensitive) == 0
               ? PacketForm::Xml
               : PacketForm::Binary;
}

PacketForm detectForm(const QByteArray &bytes)
{
    if (BinaryPacket::hasMagic(bytes))
        return PacketForm::Binary;
    if (XmlPacket::looksLikeXml(bytes))
        return PacketForm::Xml;
    throw Error(DamagedPacketError::unknownPacketText());
}

TableData readPacket(const QByteArray &bytes)
{
    return detectForm(bytes) == PacketForm::Binary ? BinaryPacket::read(bytes)
                                                   : XmlPacket::read(bytes);
}

QByteArray writePacket(const TableData &table, PacketForm form)
{
    return form == PacketForm::Binary ? BinaryPacket::write(table) : XmlPacket::write(table);
}

} // namespace sorvane::packet
