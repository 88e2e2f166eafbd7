#pragma once

#include <QFont>
#include <QString>
#include <QtGlobal>

namespace sorvane {

/// A font as the grid and the font dialogs keep it: the typeface, pixel height and style in
/// a QFont, plus the colour value of its text and its character set code.
struct GridFont {
    QFont font;
    qint32 color = 0;
    int charset = DefaultCharset;

    static constexpr int DefaultCharset = 1;

    /// A regular font of the given typeface and pixel height.
    static GridFont of(const QString &family, int pixelHeight, qint32 color, int charset);

    friend bool operator==(const GridFont &a, const GridFont &b)
    {
        return a.font == b.font && a.color == b.color && a.charset == b.charset;
    }
    friend bool operator!=(const GridFont &a, const GridFont &b) { return !(a == b); }
};

} // namespace sorvane
