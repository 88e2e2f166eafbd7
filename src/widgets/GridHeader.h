#pragma once

#include <QColor>
#include <QHeaderView>

namespace sorvane {

/// A fixed row or column of a data grid, painted by the grid's own colours whatever the
/// style: horizontal it is the title row (field names in the header's font and the title
/// colour on the fixed colour), vertical the record indicator (a marker beside the current
/// record that shows whether it is browsed, edited or inserted).
class GridHeader : public QHeaderView {
    Q_OBJECT
public:
    enum class Marker { None, Current, Editing, Inserting };

    explicit GridHeader(Qt::Orientation orientation, QWidget *parent = nullptr);

    QColor fixedColor() const { return m_fixedColor; }
    void setFixedColor(const QColor &color);
    /// The colour of the titles and of the marker.
    QColor titleColor() const { return m_titleColor; }
    void setTitleColor(const QColor &color);
    /// The colour of the area beyond the last section, which belongs to the data area.
    void setEmptyAreaColor(const QColor &color);

    /// Shows a marker beside one section (-1: none).
    void setMarker(int section, Marker marker);
    int markerSection() const { return m_markerSection; }
    Marker marker() const { return m_marker; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;

private:
    void paintMarker(QPainter *painter, const QRect &rect) const;

    QColor m_fixedColor = Qt::black;
    QColor m_titleColor = Qt::white;
    QColor m_emptyAreaColor = Qt::white;
    int m_markerSection = -1;
    Marker m_marker = Marker::None;
};

} // namespace sorvane
