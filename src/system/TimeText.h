#pragma once

#include "system/RegionalSettings.h"

#include <QString>
#include <QTime>
#include <optional>

namespace sorvane {

/// Times of day as text under the regional long time format: hours, minutes and seconds,
/// with the morning or afternoon designator on a 12-hour clock.
class TimeText {
public:
    /// Milliseconds are not written.
    static QString format(const QTime &time, const RegionalSettings &settings);
    static std::optional<QTime> read(const QString &text, const RegionalSettings &settings);
};

} // namespace sorvane
