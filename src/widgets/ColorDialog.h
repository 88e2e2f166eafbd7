#pragma once

#include <QColorDialog>

namespace sorvane {

/// A colour dialog that starts from the colour last confirmed in it during this run, black
/// at first; cancelling keeps that colour.
class ColorDialog : public QColorDialog {
    Q_OBJECT
public:
    explicit ColorDialog(QWidget *parent = nullptr);

    /// Shows the dialog modally, starting from color(); returns QDialog::Accepted when the
    /// user confirmed a colour.
    int exec() override;

    /// The last confirmed colour as an RGB colour value.
    qint32 color() const;

private:
    qint32 m_color = 0;
};

} // namespace sorvane
