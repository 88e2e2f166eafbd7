#include "widgets/AnchorPanel.h"

namespace sorvane {

AnchorPanel::AnchorPanel(QSize designSize, QWidget *parent)
    : QWidget(parent), m_designSize(designSize)
{
    resize(designSize);
}

void AnchorPanel::place(QWidget *child, QRect designed, Anchors anchors)
{
    child->setParent(this);
    m_placements.push_back({child, designed, anchors});
    apply(m_placements.back());
}

QRect AnchorPanel::anchoredRect(QRect designed, Anchors anchors, QSize designSize, QSize size)
{
    const int dw = size.width() - designSize.width();
    const int dh = size.height() - designSize.height();
    int left = designed.left();
    int top = designed.top();
    int width = designed.width();
    int height = designed.height();
    if (anchors & Right) {
        if (anchors & Left)
            width += dw;
        else
            left += dw;
    }
    if (anchors & Bottom) {
        if (anchors & Top)
            height += dh;
        else
            top += dh;
    }
    return QRect(left, top, qMax(0, width), qMax(0, height));
}

void AnchorPanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    for (const Placement &p : m_placements)
        apply(p);
}

void AnchorPanel::apply(const Placement &placement)
{
    placement.child->setGeometry(
        anchoredRect(placement.designed, placement.anchors, m_designSize, size()));
}

} // namespace sorvane
