// Any bytes given to the XML packet reader end in a table or one sorvane::Error.

#include "dataset/packet/DataPacket.h"
#include "dataset/packet/XmlPacket.h"
#include "system/Error.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        const sorvane::TableData table = sorvane::packet::XmlPacket::read(bytes);
        // A table that was read is written in both forms and read back.
        sorvane::packet::readPacket(
            sorvane::packet::writePacket(table, sorvane::packet::PacketForm::Binary));
        sorvane::packet::readPacket(
            sorvane::packet::writePacket(table, sorvane::packet::PacketForm::Xml));
    } catch (const sorvane::Error &) {
    }
    return 0;
}
