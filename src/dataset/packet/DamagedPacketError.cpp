#include "dataset/packet/DamagedPacketError.h"

namespace sorvane::packet {

DamagedPacketError::DamagedPacketError(const QString &detail)
    : Error(QStringLiteral("The data packet is damaged: %1").arg(detail))
{
}

QString DamagedPacketError::unknownPacketText()
{
    return QStringLiteral("The file is not a dictionary data packet");
}

} // namespace sorvane::packet
