#include "system/FontRules.h"

#include <QtGlobal>
#include <climits>

namespace sorvane {

namespace {

// value * numerator / denominator, to the nearest whole number, halves away from zero.
int scaled(int value, int numerator, int denominator)
{
    if (denominator == 0)
        return 0;
    qint64 product = qint64(value) * numerator;
    qint64 divisor = denominator;
    if (divisor < 0) {
        divisor = -divisor;
        product = -product;
    }
    const qint64 half = divisor / 2;
    const qint64 quotient = product >= 0 ? (product + half) / divisor : (product - half) / divisor;
    return int(qBound(qint64(INT_MIN), quotient, qint64(INT_MAX)));
}

} // namespace

int FontRules::pointsFromPixels(int pixelHeight, int dpi)
{
    return scaled(pixelHeight, 72, dpi);
}

int FontRules::pixelsFromPoints(int points, int dpi)
{
    return scaled(points, dpi, 72);
}

QString FontRules::faceName(const QString &storedName, const QString &currentName)
{
    if (storedName.isEmpty())
        return currentName;
    qsizetype length = qMin<qsizetype>(storedName.size(), maximumNameLength);
    // A character outside the basic plane is never split in two.
    if (length < storedName.size() && storedName.at(length - 1).isHighSurrogate())
        --length;
    return storedName.left(length);
}

} // namespace sorvane
