#pragma once

#include "dataset/ClientDataSet.h"
#include "widgets/DataSource.h"
#include "widgets/GridFont.h"

#include <QColor>
#include <QPointer>
#include <QTableView>
#include <functional>

namespace sorvane {

class GridCellDelegate;
class GridHeader;

/// The data-aware grid: the records of a DataSource's dataset with a title row and a
/// record-indicator column, edited in place. Its current row is the dataset's current
/// record, both ways. Typing starts editing; leaving the record posts a changed one and
/// cancels an unchanged one; Down on the last record appends, Ins inserts, Ctrl+Del
/// deletes after a confirmation; a new record left unchanged is dropped when the focus
/// leaves the grid. Columns can be dragged into another order; "display index" counts
/// the data columns from 0 in that order. Rows have one height, so only the visible rows
/// are ever read.
///
/// Appearance: `Color` (data cells), `Font` (QWidget::font: data cells and the cell
/// editor) with fontColor(), `FixedColor` (title row and indicator column), `TitleFont`
/// with titleFontColor(); every setter repaints at once.
class DBGrid : public QTableView {
    Q_OBJECT
public:
    explicit DBGrid(QWidget *parent = nullptr);

    DataSource *dataSource() const { return m_source; }
    void setDataSource(DataSource *source);

    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    QColor fontColor() const { return m_fontColor; }
    void setFontColor(const QColor &color);
    QColor fixedColor() const;
    void setFixedColor(const QColor &color);
    QFont titleFont() const;
    void setTitleFont(const QFont &font);
    QColor titleFontColor() const;
    void setTitleFontColor(const QColor &color);

    /// Data columns shown.
    int columnCount() const;
    /// The field shown at a display position; -1 when there is no such column.
    int columnField(int displayIndex) const;
    /// The display position of the current column; -1 when there is none.
    int selectedIndex() const;
    /// Widths by display position (hides QTableView's, which counts fields).
    int columnWidth(int displayIndex) const;
    void setColumnWidth(int displayIndex, int width);
    /// The fields of the columns in display order.
    QVector<int> displayedFields() const;

    // The looks as the settings file keeps them: 32-bit colour values (system colours
    // included) and fonts with their colour value and character set.
    qint32 colorValue() const { return m_colorValue; }
    void setColorValue(qint32 value);
    qint32 fixedColorValue() const { return m_fixedColorValue; }
    void setFixedColorValue(qint32 value);
    GridFont gridFont() const { return m_gridFont; }
    void setGridFont(const GridFont &font);
    GridFont titleGridFont() const { return m_titleGridFont; }
    void setTitleGridFont(const GridFont &font);

    /// Data rows the grid shows whole.
    int visibleRowCapacity() const;
    /// Runs a change of the dataset (a new order) and shows the current record in the same
    /// data row as before, as far as the records around it allow.
    void keepCurrentRowWhile(const std::function<void()> &change);
    /// Shows the current record in the middle data row, (r − 1) div 2 of the r rows shown,
    /// higher near the start and lower near the end of the view.
    void showCurrentInMiddle();

signals:
    /// The left button was pressed and released over a data cell, which is now the
    /// current cell. Never for the title row, the indicator column, a release inside the
    /// open cell editor, a drag that resized a column, or keyboard moves.
    void cellClicked(int displayColumn);

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    /// Searching by typed letters would read every row; typing edits instead.
    void keyboardSearch(const QString &) override {}

private:
    class UserMove;

    ClientDataSet *dataSet() const;
    bool dataSetActive() const;
    void bindDataSet();
    /// Makes the view's current row the dataset's current record and scrolls it into view.
    void followDataSet();
    /// After a user action the dataset may have refused to move: show where it stayed.
    void syncWithDataSet();
    void updateMarker();
    void updateRowHeight();
    void applyPalette();
    /// Writes an open editor's text into the record and closes the editor.
    void commitOpenEditor();
    void startEditing();
    void newRecord(bool atEnd);
    void deleteCurrentRecord();
    void dropUnchangedInsertion(QWidget *old, QWidget *now);
    bool isInside(const QWidget *widget) const;

    QPointer<DataSource> m_source;
    QPointer<ClientDataSet> m_dataSet;
    GridHeader *m_titles;
    GridHeader *m_indicator;
    GridCellDelegate *m_delegate;
    /// Scrolls so that the current record stands `row` rows below the top, within limits.
    void showCurrentInRow(int row);
    int currentRowInView() const;

    qint32 m_colorValue = 0xFFFFFF;
    qint32 m_fixedColorValue = 0;
    GridFont m_gridFont;
    GridFont m_titleGridFont;
    QColor m_color = Qt::white;
    QColor m_fontColor = Qt::black;
    int m_userMoves = 0;
    int m_following = 0;
    bool m_leftPressOnCell = false;
};

} // namespace sorvane
