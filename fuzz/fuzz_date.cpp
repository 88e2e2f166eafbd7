// Arbitrary text to the date reader under several regional settings: a valid date or
// nothing, and under the patterns whose text reads back, a date read is read again from
// its own text (two-digit years inside their window). A pattern that ends in its own full stop
// ("yy. m. d.") writes a text the rules do not read back, as a pattern that spells the month does
// not.
#include "system/DateText.h"

#include <cstdint>
#include <cstdlib>

using namespace sorvane;

namespace {

RegionalSettings withPattern(const char *pattern, const char *separator)
{
    RegionalSettings settings;
    settings.shortDatePattern = QString::fromLatin1(pattern);
    settings.dateSeparator = QString::fromLatin1(separator);
    return settings;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const RegionalSettings settings[] = {
        withPattern("dd.mm.yyyy", "."), withPattern("m/d/yy", "/"), withPattern("yyyy-mm-dd", "-"),
        withPattern("yy. m. d.", ". ")};
    if (size < 1)
        return 0;
    const RegionalSettings &chosen = settings[data[0] % std::size(settings)];
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const auto date = DateText::read(text, chosen, 2025);
    if (date) {
        if (!date->isValid() || date->year() < 1 || date->year() > 9999)
            abort();
        // Two-digit years read back only inside the hundred-year window around 2025.
        const bool fourDigitYears = chosen.shortDatePattern.contains(QLatin1String("yyy"));
        const bool inWindow = date->year() >= 1975 && date->year() < 2075;
        const bool readsBack = &chosen != &settings[3] && (fourDigitYears || inWindow);
        if (readsBack && DateText::read(DateText::format(*date, chosen), chosen, 2025) != date)
            abort();
    }
    return 0;
}
