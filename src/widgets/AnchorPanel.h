#pragma once

#include <QRect>
#include <QSize>
#include <QVector>
#include <QWidget>

namespace sorvane {

/// A client area whose children keep the places they were laid out at: each child has a
/// designed rectangle and the edges it is anchored to. An anchored edge keeps its distance
/// from the same edge of the panel; a child anchored left and right (or top and bottom)
/// stretches, one anchored to one side only moves with it.
class AnchorPanel : public QWidget {
    Q_OBJECT
public:
    enum Anchor { Left = 1, Top = 2, Right = 4, Bottom = 8 };
    Q_DECLARE_FLAGS(Anchors, Anchor)

    /// designSize: the size of the client area the designed rectangles refer to.
    explicit AnchorPanel(QSize designSize, QWidget *parent = nullptr);

    /// Places a child at its designed rectangle with its anchors; the panel becomes its
    /// parent.
    void place(QWidget *child, QRect designed, Anchors anchors);

    /// The rectangle a child designed at `designed` takes in a panel of size `size`.
    static QRect anchoredRect(QRect designed, Anchors anchors, QSize designSize, QSize size);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Placement {
        QWidget *child;
        QRect designed;
        Anchors anchors;
    };
    void apply(const Placement &placement);

    QSize m_designSize;
    QVector<Placement> m_placements;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(AnchorPanel::Anchors)

} // namespace sorvane
