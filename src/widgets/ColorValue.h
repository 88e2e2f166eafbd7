#pragma once

#include <QColor>
#include <QPalette>
#include <QtGlobal>

namespace sorvane {

/// The 32-bit colour values that the settings file and the grid's looks are written in, and
/// their QColor. An RGB value keeps red in its lowest byte (white is 16777215, black 0); a
/// system colour carries 0xFF in its top byte and the colour's index in its lowest, so it is
/// negative. This is the only place that knows the encoding.
namespace ColorValue {

/// Indices of the system colours.
enum SystemColor {
    ScrollBar = 0,
    Background = 1,
    ActiveCaption = 2,
    InactiveCaption = 3,
    Menu = 4,
    Window = 5,
    WindowFrame = 6,
    MenuText = 7,
    WindowText = 8,
    CaptionText = 9,
    ActiveBorder = 10,
    InactiveBorder = 11,
    AppWorkspace = 12,
    Highlight = 13,
    HighlightText = 14,
    ButtonFace = 15,
    ButtonShadow = 16,
    GrayText = 17,
    ButtonText = 18,
    InactiveCaptionText = 19,
    ButtonHighlight = 20,
    DarkShadow3D = 21,
    Light3D = 22,
    InfoText = 23,
    InfoBackground = 24,
    HotLight = 26,
    GradientActiveCaption = 27,
    GradientInactiveCaption = 28,
    MenuHighlight = 29,
    MenuBar = 30
};

/// The value of a system colour: -16777216 + index.
constexpr qint32 systemColor(int index)
{
    return qint32(0xFF000000u | quint32(index & 0xFF));
}

constexpr bool isSystemColor(qint32 value)
{
    return value < 0;
}

/// The colour a value stands for; a system colour is taken from the palette.
QColor toColor(qint32 value, const QPalette &palette);
/// As above, with the application's palette.
QColor toColor(qint32 value);

/// The RGB value of a colour (its alpha is dropped).
qint32 fromColor(const QColor &color);

} // namespace ColorValue
} // namespace sorvane
