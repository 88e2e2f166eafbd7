// Arbitrary text to the time reader under 24-hour and 12-hour settings: a valid time or
// nothing, and a time read is read again from its own text (milliseconds are not written).
#include "system/TimeText.h"

#include <cstdint>
#include <cstdlib>

using namespace sorvane;

namespace {

RegionalSettings twelveHour(bool designatorFirst)
{
    RegionalSettings settings;
    settings.twelveHourClock = true;
    settings.designatorFirst = designatorFirst;
    settings.amText = QStringLiteral("vorm.");
    settings.pmText = QStringLiteral("nachm.");
    return settings;
}

RegionalSettings twentyFourHour()
{
    RegionalSettings settings;
    settings.hourLeadingZero = true;
    settings.timeSeparator = QStringLiteral(".");
    settings.decimalSeparator = QStringLiteral(",");
    return settings;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const RegionalSettings settings[] = {twentyFourHour(), twelveHour(false),
                                                twelveHour(true)};
    if (size < 1)
        return 0;
    const RegionalSettings &chosen = settings[data[0] % std::size(settings)];
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const auto time = TimeText::read(text, chosen);
    if (time) {
        if (!time->isValid())
            abort();
        const QTime whole(time->hour(), time->minute(), time->second());
        if (TimeText::read(TimeText::format(*time, chosen), chosen) != whole)
            abort();
    }
    return 0;
}
