#pragma once

#include "dataset/ClientDataSet.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <QStringList>

namespace sorvane {

/// The table model that binds data-aware controls to one ClientDataSet, with automatic
/// editing: writing a cell moves the dataset to that record and puts it into editing.
/// Columns are the dataset's fields in file order, titled with their names. The dataset's
/// fine-grained notifications become model signals; an edit of one record never resets
/// the model, and a new order or filter over the same fields keeps the columns (their
/// order and widths in a view) by replacing the rows instead of resetting.
class DataSource : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DataSource(QObject *parent = nullptr);

    ClientDataSet *dataSet() const { return m_dataSet; }
    void setDataSet(ClientDataSet *dataSet);

    /// Asks every bound control to write what its open editor holds into the current
    /// record; controls that act on the dataset call it first.
    void updateRecord();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    /// Makes the row the current record when it is not, then sets the field's value, which
    /// starts editing. Throws the dataset's error (a failed post while leaving the record
    /// in editing, a value the field cannot take).
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

signals:
    /// Another dataset was bound (or none).
    void dataSetChanged();
    /// Bound controls write their pending input into the current record now.
    void updateDataRequested();

private:
    /// A structural change that the dataset has already made while the model still
    /// announces it: model rows are mapped onto the dataset's rows until it is announced.
    struct Pending {
        enum Kind { None, Insert, Remove, RemoveAll } kind = None;
        int row = -1;
    };

    void onViewReset();
    void onRowChanged(int row);
    void onRowInserted(int row);
    void onRowRemoved(int row);
    void resetFromDataSet();
    /// The dataset's row behind a model row; -1 for a row that is already gone.
    int dataSetRow(int modelRow) const;
    QStringList currentFieldNames() const;

    QPointer<ClientDataSet> m_dataSet;
    QStringList m_fieldNames;
    int m_rows = 0;
    Pending m_pending;
};

} // namespace sorvane
