#include "widgets/DBGrid.h"

#include "widgets/ColorValue.h"

#include "widgets/Application.h"
#include "widgets/DataSource.h"
#include "widgets/DeleteConfirmation.h"
#include "widgets/GridCellDelegate.h"
#include "widgets/GridHeader.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <utility>

namespace sorvane {

namespace {
constexpr int kIndicatorWidth = 16;
constexpr int kRowPadding = 4;
} // namespace

/// Marks a stretch in which the view's current cell moves because of the user, so that
/// the dataset follows it.
class DBGrid::UserMove {
public:
    explicit UserMove(DBGrid &grid) : m_grid(grid) { ++m_grid.m_userMoves; }
    ~UserMove() { --m_grid.m_userMoves; }
    UserMove(const UserMove &) = delete;
    UserMove &operator=(const UserMove &) = delete;

private:
    DBGrid &m_grid;
};

DBGrid::DBGrid(QWidget *parent)
    : QTableView(parent), m_titles(new GridHeader(Qt::Horizontal, this)),
      m_indicator(new GridHeader(Qt::Vertical, this)), m_delegate(new GridCellDelegate(this))
{
    setHorizontalHeader(m_titles);
    setVerticalHeader(m_indicator);
    m_titles->setSectionsMovable(true);
    m_titles->setSectionsClickable(false);
    m_titles->setHighlightSections(false);
    m_indicator->setSectionsClickable(false);
    m_indicator->setHighlightSections(false);
    m_indicator->setSectionResizeMode(QHeaderView::Fixed);
    m_indicator->setMinimumSectionSize(1);
    m_indicator->setFixedWidth(kIndicatorWidth);
    setItemDelegate(m_delegate);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(true);
    setWordWrap(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setCornerButtonEnabled(false);
    if (auto *corner = findChild<QAbstractButton *>())
        corner->installEventFilter(this);

    m_color = palette().color(QPalette::Base);
    m_fontColor = palette().color(QPalette::Text);
    m_titles->setFont(font());
    setFixedColor(palette().color(QPalette::Button));
    setTitleFontColor(palette().color(QPalette::ButtonText));
    applyPalette();
    updateRowHeight();

    connect(m_delegate, &GridCellDelegate::textEdited, this,
            Application::guard([this] { startEditing(); }));
    connect(qApp, &QApplication::focusChanged, this, &DBGrid::dropUnchangedInsertion);
}

void DBGrid::setDataSource(DataSource *source)
{
    if (source == m_source)
        return;
    if (m_source)
        disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    QTableView::setModel(source);
    if (source) {
        connect(source, &DataSource::dataSetChanged, this, &DBGrid::bindDataSet);
        connect(source, &DataSource::updateDataRequested, this, &DBGrid::commitOpenEditor);
        const auto follow = [this] {
            followDataSet();
            updateMarker();
        };
        connect(source, &QAbstractItemModel::rowsInserted, this, follow);
        connect(source, &QAbstractItemModel::rowsRemoved, this, follow);
        connect(source, &QAbstractItemModel::modelReset, this, follow);
    }
    bindDataSet();
}

void DBGrid::setColor(const QColor &color)
{
    m_color = color;
    applyPalette();
}

void DBGrid::setFontColor(const QColor &color)
{
    m_fontColor = color;
    applyPalette();
}

QColor DBGrid::fixedColor() const
{
    return m_titles->fixedColor();
}

void DBGrid::setFixedColor(const QColor &color)
{
    m_titles->setFixedColor(color);
    m_indicator->setFixedColor(color);
    if (auto *corner = findChild<QAbstractButton *>())
        corner->update();
}

QFont DBGrid::titleFont() const
{
    return m_titles->font();
}

void DBGrid::setTitleFont(const QFont &font)
{
    m_titles->setFont(font);
}

QColor DBGrid::titleFontColor() const
{
    return m_titles->titleColor();
}

void DBGrid::setTitleFontColor(const QColor &color)
{
    m_titles->setTitleColor(color);
    m_indicator->setTitleColor(color);
}

int DBGrid::columnCount() const
{
    return model() ? model()->columnCount() : 0;
}

int DBGrid::columnField(int displayIndex) const
{
    if (displayIndex < 0 || displayIndex >= columnCount())
        return -1;
    return m_titles->logicalIndex(displayIndex);
}

int DBGrid::selectedIndex() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? m_titles->visualIndex(current.column()) : -1;
}

int DBGrid::columnWidth(int displayIndex) const
{
    const int field = columnField(displayIndex);
    return field < 0 ? 0 : QTableView::columnWidth(field);
}

void DBGrid::setColumnWidth(int displayIndex, int width)
{
    const int field = columnField(displayIndex);
    if (field >= 0)
        QTableView::setColumnWidth(field, width);
}

void DBGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    if (m_following || !current.isValid() || !dataSetActive())
        return;
    const int row = current.row();
    if (row == dataSet()->recNo() - 1)
        return;
    if (m_userMoves > 0)
        Application::run([this, row] { dataSet()->setRecNo(row + 1); });
    else // the view moved by itself (rows came or went): it shows the dataset's record
        QTimer::singleShot(0, this, &DBGrid::syncWithDataSet);
}

void DBGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    {
        // Tab and Backtab in the editor move the current cell.
        UserMove move(*this);
        QTableView::closeEditor(editor, hint);
    }
    syncWithDataSet();
}

void DBGrid::keyPressEvent(QKeyEvent *event)
{
    if (dataSetActive()) {
        const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
        const int key = event->key();
        if (key == Qt::Key_Insert && modifiers == Qt::NoModifier) {
            Application::run([this] { newRecord(false); });
            return;
        }
        if (key == Qt::Key_Delete && modifiers == Qt::ControlModifier) {
            Application::run([this] { deleteCurrentRecord(); });
            return;
        }
        if (key == Qt::Key_Down && modifiers == Qt::NoModifier &&
            dataSet()->recNo() >= dataSet()->recordCount()) {
            Application::run([this] { newRecord(true); });
            return;
        }
        const ClientDataSet::State state = dataSet()->state();
        if (key == Qt::Key_Escape && modifiers == Qt::NoModifier &&
            (state == ClientDataSet::State::Edit || state == ClientDataSet::State::Insert)) {
            Application::run([this] { dataSet()->cancel(); });
            return;
        }
    }
    {
        UserMove move(*this);
        QTableView::keyPressEvent(event);
    }
    syncWithDataSet();
}

void DBGrid::mousePressEvent(QMouseEvent *event)
{
    m_leftPressOnCell =
        event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid();
    {
        UserMove move(*this);
        QTableView::mousePressEvent(event);
    }
    syncWithDataSet();
}

void DBGrid::mouseMoveEvent(QMouseEvent *event)
{
    {
        UserMove move(*this);
        QTableView::mouseMoveEvent(event);
    }
    syncWithDataSet();
}

void DBGrid::mouseReleaseEvent(QMouseEvent *event)
{
    const bool leftClick =
        std::exchange(m_leftPressOnCell, false) && event->button() == Qt::LeftButton;
    const QPoint pos = event->position().toPoint();
    const QModelIndex released = indexAt(pos);
    const QWidget *editor = released.isValid() ? indexWidget(released) : nullptr;
    const bool inEditor = editor && editor->isVisible() && editor->geometry().contains(pos);
    const int row = released.row();
    const int column = released.column();
    {
        UserMove move(*this);
        QTableView::mouseReleaseEvent(event);
    }
    syncWithDataSet();
    const QModelIndex current = currentIndex();
    if (leftClick && !inEditor && released.isValid() && current.row() == row &&
        current.column() == column)
        emit cellClicked(m_titles->visualIndex(column));
}

void DBGrid::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        updateRowHeight();
    QTableView::changeEvent(event);
}

bool DBGrid::eventFilter(QObject *watched, QEvent *event)
{
    // The corner above the indicator column is a fixed cell too.
    if (event->type() == QEvent::Paint && watched == findChild<QAbstractButton *>()) {
        auto *corner = static_cast<QWidget *>(watched);
        QPainter painter(corner);
        painter.fillRect(corner->rect(), fixedColor());
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

ClientDataSet *DBGrid::dataSet() const
{
    return m_dataSet;
}

bool DBGrid::dataSetActive() const
{
    return m_dataSet && m_dataSet->active();
}

void DBGrid::bindDataSet()
{
    if (m_dataSet)
        disconnect(m_dataSet, nullptr, this, nullptr);
    m_dataSet = m_source ? m_source->dataSet() : nullptr;
    if (m_dataSet) {
        connect(m_dataSet, &ClientDataSet::currentRowChanged, this, [this] {
            followDataSet();
            updateMarker();
        });
        connect(m_dataSet, &ClientDataSet::stateChanged, this, &DBGrid::updateMarker);
    }
    followDataSet();
    updateMarker();
}

void DBGrid::followDataSet()
{
    if (!dataSetActive() || !model())
        return;
    const int row = dataSet()->recNo() - 1;
    if (row < 0 || row >= model()->rowCount())
        return;
    const QModelIndex current = currentIndex();
    const int column = current.isValid() ? current.column() : m_titles->logicalIndex(0);
    if (column < 0)
        return;
    // An editor left on another record belongs to it: closed without writing, so that
    // closing it does not pull the dataset back.
    if (current.isValid() && current.row() != row)
        if (QWidget *editor = indexWidget(current))
            QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    const QModelIndex target = model()->index(row, column);
    ++m_following;
    selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
    --m_following;
    scrollTo(target);
}

void DBGrid::syncWithDataSet()
{
    if (!dataSetActive())
        return;
    const int row = dataSet()->recNo() - 1;
    if (row >= 0 && currentIndex().row() != row)
        followDataSet();
}

void DBGrid::updateMarker()
{
    if (!dataSetActive()) {
        m_indicator->setMarker(-1, GridHeader::Marker::None);
        return;
    }
    GridHeader::Marker marker = GridHeader::Marker::Current;
    switch (dataSet()->state()) {
    case ClientDataSet::State::Edit:
        marker = GridHeader::Marker::Editing;
        break;
    case ClientDataSet::State::Insert:
        marker = GridHeader::Marker::Inserting;
        break;
    default:
        break;
    }
    m_indicator->setMarker(dataSet()->recNo() - 1, marker);
}

void DBGrid::updateRowHeight()
{
    m_indicator->setDefaultSectionSize(fontMetrics().height() + kRowPadding);
}

void DBGrid::applyPalette()
{
    QPalette cells = palette();
    cells.setColor(QPalette::Base, m_color);
    cells.setColor(QPalette::Text, m_fontColor);
    setPalette(cells);
    m_titles->setEmptyAreaColor(m_color);
    m_indicator->setEmptyAreaColor(m_color);
}

void DBGrid::commitOpenEditor()
{
    const QModelIndex current = currentIndex();
    QWidget *editor = current.isValid() ? indexWidget(current) : nullptr;
    if (!editor)
        return;
    commitData(editor);
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void DBGrid::startEditing()
{
    if (dataSetActive() && dataSet()->state() == ClientDataSet::State::Browse &&
        dataSet()->recordCount() > 0)
        dataSet()->edit();
}

void DBGrid::newRecord(bool atEnd)
{
    commitOpenEditor();
    ClientDataSet *table = dataSet();
    // Down on a new record that is still empty stays on it.
    if (atEnd && table->state() == ClientDataSet::State::Insert && !table->modified())
        return;
    table->checkBrowseMode();
    if (atEnd)
        table->append();
    else
        table->insert();
}

void DBGrid::deleteCurrentRecord()
{
    if (dataSet()->recordCount() == 0 || !DeleteConfirmation::ask(this))
        return;
    dataSet()->deleteRecord();
}

void DBGrid::dropUnchangedInsertion(QWidget *old, QWidget *now)
{
    // Focus that moves to another control of the window leaves the grid; a dialog that
    // opens over it (a confirmation, an error box) does not.
    if (!dataSetActive() || !now || !isInside(old) || isInside(now) || now->window() != window())
        return;
    if (dataSet()->state() == ClientDataSet::State::Insert && !dataSet()->modified())
        Application::run([this] { dataSet()->cancel(); });
}

bool DBGrid::isInside(const QWidget *widget) const
{
    return widget && (widget == this || isAncestorOf(widget));
}

QVector<int> DBGrid::displayedFields() const
{
    QVector<int> fields;
    for (int i = 0; i < columnCount(); ++i)
        fields.push_back(columnField(i));
    return fields;
}

void DBGrid::setColorValue(qint32 value)
{
    m_colorValue = value;
    setColor(ColorValue::toColor(value));
}

void DBGrid::setFixedColorValue(qint32 value)
{
    m_fixedColorValue = value;
    setFixedColor(ColorValue::toColor(value));
}

void DBGrid::setGridFont(const GridFont &font)
{
    m_gridFont = font;
    setFont(font.font);
    setFontColor(ColorValue::toColor(font.color));
}

void DBGrid::setTitleGridFont(const GridFont &font)
{
    m_titleGridFont = font;
    setTitleFont(font.font);
    setTitleFontColor(ColorValue::toColor(font.color));
}

int DBGrid::visibleRowCapacity() const
{
    const int rowHeight = verticalHeader()->defaultSectionSize();
    return rowHeight > 0 ? qMax(1, viewport()->height() / rowHeight) : 1;
}

int DBGrid::currentRowInView() const
{
    const int top = rowAt(0);
    return top < 0 || !dataSetActive() ? 0 : dataSet()->recNo() - 1 - top;
}

void DBGrid::keepCurrentRowWhile(const std::function<void()> &change)
{
    const int row = currentRowInView();
    change();
    showCurrentInRow(row);
}

void DBGrid::showCurrentInMiddle()
{
    showCurrentInRow((visibleRowCapacity() - 1) / 2);
}

void DBGrid::showCurrentInRow(int row)
{
    if (!dataSetActive() || dataSet()->recNo() < 1)
        return;
    // The scroll bar's range ends where the last record stands in the bottom row.
    verticalScrollBar()->setValue(
        qBound(0, dataSet()->recNo() - 1 - row, verticalScrollBar()->maximum()));
}

} // namespace sorvane
