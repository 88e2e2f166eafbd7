#pragma once

#include "widgets/GridFont.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace sorvane {

/// A font dialog with typeface, style, size, the effects (colour, underline, strikeout) and
/// the character set. It starts from the font last confirmed in it during this run, at first
/// "MS Sans Serif", 11 pixels, regular, in the window-text colour, default character set;
/// cancelling keeps that font, whatever was touched in the dialog.
///
/// Its parts carry object names for tests: "typeface", "style", "size", "strikeout",
/// "underline", "color" (opens a colour dialog), "charset", "preview", "buttons".
class FontDialog : public QDialog {
    Q_OBJECT
public:
    explicit FontDialog(QWidget *parent = nullptr);

    /// Shows the dialog modally, starting from value(); returns QDialog::Accepted when the
    /// user confirmed a font.
    int exec() override;

    /// The last confirmed font.
    GridFont value() const;
    QFont font() const;
    qint32 fontColor() const;
    int charset() const;

    /// The character sets offered, by code, with their names ("RUSSIAN" for 204).
    static QList<QPair<int, QString>> charsets();

private:
    void load(const GridFont &value);
    GridFont chosen() const;
    void chooseColor();
    void showColor();
    void updatePreview();

    GridFont m_value;
    qint32 m_chosenColor = 0;
    int m_loadedPixelSize = 0;

    QComboBox *m_typeface;
    QComboBox *m_style;
    QComboBox *m_size;
    QCheckBox *m_strikeout;
    QCheckBox *m_underline;
    QPushButton *m_color;
    QComboBox *m_charset;
    QLabel *m_preview;
};

} // namespace sorvane
