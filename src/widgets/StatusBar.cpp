#include "widgets/StatusBar.h"

#include <QApplication>
#include <QLabel>
#include <QSizeGrip>

namespace sorvane {

namespace {
constexpr int PanelSpacing = 2;
constexpr int TextPadding = 2;
} // namespace

StatusBar::StatusBar(QWidget *parent) : QWidget(parent), m_grip(new QSizeGrip(this))
{
    setFocusPolicy(Qt::NoFocus);
    // Marking every property as set keeps the window's own font from being inherited.
    QFont font = QApplication::font("QStatusBar");
    font.setResolveMask(QFont::AllPropertiesResolved);
    setFont(font);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

int StatusBar::addPanel(int width)
{
    auto *label = new QLabel(this);
    label->setObjectName(QStringLiteral("panel%1").arg(m_panels.size()));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setTextFormat(Qt::PlainText);
    label->setMargin(TextPadding);
    label->show();
    m_panels.append({label, width});
    placePanels();
    return int(m_panels.size()) - 1;
}

int StatusBar::panelCount() const
{
    return int(m_panels.size());
}

const StatusBar::Panel &StatusBar::panel(int index) const
{
    Q_ASSERT(index >= 0 && index < m_panels.size());
    return m_panels.at(index);
}

void StatusBar::setPanelWidth(int index, int width)
{
    Q_ASSERT(index >= 0 && index < m_panels.size());
    m_panels[index].width = width;
    placePanels();
}

int StatusBar::panelWidth(int index) const
{
    return panel(index).width;
}

void StatusBar::setPanelAlignment(int index, Qt::Alignment alignment)
{
    panel(index).label->setAlignment((alignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter);
}

Qt::Alignment StatusBar::panelAlignment(int index) const
{
    return panel(index).label->alignment() & Qt::AlignHorizontal_Mask;
}

void StatusBar::setPanelText(int index, const QString &text)
{
    panel(index).label->setText(text);
}

QString StatusBar::panelText(int index) const
{
    return panel(index).label->text();
}

QSize StatusBar::sizeHint() const
{
    return QSize(0, fontMetrics().height() + 2 * (TextPadding + PanelSpacing));
}

QSize StatusBar::minimumSizeHint() const
{
    return sizeHint();
}

void StatusBar::resizeEvent(QResizeEvent *)
{
    placePanels();
}

void StatusBar::placePanels()
{
    int x = 0;
    const int panelHeight = height() - PanelSpacing;
    for (const Panel &panel : std::as_const(m_panels)) {
        panel.label->setGeometry(x, PanelSpacing, qMax(0, panel.width), panelHeight);
        x += qMax(0, panel.width) + PanelSpacing;
    }
    const QSize grip = m_grip->sizeHint();
    m_grip->setGeometry(width() - grip.width(), height() - grip.height(), grip.width(),
                        grip.height());
    m_grip->raise();
}

} // namespace sorvane
