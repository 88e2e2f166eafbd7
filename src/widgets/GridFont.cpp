#include "widgets/GridFont.h"

namespace sorvane {

namespace {
constexpr int PixelsPerInch = 96;
constexpr int PointsPerInch = 72;

// a * b / c rounded half away from zero.
int scaled(int a, int b, int c)
{
    const qint64 product = qint64(a) * b;
    return int((product + (product < 0 ? -c / 2 : c / 2)) / c);
}
} // namespace

int GridFont::pointsFromPixels(int pixels)
{
    return scaled(pixels, PointsPerInch, PixelsPerInch);
}

int GridFont::pixelsFromPoints(int points)
{
    return scaled(points, PixelsPerInch, PointsPerInch);
}

GridFont GridFont::of(const QString &family, int pixelHeight, qint32 color, int charset)
{
    GridFont value;
    value.font = QFont(family);
    value.font.setPixelSize(pixelHeight);
    value.color = color;
    value.charset = charset;
    return value;
}

} // namespace sorvane
