#pragma once

#include "system/Error.h"

namespace sorvane::packet {

/// A data packet that was recognised but cannot be read whole: "The data packet is
/// damaged: " followed by what is wrong. A damaged packet is refused, never half-read.
class DamagedPacketError : public Error {
public:
    explicit DamagedPacketError(const QString &detail);

    /// The text for bytes that are no data packet of either form.
    static QString unknownPacketText();
};

} // namespace sorvane::packet
