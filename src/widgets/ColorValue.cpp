#include "widgets/ColorValue.h"

#include <QGuiApplication>

namespace sorvane::ColorValue {

namespace {

// How much darker than the window the inactive caption is drawn, so that it still reads as
// a title bar on a plain window background.
constexpr int InactiveCaptionDarkness = 130;

QColor systemColorOf(int index, const QPalette &palette)
{
    switch (index) {
    case InfoBackground:
        return palette.color(QPalette::ToolTipBase);
    case InfoText:
        return palette.color(QPalette::ToolTipText);
    case WindowText:
    case MenuText:
        return palette.color(QPalette::WindowText);
    case ActiveCaption:
    case GradientActiveCaption:
    case Highlight:
    case MenuHighlight:
        return palette.color(QPalette::Highlight);
    case CaptionText:
    case HighlightText:
        return palette.color(QPalette::HighlightedText);
    case InactiveCaption:
    case GradientInactiveCaption:
        return palette.color(QPalette::Window).darker(InactiveCaptionDarkness);
    case InactiveCaptionText:
        return palette.color(QPalette::PlaceholderText);
    case Window:
        return palette.color(QPalette::Base);
    case ButtonFace:
    case Menu:
    case MenuBar:
    case ActiveBorder:
    case InactiveBorder:
        return palette.color(QPalette::Button);
    case ButtonText:
        return palette.color(QPalette::ButtonText);
    case ButtonHighlight:
        return palette.color(QPalette::Light);
    case Light3D:
    case ScrollBar:
        return palette.color(QPalette::Midlight);
    case ButtonShadow:
    case Background:
        return palette.color(QPalette::Dark);
    case AppWorkspace:
        return palette.color(QPalette::Mid);
    case DarkShadow3D:
    case WindowFrame:
        return palette.color(QPalette::Shadow);
    case GrayText:
        return palette.color(QPalette::Disabled, QPalette::Text);
    case HotLight:
        return palette.color(QPalette::Link);
    default:
        // An index the system does not define reads as black.
        return QColor(Qt::black);
    }
}

} // namespace

QColor toColor(qint32 value, const QPalette &palette)
{
    const auto bits = quint32(value);
    if (isSystemColor(value))
        return systemColorOf(int(bits & 0xFF), palette);
    // The top byte of a non-negative value is not part of the colour.
    return QColor(int(bits & 0xFF), int((bits >> 8) & 0xFF), int((bits >> 16) & 0xFF));
}

QColor toColor(qint32 value)
{
    return toColor(value, QGuiApplication::palette());
}

qint32 fromColor(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return qint32(quint32(rgb.red()) | quint32(rgb.green()) << 8 | quint32(rgb.blue()) << 16);
}

} // namespace sorvane::ColorValue
