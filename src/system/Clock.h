#pragma once

#include <QDateTime>
#include <functional>

namespace sorvane {

/// The program's one source of the current local date and time, so that tests can fix it.
class Clock {
public:
    static QDateTime now();
    /// Replaces the clock; an empty function restores the system clock.
    static void set(std::function<QDateTime()> source);
};

} // namespace sorvane
