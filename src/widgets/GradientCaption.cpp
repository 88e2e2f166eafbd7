#include "widgets/GradientCaption.h"

#include "widgets/ColorValue.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QToolButton>
#include <QWindow>

namespace sorvane {

namespace {

constexpr int MinimumHeight = 18;
constexpr int Padding = 2;
constexpr int IconSize = 16;

QColor systemColor(ColorValue::SystemColor index)
{
    return ColorValue::toColor(ColorValue::systemColor(index));
}

QColor blend(const QColor &from, const QColor &to, int step, int lastStep)
{
    const auto mix = [&](int a, int b) { return a + (b - a) * step / lastStep; };
    return QColor(mix(from.red(), to.red()), mix(from.green(), to.green()),
                  mix(from.blue(), to.blue()));
}

} // namespace

GradientCaption *GradientCaption::install(QMainWindow *window)
{
    return new GradientCaption(window);
}

GradientCaption::GradientCaption(QMainWindow *window)
    : QWidget(window), m_window(window),
      m_minimize(addButton("minimizeButton", QStringLiteral("Minimize"))),
      m_maximize(addButton("maximizeButton", QStringLiteral("Maximize"))),
      m_close(addButton("closeButton", QStringLiteral("Close"))), m_edges{addEdge("topEdge"),
                                                                          addEdge("bottomEdge"),
                                                                          addEdge("leftEdge"),
                                                                          addEdge("rightEdge")}
{
    setObjectName(QStringLiteral("gradientCaption"));
    // The caption font is the system's, whatever font the window gives its controls.
    QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    font.setBold(true);
    font.setResolveMask(QFont::AllPropertiesResolved);
    setFont(font);

    m_close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton, nullptr, this));
    m_minimize->setIcon(style()->standardIcon(QStyle::SP_TitleBarMinButton, nullptr, this));
    auto *buttons = new QHBoxLayout(this);
    buttons->setContentsMargins(0, Padding, Padding, Padding);
    buttons->setSpacing(0);
    buttons->addStretch();
    buttons->addWidget(m_minimize);
    buttons->addWidget(m_maximize);
    buttons->addSpacing(Padding);
    buttons->addWidget(m_close);

    connect(m_minimize, &QToolButton::clicked, m_window, &QWidget::showMinimized);
    connect(m_maximize, &QToolButton::clicked, this, &GradientCaption::toggleMaximized);
    connect(m_close, &QToolButton::clicked, m_window, &QWidget::close);

    m_window->setWindowFlag(Qt::FramelessWindowHint);
    m_window->installEventFilter(this);
    showWindowState();
    placeOnWindow();
}

QToolButton *GradientCaption::addButton(const char *name, const QString &toolTip)
{
    auto *button = new QToolButton(this);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(toolTip);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QWidget *GradientCaption::addEdge(const char *name)
{
    auto *edge = new QWidget(m_window);
    edge->setObjectName(QLatin1String(name));
    // The cursor follows the mouse along the edge: near a corner it resizes diagonally.
    edge->setMouseTracking(true);
    edge->installEventFilter(this);
    return edge;
}

QString GradientCaption::text() const
{
    return m_text;
}

void GradientCaption::setText(const QString &text)
{
    m_text = text;
    update();
}

void GradientCaption::setCaptionHeight(int height)
{
    m_height = height;
    placeOnWindow();
}

QSize GradientCaption::sizeHint() const
{
    const int height =
        m_height > 0 ? m_height
                     : qMax(MinimumHeight, qMax(fontMetrics().height(), IconSize) + 2 * Padding);
    return QSize(m_window->width() - 2 * FrameWidth, height);
}

void GradientCaption::placeOnWindow()
{
    const int height = sizeHint().height();
    m_window->setContentsMargins(FrameWidth, FrameWidth + height, FrameWidth, FrameWidth);
    const int buttonSize = height - 2 * Padding;
    for (QToolButton *button : {m_minimize, m_maximize, m_close}) {
        button->setFixedSize(buttonSize, buttonSize);
        button->setIconSize(QSize(buttonSize - 4, buttonSize - 4));
    }
    const int width = m_window->width();
    setGeometry(FrameWidth, FrameWidth, width - 2 * FrameWidth, height);

    const int windowHeight = m_window->height();
    const QRect edges[] = {
        {0, 0, width, FrameWidth},
        {0, windowHeight - FrameWidth, width, FrameWidth},
        {0, FrameWidth, FrameWidth, windowHeight - 2 * FrameWidth},
        {width - FrameWidth, FrameWidth, FrameWidth, windowHeight - 2 * FrameWidth}};
    for (int i = 0; i < 4; ++i) {
        m_edges[i]->setGeometry(edges[i]);
        m_edges[i]->raise();
    }
}

void GradientCaption::showWindowState()
{
    const bool maximized = m_window->isMaximized();
    m_maximize->setIcon(style()->standardIcon(
        maximized ? QStyle::SP_TitleBarNormalButton : QStyle::SP_TitleBarMaxButton, nullptr, this));
    m_maximize->setToolTip(maximized ? QStringLiteral("Restore Down") : QStringLiteral("Maximize"));
    // A maximised window has no edges to drag.
    const bool resizable = !maximized && !m_window->isFullScreen();
    for (QWidget *edge : m_edges)
        edge->setVisible(resizable);
}

void GradientCaption::toggleMaximized()
{
    if (m_window->isMaximized())
        m_window->showNormal();
    else
        m_window->showMaximized();
}

void GradientCaption::paintBackground(QPainter &painter, bool active) const
{
    if (!active) {
        painter.fillRect(rect(), systemColor(ColorValue::GradientInactiveCaption));
        return;
    }
    const QColor left = systemColor(ColorValue::WindowText);
    const QColor right = systemColor(ColorValue::GradientActiveCaption);
    for (int step = 0; step < GradientSteps; ++step) {
        const int x = width() * step / GradientSteps;
        const int next = width() * (step + 1) / GradientSteps;
        painter.fillRect(x, 0, next - x, height(), blend(left, right, step, GradientSteps - 1));
    }
}

void GradientCaption::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const bool active = m_window->isActiveWindow();
    paintBackground(painter, active);

    int textLeft = Padding;
    const QIcon icon = m_window->windowIcon();
    if (!icon.isNull()) {
        const QRect iconRect(Padding, (height() - IconSize) / 2, IconSize, IconSize);
        icon.paint(&painter, iconRect);
        textLeft = iconRect.right() + 1 + 2 * Padding;
    }
    const int textRight = m_minimize->geometry().left() - Padding;
    const QRect textRect(textLeft, 0, qMax(0, textRight - textLeft), height());
    painter.setPen(systemColor(active ? ColorValue::CaptionText : ColorValue::InactiveCaptionText));
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
                     fontMetrics().elidedText(m_text, Qt::ElideRight, textRect.width()));
}

void GradientCaption::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    // The move starts once the mouse travels, so that a double-click still reaches us.
    m_drag = Drag::Pending;
    m_pressedAt = event->globalPosition().toPoint();
}

void GradientCaption::mouseMoveEvent(QMouseEvent *event)
{
    if (m_drag == Drag::None || !(event->buttons() & Qt::LeftButton) || m_window->isMaximized())
        return;
    const QPoint global = event->globalPosition().toPoint();
    if (m_drag == Drag::Pending) {
        if ((global - m_pressedAt).manhattanLength() < QApplication::startDragDistance())
            return;
        QWindow *handle = m_window->windowHandle();
        if (handle && handle->startSystemMove()) {
            m_drag = Drag::None;
            return;
        }
        // Without the desktop's own move, the window follows the mouse.
        m_drag = Drag::Manual;
        m_dragOffset = m_pressedAt - m_window->pos();
    }
    m_window->move(global - m_dragOffset);
}

void GradientCaption::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_drag = Drag::None;
    QWidget::mouseReleaseEvent(event);
}

void GradientCaption::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseDoubleClickEvent(event);
    m_drag = Drag::None;
    toggleMaximized();
}

Qt::Edges GradientCaption::resizeEdgesAt(const QPoint &pos) const
{
    const int width = m_window->width();
    const int height = m_window->height();
    bool left = pos.x() < FrameWidth;
    bool right = pos.x() >= width - FrameWidth;
    bool top = pos.y() < FrameWidth;
    bool bottom = pos.y() >= height - FrameWidth;
    if (top || bottom) {
        left = left || pos.x() < CornerSize;
        right = right || pos.x() >= width - CornerSize;
    }
    if (left || right) {
        top = top || pos.y() < CornerSize;
        bottom = bottom || pos.y() >= height - CornerSize;
    }
    Qt::Edges edges;
    edges.setFlag(Qt::LeftEdge, left);
    edges.setFlag(Qt::RightEdge, right);
    edges.setFlag(Qt::TopEdge, top);
    edges.setFlag(Qt::BottomEdge, bottom);
    return edges;
}

namespace {

Qt::CursorShape resizeCursor(Qt::Edges edges)
{
    if (edges == (Qt::LeftEdge | Qt::TopEdge) || edges == (Qt::RightEdge | Qt::BottomEdge))
        return Qt::SizeFDiagCursor;
    if (edges == (Qt::RightEdge | Qt::TopEdge) || edges == (Qt::LeftEdge | Qt::BottomEdge))
        return Qt::SizeBDiagCursor;
    return edges & (Qt::LeftEdge | Qt::RightEdge) ? Qt::SizeHorCursor : Qt::SizeVerCursor;
}

} // namespace

bool GradientCaption::handleEdgeEvent(QWidget *edge, QEvent *event)
{
    if (event->type() != QEvent::MouseMove && event->type() != QEvent::MouseButtonPress)
        return false;
    auto *mouse = static_cast<QMouseEvent *>(event);
    const Qt::Edges edges = resizeEdgesAt(edge->mapTo(m_window, mouse->position().toPoint()));
    if (event->type() == QEvent::MouseMove) {
        edge->setCursor(resizeCursor(edges));
        return false;
    }
    if (mouse->button() != Qt::LeftButton)
        return false;
    if (QWindow *handle = m_window->windowHandle())
        handle->startSystemResize(edges);
    return true;
}

bool GradientCaption::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window)
        return handleEdgeEvent(static_cast<QWidget *>(watched), event);
    switch (event->type()) {
    case QEvent::Resize:
        placeOnWindow();
        break;
    case QEvent::ActivationChange:
    case QEvent::WindowIconChange:
        update();
        break;
    case QEvent::WindowStateChange:
        showWindowState();
        break;
    default:
        break;
    }
    return false;
}

} // namespace sorvane
