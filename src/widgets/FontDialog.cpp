#include "widgets/FontDialog.h"

#include "system/FontRules.h"

#include "widgets/ColorValue.h"
#include "widgets/FontSubstitutes.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace sorvane {

namespace {

constexpr int StartPixelHeight = 11;
constexpr qint32 StartColor = ColorValue::systemColor(ColorValue::WindowText);
constexpr int MaxPointSize = 999;
const int PointSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

// The style list: bit 0 is italic, bit 1 bold.
enum StyleBits { Italic = 1, Bold = 2 };

QStringList typefaces(const QString &inUse)
{
    // The designed typefaces are offered under their own names even where a substitute
    // stands in for them.
    QStringList names = QFontDatabase::families() + FontSubstitutes::designedFamilies();
    names.append(inUse);
    names.removeDuplicates();
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

QComboBox *comboNamed(const char *name, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    return combo;
}

} // namespace

QList<QPair<int, QString>> FontDialog::charsets()
{
    return {
        {0, QStringLiteral("ANSI")},          {1, QStringLiteral("DEFAULT")},
        {2, QStringLiteral("SYMBOL")},        {77, QStringLiteral("MAC")},
        {128, QStringLiteral("SHIFTJIS")},    {129, QStringLiteral("HANGEUL")},
        {130, QStringLiteral("JOHAB")},       {134, QStringLiteral("GB2312")},
        {136, QStringLiteral("CHINESEBIG5")}, {161, QStringLiteral("GREEK")},
        {162, QStringLiteral("TURKISH")},     {163, QStringLiteral("VIETNAMESE")},
        {177, QStringLiteral("HEBREW")},      {178, QStringLiteral("ARABIC")},
        {186, QStringLiteral("BALTIC")},      {204, QStringLiteral("RUSSIAN")},
        {222, QStringLiteral("THAI")},        {238, QStringLiteral("EASTEUROPE")},
        {255, QStringLiteral("OEM")},
    };
}

FontDialog::FontDialog(QWidget *parent)
    : QDialog(parent), m_value(GridFont::of(QStringLiteral("MS Sans Serif"), StartPixelHeight,
                                            StartColor, GridFont::DefaultCharset)),
      m_typeface(comboNamed("typeface", this)), m_style(comboNamed("style", this)),
      m_size(comboNamed("size", this)), m_strikeout(new QCheckBox(QStringLiteral("Stri&keout"))),
      m_underline(new QCheckBox(QStringLiteral("&Underline"))), m_color(new QPushButton(this)),
      m_charset(comboNamed("charset", this)),
      m_preview(new QLabel(QStringLiteral("AaBbYyZz"), this))
{
    setWindowTitle(QStringLiteral("Font"));

    m_style->addItems({QStringLiteral("Regular"), QStringLiteral("Italic"), QStringLiteral("Bold"),
                       QStringLiteral("Bold Italic")});
    m_size->setEditable(true);
    m_size->setInsertPolicy(QComboBox::NoInsert);
    m_size->setValidator(new QIntValidator(1, MaxPointSize, m_size));
    for (int points : PointSizes)
        m_size->addItem(QString::number(points));
    for (const auto &[code, name] : charsets())
        m_charset->addItem(name, code);

    m_strikeout->setObjectName(QStringLiteral("strikeout"));
    m_underline->setObjectName(QStringLiteral("underline"));
    m_color->setObjectName(QStringLiteral("color"));
    m_preview->setObjectName(QStringLiteral("preview"));
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setMinimumSize(160, 48);
    m_preview->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_preview->setAutoFillBackground(true);

    auto *effects = new QGroupBox(QStringLiteral("Effects"), this);
    auto *effectsLayout = new QVBoxLayout(effects);
    effectsLayout->addWidget(m_strikeout);
    effectsLayout->addWidget(m_underline);
    auto *colorLabel = new QLabel(QStringLiteral("&Color:"), effects);
    colorLabel->setBuddy(m_color);
    effectsLayout->addWidget(colorLabel);
    effectsLayout->addWidget(m_color);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttons"));

    auto *grid = new QGridLayout(this);
    const auto addLabelled = [&](const QString &text, QWidget *field, int column) {
        auto *label = new QLabel(text, this);
        label->setBuddy(field);
        grid->addWidget(label, 0, column);
        grid->addWidget(field, 1, column);
    };
    addLabelled(QStringLiteral("&Font:"), m_typeface, 0);
    addLabelled(QStringLiteral("Font st&yle:"), m_style, 1);
    addLabelled(QStringLiteral("&Size:"), m_size, 2);
    grid->addWidget(effects, 2, 0, 2, 1);
    auto *sample = new QGroupBox(QStringLiteral("Sample"), this);
    (new QVBoxLayout(sample))->addWidget(m_preview);
    grid->addWidget(sample, 2, 1, 1, 2);
    auto *scriptLabel = new QLabel(QStringLiteral("Sc&ript:"), this);
    scriptLabel->setBuddy(m_charset);
    auto *script = new QVBoxLayout;
    script->addWidget(scriptLabel);
    script->addWidget(m_charset);
    grid->addLayout(script, 3, 1, 1, 2);
    grid->addWidget(buttons, 4, 0, 1, 3);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_color, &QPushButton::clicked, this, &FontDialog::chooseColor);
    for (QComboBox *combo : {m_typeface, m_style, m_size})
        connect(combo, &QComboBox::currentTextChanged, this, &FontDialog::updatePreview);
    for (QCheckBox *box : {m_strikeout, m_underline})
        connect(box, &QCheckBox::toggled, this, &FontDialog::updatePreview);
}

int FontDialog::exec()
{
    load(m_value);
    const int result = QDialog::exec();
    if (result == QDialog::Accepted)
        m_value = chosen();
    return result;
}

GridFont FontDialog::value() const
{
    return m_value;
}

QFont FontDialog::font() const
{
    return m_value.font;
}

qint32 FontDialog::fontColor() const
{
    return m_value.color;
}

int FontDialog::charset() const
{
    return m_value.charset;
}

void FontDialog::load(const GridFont &value)
{
    m_loadedPixelSize = value.font.pixelSize();
    const QString family = value.font.family();
    m_typeface->clear();
    m_typeface->addItems(typefaces(family));
    m_typeface->setCurrentText(family);
    m_style->setCurrentIndex((value.font.italic() ? Italic : 0) | (value.font.bold() ? Bold : 0));
    m_size->setCurrentText(QString::number(FontRules::pointsFromPixels(m_loadedPixelSize)));
    m_strikeout->setChecked(value.font.strikeOut());
    m_underline->setChecked(value.font.underline());
    m_chosenColor = value.color;
    const int charset = m_charset->findData(value.charset);
    m_charset->setCurrentIndex(charset >= 0 ? charset
                                            : m_charset->findData(GridFont::DefaultCharset));
    showColor();
}

GridFont FontDialog::chosen() const
{
    bool valid = false;
    const int points = m_size->currentText().toInt(&valid);
    // A size box left empty or at 0 keeps the size the dialog started with.
    const int pixels =
        valid && points > 0 ? FontRules::pixelsFromPoints(points) : m_loadedPixelSize;
    GridFont value = GridFont::of(m_typeface->currentText(), pixels, m_chosenColor,
                                  m_charset->currentData().toInt());
    value.font.setItalic(m_style->currentIndex() & Italic);
    value.font.setBold(m_style->currentIndex() & Bold);
    value.font.setStrikeOut(m_strikeout->isChecked());
    value.font.setUnderline(m_underline->isChecked());
    return value;
}

void FontDialog::chooseColor()
{
    QColorDialog picker(ColorValue::toColor(m_chosenColor), this);
    picker.setObjectName(QStringLiteral("colorPicker"));
    picker.setOption(QColorDialog::DontUseNativeDialog);
    if (picker.exec() != QDialog::Accepted)
        return;
    m_chosenColor = ColorValue::fromColor(picker.selectedColor());
    showColor();
}

void FontDialog::showColor()
{
    QPixmap swatch(32, 12);
    swatch.fill(ColorValue::toColor(m_chosenColor));
    m_color->setIcon(QIcon(swatch));
    m_color->setIconSize(swatch.size());
    updatePreview();
}

void FontDialog::updatePreview()
{
    const GridFont value = chosen();
    m_preview->setFont(value.font);
    QPalette palette = m_preview->palette();
    palette.setColor(QPalette::WindowText, ColorValue::toColor(value.color));
    m_preview->setPalette(palette);
}

} // namespace sorvane
