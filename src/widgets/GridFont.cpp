#include "widgets/GridFont.h"

namespace sorvane {

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
