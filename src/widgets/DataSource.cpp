#include "widgets/DataSource.h"

namespace sorvane {

DataSource::DataSource(QObject *parent) : QAbstractTableModel(parent) {}

void DataSource::setDataSet(ClientDataSet *dataSet)
{
    if (dataSet == m_dataSet)
        return;
    if (m_dataSet)
        disconnect(m_dataSet, nullptr, this, nullptr);
    m_dataSet = dataSet;
    if (dataSet) {
        connect(dataSet, &ClientDataSet::viewReset, this, &DataSource::onViewReset);
        connect(dataSet, &ClientDataSet::rowChanged, this, &DataSource::onRowChanged);
        connect(dataSet, &ClientDataSet::rowInserted, this, &DataSource::onRowInserted);
        connect(dataSet, &ClientDataSet::rowRemoved, this, &DataSource::onRowRemoved);
        connect(dataSet, &QObject::destroyed, this, [this] {
            m_dataSet = nullptr;
            resetFromDataSet();
            emit dataSetChanged();
        });
    }
    resetFromDataSet();
    emit dataSetChanged();
}

void DataSource::updateRecord()
{
    emit updateDataRequested();
}

int DataSource::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int DataSource::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_fieldNames.size());
}

QVariant DataSource::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const int row = dataSetRow(index.row());
    if (row < 0)
        return {};
    if (role == Qt::DisplayRole)
        return m_dataSet->textAt(row, index.column());
    const QVariant value = m_dataSet->valueAt(row, index.column());
    // A null value is edited as an empty text.
    return value.isNull() ? QVariant(QString()) : value;
}

QVariant DataSource::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < m_fieldNames.size())
        return m_fieldNames.at(section);
    return {};
}

Qt::ItemFlags DataSource::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool DataSource::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    int row = dataSetRow(index.row());
    if (row < 0)
        return false;
    const int field = index.column();
    if (m_dataSet->recNo() != row + 1) {
        m_dataSet->setRecNo(row + 1);
        row = m_dataSet->recNo() - 1;
    }
    // Writing back what a record already holds does not put it into editing.
    const bool unchanged = value.typeId() == QMetaType::QString
                               ? m_dataSet->textAt(row, field) == value.toString()
                               : m_dataSet->valueAt(row, field) == value;
    if (unchanged && m_dataSet->state() == ClientDataSet::State::Browse)
        return true;
    m_dataSet->setValue(field, value);
    return true;
}

void DataSource::onViewReset()
{
    const QStringList names = currentFieldNames();
    if (names.isEmpty() || names != m_fieldNames) {
        resetFromDataSet();
        return;
    }
    // Same fields in a new order or under a new filter: the rows are replaced and the
    // columns stay, so a view keeps their order and widths.
    if (m_rows > 0) {
        m_pending = {Pending::RemoveAll, -1};
        beginRemoveRows(QModelIndex(), 0, m_rows - 1);
        m_rows = 0;
        m_pending = {};
        endRemoveRows();
    }
    const int rows = m_dataSet->recordCount();
    if (rows > 0) {
        beginInsertRows(QModelIndex(), 0, rows - 1);
        m_rows = rows;
        endInsertRows();
    }
}

void DataSource::onRowChanged(int row)
{
    if (row < 0 || row >= m_rows)
        return;
    emit dataChanged(index(row, 0), index(row, columnCount() - 1), {Qt::DisplayRole, Qt::EditRole});
}

void DataSource::onRowInserted(int row)
{
    if (row < 0 || row > m_rows) {
        resetFromDataSet();
        return;
    }
    m_pending = {Pending::Insert, row};
    beginInsertRows(QModelIndex(), row, row);
    ++m_rows;
    m_pending = {};
    endInsertRows();
}

void DataSource::onRowRemoved(int row)
{
    if (row < 0 || row >= m_rows) {
        resetFromDataSet();
        return;
    }
    m_pending = {Pending::Remove, row};
    beginRemoveRows(QModelIndex(), row, row);
    --m_rows;
    m_pending = {};
    endRemoveRows();
}

void DataSource::resetFromDataSet()
{
    beginResetModel();
    m_pending = {};
    m_fieldNames = currentFieldNames();
    m_rows = m_fieldNames.isEmpty() ? 0 : m_dataSet->recordCount();
    endResetModel();
}

int DataSource::dataSetRow(int modelRow) const
{
    if (!m_dataSet || !m_dataSet->active() || modelRow < 0 || modelRow >= m_rows)
        return -1;
    int row = modelRow;
    switch (m_pending.kind) {
    case Pending::None:
        break;
    case Pending::Insert:
        if (modelRow >= m_pending.row)
            ++row;
        break;
    case Pending::Remove:
        if (modelRow == m_pending.row)
            return -1;
        if (modelRow > m_pending.row)
            --row;
        break;
    case Pending::RemoveAll:
        return -1;
    }
    return row < m_dataSet->recordCount() ? row : -1;
}

QStringList DataSource::currentFieldNames() const
{
    QStringList names;
    if (!m_dataSet || !m_dataSet->active())
        return names;
    const int count = m_dataSet->fieldCount();
    names.reserve(count);
    for (int field = 0; field < count; ++field)
        names.append(m_dataSet->fieldDef(field).name);
    return names;
}

} // namespace sorvane
