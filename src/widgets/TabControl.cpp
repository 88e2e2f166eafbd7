#include "widgets/TabControl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionTab>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>

namespace sorvane {

namespace {
constexpr int TabHorizontalPadding = 6;
constexpr int TabVerticalPadding = 3;
// The space kept free beside the outermost tabs, so the raised selected tab fits.
constexpr int StripMargin = 2;
} // namespace

TabControl::TabControl(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

int TabControl::addTab(const QString &caption)
{
    m_captions.append(caption);
    if (m_current < 0)
        m_current = 0;
    updateGeometry();
    update();
    return int(m_captions.size()) - 1;
}

int TabControl::count() const
{
    return int(m_captions.size());
}

QString TabControl::tabText(int index) const
{
    return m_captions.value(index);
}

int TabControl::currentIndex() const
{
    return m_current;
}

void TabControl::setCurrentIndex(int index)
{
    if (index < -1 || index >= count() || index == m_current)
        return;
    m_current = index;
    update();
}

QRect TabControl::tabRect(int index) const
{
    return layOut(width()).value(index);
}

QSize TabControl::tabSize(int index) const
{
    const QFontMetrics metrics = fontMetrics();
    return QSize(metrics.horizontalAdvance(m_captions.at(index)) + 2 * TabHorizontalPadding,
                 metrics.height() + 2 * TabVerticalPadding);
}

QVector<QRect> TabControl::layOut(int width) const
{
    QVector<QRect> rects;
    const int right = width - StripMargin;
    int x = StripMargin;
    int y = StripMargin;
    for (int i = 0; i < count(); ++i) {
        const QSize size = tabSize(i);
        // A tab wider than the whole strip still gets a row of its own.
        if (x > StripMargin && x + size.width() > right) {
            x = StripMargin;
            y += size.height();
        }
        rects.append(QRect(QPoint(x, y), size));
        x += size.width();
    }
    return rects;
}

int TabControl::tabsHeight(int width) const
{
    const QVector<QRect> rects = layOut(width);
    return rects.isEmpty() ? StripMargin : rects.last().bottom() + 1;
}

QSize TabControl::sizeHint() const
{
    int width = 2 * StripMargin;
    for (int i = 0; i < count(); ++i)
        width += tabSize(i).width();
    return QSize(width, heightForWidth(width));
}

QSize TabControl::minimumSizeHint() const
{
    const QSize tab = count() > 0 ? tabSize(0) : QSize(0, fontMetrics().height());
    return QSize(tab.width() + 2 * StripMargin, tab.height() + 2 * StripMargin);
}

bool TabControl::hasHeightForWidth() const
{
    return true;
}

int TabControl::heightForWidth(int width) const
{
    // Room below the tabs for the page frame the strip sits on.
    return tabsHeight(width) + 2 * TabVerticalPadding;
}

void TabControl::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    const QVector<QRect> rects = layOut(width());
    const int pageTop = tabsHeight(width());

    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = QRect(0, pageTop, width(), height() - pageTop);
    frame.shape = QTabBar::RoundedNorth;
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, frame);

    for (int i = 0; i < count(); ++i) {
        QStyleOptionTab tab;
        tab.initFrom(this);
        tab.rect = rects.at(i);
        tab.text = m_captions.at(i);
        tab.shape = QTabBar::RoundedNorth;
        tab.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        if (i == m_current) {
            tab.state |= QStyle::State_Selected;
            if (hasFocus())
                tab.state |= QStyle::State_HasFocus;
        }
        // The shape from the style, the caption drawn here: the style's label would shorten
        // a caption that the tab's own padding fits.
        painter.drawControl(QStyle::CE_TabBarTabShape, tab);
        painter.drawItemText(tab.rect, Qt::AlignCenter, tab.palette, isEnabled(), tab.text,
                             QPalette::WindowText);
    }
}

void TabControl::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    const QVector<QRect> rects = layOut(width());
    for (int i = 0; i < count(); ++i) {
        if (rects.at(i).contains(event->position().toPoint())) {
            selectByUser(i);
            return;
        }
    }
}

void TabControl::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        if (m_current > 0)
            selectByUser(m_current - 1);
        break;
    case Qt::Key_Right:
        if (m_current + 1 < count())
            selectByUser(m_current + 1);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TabControl::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        updateGeometry();
    QWidget::changeEvent(event);
}

void TabControl::selectByUser(int index)
{
    if (index == m_current)
        return;
    m_current = index;
    update();
    emit changed();
}

} // namespace sorvane
