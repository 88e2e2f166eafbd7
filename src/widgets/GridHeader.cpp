#include "widgets/GridHeader.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace sorvane {

namespace {
constexpr int kTextMargin = 3;
const QColor kLineColor(128, 128, 128);
} // namespace

GridHeader::GridHeader(Qt::Orientation orientation, QWidget *parent)
    : QHeaderView(orientation, parent)
{
}

void GridHeader::setFixedColor(const QColor &color)
{
    m_fixedColor = color;
    viewport()->update();
}

void GridHeader::setTitleColor(const QColor &color)
{
    m_titleColor = color;
    viewport()->update();
}

void GridHeader::setEmptyAreaColor(const QColor &color)
{
    m_emptyAreaColor = color;
    viewport()->update();
}

void GridHeader::setMarker(int section, Marker marker)
{
    if (section == m_markerSection && marker == m_marker)
        return;
    m_markerSection = section;
    m_marker = marker;
    viewport()->update();
}

void GridHeader::paintEvent(QPaintEvent *event)
{
    QHeaderView::paintEvent(event);
    // Styles paint the area beyond the last section in their own colours; it is part of
    // the data area.
    QPainter painter(viewport());
    const int end = length() - offset();
    QRect rest = viewport()->rect();
    if (orientation() == Qt::Horizontal)
        rest.setLeft(std::max(end, 0));
    else
        rest.setTop(std::max(end, 0));
    if (rest.isValid())
        painter.fillRect(rest, m_emptyAreaColor);
}

void GridHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    painter->save();
    painter->fillRect(rect, m_fixedColor);
    painter->setPen(kLineColor);
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    if (orientation() == Qt::Horizontal) {
        const QString title =
            model() ? model()->headerData(logicalIndex, Qt::Horizontal).toString() : QString();
        const QRect textRect = rect.adjusted(kTextMargin, 0, -kTextMargin, 0);
        painter->setFont(font());
        painter->setPen(m_titleColor);
        painter->drawText(
            textRect, Qt::AlignLeft | Qt::AlignVCenter,
            painter->fontMetrics().elidedText(title, Qt::ElideRight, textRect.width()));
    } else if (logicalIndex == m_markerSection) {
        paintMarker(painter, rect);
    }
    painter->restore();
}

void GridHeader::paintMarker(QPainter *painter, const QRect &rect) const
{
    const int side = std::max(std::min(rect.width(), rect.height()) - 6, 5);
    const QRectF box(rect.center().x() - side / 2.0, rect.center().y() - side / 2.0, side, side);
    painter->setRenderHint(QPainter::Antialiasing);
    switch (m_marker) {
    case Marker::None:
        break;
    case Marker::Current: { // a triangle pointing at the record
        QPainterPath arrow;
        arrow.moveTo(box.left() + side * 0.2, box.top());
        arrow.lineTo(box.right(), box.center().y());
        arrow.lineTo(box.left() + side * 0.2, box.bottom());
        arrow.closeSubpath();
        painter->fillPath(arrow, m_titleColor);
        break;
    }
    case Marker::Editing: { // an I-beam
        painter->setPen(QPen(m_titleColor, 1.5));
        const qreal x = box.center().x();
        painter->drawLine(QPointF(x, box.top()), QPointF(x, box.bottom()));
        painter->drawLine(QPointF(x - side / 4.0, box.top()), QPointF(x + side / 4.0, box.top()));
        painter->drawLine(QPointF(x - side / 4.0, box.bottom()),
                          QPointF(x + side / 4.0, box.bottom()));
        break;
    }
    case Marker::Inserting: { // an asterisk
        painter->setPen(QPen(m_titleColor, 1.5));
        const QPointF c = box.center();
        const qreal r = side / 2.0;
        for (int spoke = 0; spoke < 3; ++spoke) {
            painter->save();
            painter->translate(c);
            painter->rotate(60.0 * spoke);
            painter->drawLine(QPointF(0, -r), QPointF(0, r));
            painter->restore();
        }
        break;
    }
    }
}

} // namespace sorvane
