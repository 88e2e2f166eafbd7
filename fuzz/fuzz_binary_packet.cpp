// Any bytes given to the binary packet reader end in a table or one sorvane::Error.

#include "dataset/packet/BinaryPacket.h"
#include "system/Error.h"

#include <QtEndian>
#include <cstddef>
#include <cstdint>
#include <zlib.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    // Most inputs would stop at the magic or the checksum: unless the first byte is odd, the
    // rest is framed as a packet body with a correct checksum, so the fields and records are
    // what gets explored.
    const bool raw = data[0] & 1;
    QByteArray bytes;
    if (!raw)
        bytes = QByteArray("SRVDICT\0\1\0\0\0", 12);
    bytes.append(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    if (!raw) {
        char crc[4];
        qToLittleEndian(quint32(crc32_z(0, reinterpret_cast<const Bytef *>(bytes.constData()),
                                        std::size_t(bytes.size()))),
                        crc);
        bytes.append(crc, 4);
    }
    try {
        const sorvane::TableData table = sorvane::packet::BinaryPacket::read(bytes);
        // What was read is written again and must read back.
        sorvane::packet::BinaryPacket::read(sorvane::packet::BinaryPacket::write(table));
    } catch (const sorvane::Error &) {
    }
    return 0;
}
