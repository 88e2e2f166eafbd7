#pragma once

#include <QPoint>
#include <QString>
#include <QWidget>

class QMainWindow;
class QToolButton;

namespace sorvane {

/// The title bar of a frameless main window, drawn by the program: while the window is
/// active a horizontal gradient of 64 steps from the window-text colour at the left to the
/// active-caption colour at the right, with the window's small icon and the caption text in
/// the bold caption font and the caption-text colour; while inactive a plain inactive-caption
/// fill with the inactive caption-text colour.
///
/// It keeps what the desktop's title bar does: dragging moves the window, a double-click
/// maximises and restores it, its buttons minimise, maximise or restore, and close it through
/// QWidget::close() (the same path as Alt+F4), and presses on the window's edges resize it.
///
/// Placement: install() turns the window frameless and gives it contents margins, a thin
/// frame on every side plus the caption's height at the top; the caption sits in that top
/// margin. QMainWindow lays out its menu bar, central widget and status bar inside the
/// contents rectangle, so the menu bar stays right under the caption and menuBar(),
/// setCentralWidget() and statusBar() are used as usual. Four thin edge widgets fill the frame
/// and take the resize presses, near the corners for two edges at once.
class GradientCaption : public QWidget {
    Q_OBJECT
public:
    /// The width of the frame around the window that resizes it.
    static constexpr int FrameWidth = 4;
    /// How far from a corner along an edge a press resizes both edges of the corner.
    static constexpr int CornerSize = 16;
    static constexpr int GradientSteps = 64;

    /// Gives the window a gradient caption (owned by the window) and returns it. Call before
    /// the window is first shown.
    static GradientCaption *install(QMainWindow *window);

    QString text() const;
    void setText(const QString &text);

    /// Fixes the caption's height (a window laid out for a given client area needs it);
    /// 0 returns to the height the caption font asks for.
    void setCaptionHeight(int height);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit GradientCaption(QMainWindow *window);

    QToolButton *addButton(const char *name, const QString &toolTip);
    QWidget *addEdge(const char *name);
    void placeOnWindow();
    void showWindowState();
    void toggleMaximized();
    void paintBackground(QPainter &painter, bool active) const;
    /// The edges of the window a press at pos (window coordinates) resizes.
    Qt::Edges resizeEdgesAt(const QPoint &pos) const;
    bool handleEdgeEvent(QWidget *edge, QEvent *event);

    QMainWindow *m_window;
    int m_height = 0;
    QString m_text;
    QToolButton *m_minimize;
    QToolButton *m_maximize;
    QToolButton *m_close;
    QWidget *m_edges[4];
    QPoint m_pressedAt;
    QPoint m_dragOffset;
    enum class Drag { None, Pending, Manual } m_drag = Drag::None;
};

} // namespace sorvane
