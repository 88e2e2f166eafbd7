#include "widgets/ColorDialog.h"

#include "widgets/ColorValue.h"

namespace sorvane {

ColorDialog::ColorDialog(QWidget *parent) : QColorDialog(parent)
{
    // The desktop's own dialog could neither be driven by tests nor kept the same everywhere.
    setOption(QColorDialog::DontUseNativeDialog);
    setWindowTitle(QStringLiteral("Color"));
}

int ColorDialog::exec()
{
    setCurrentColor(ColorValue::toColor(m_color));
    const int result = QColorDialog::exec();
    if (result == QDialog::Accepted)
        m_color = ColorValue::fromColor(selectedColor());
    return result;
}

qint32 ColorDialog::color() const
{
    return m_color;
}

} // namespace sorvane
