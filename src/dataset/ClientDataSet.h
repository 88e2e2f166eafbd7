#pragma once

#include "dataset/Field.h"
#include "dataset/TableData.h"

#include <QObject>
#include <QString>
#include <QVariant>
#include <memory>

namespace sorvane {

/// The in-memory table of one data file: loaded whole on open, written back whole on close
/// when it changed; a cursor over a view (the current order intersected with the filter);
/// named indexes kept up to date on every post and delete; one record at a time in editing.
/// Its objectName is its name in messages ("Table1: Field 'Xyz' not found").
///
/// Every operation that needs an open dataset throws DataSetError "Cannot perform this
/// operation on a closed dataset" when it is closed. View positions in signals and in
/// valueAt() are 0-based; recNo() is 1-based.
class ClientDataSet : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };

    enum IndexOption { NoIndexOptions = 0, Unique = 1, CaseInsensitive = 2, Descending = 4 };
    Q_DECLARE_FLAGS(IndexOptions, IndexOption)

    explicit ClientDataSet(const QString &name, QObject *parent = nullptr);
    ~ClientDataSet() override;

    // --- the file --------------------------------------------------------------------
    QString fileName() const;
    /// Stores the path only; it takes effect at the next open and close.
    void setFileName(const QString &path);
    /// Loads the file; applies the selected order and, while filtering is on, the filter
    /// text; the first record of the view becomes current. On failure it stays closed.
    void open();
    /// Opens with a table already in memory instead of reading the file (tests, import);
    /// everything else is as open(), write-back included.
    void openData(TableData table);
    /// Discards an unposted record, writes the table back when a post or delete happened
    /// since open (atomically; a failed write throws and the table stays open and intact),
    /// then releases it. Closing a closed dataset does nothing.
    void close();
    bool active() const;
    State state() const;
    /// A post or delete happened since open.
    bool changedSinceOpen() const;

    // --- fields (open dataset) ---------------------------------------------------------
    int fieldCount() const;
    const FieldDef &fieldDef(int field) const;
    /// Names compared without regard to case; -1 when there is none.
    int findField(const QString &name) const;
    /// As findField, but throws DataSetError "Field '%s' not found".
    int fieldIndex(const QString &name) const;

    // --- order -----------------------------------------------------------------------
    /// Stored; built the first time it is selected.
    void addIndex(const QString &name, const QString &fields, IndexOptions options = {});
    QString indexName() const;
    /// Selects a named index; on a closed dataset only stored. Posts (or cancels an
    /// unchanged edit) first; the current record stays current.
    void setIndexName(const QString &name);
    QString indexFieldNames() const;
    /// Selects an order by a field list such as "Deu;Rus" (case counting); replaces a
    /// named index. On a closed dataset only stored.
    void setIndexFieldNames(const QString &fields);

    // --- filter ----------------------------------------------------------------------
    QString filter() const;
    void setFilter(const QString &text);
    bool filtered() const;
    void setFiltered(bool on);
    bool filterCaseInsensitive() const;
    void setFilterCaseInsensitive(bool on);
    bool filterPartialCompare() const;
    void setFilterPartialCompare(bool on);

    // --- cursor ----------------------------------------------------------------------
    void first();
    void prior();
    void next();
    void last();
    bool bof() const;
    bool eof() const;
    /// 1-based position of the current record in the view; 0 when the view is empty.
    int recNo() const;
    void setRecNo(int recNo);
    /// Records in the view (free: never a scan). Throws when closed.
    int recordCount() const;
    /// Searches the view in its order from the first record; moves only when found.
    bool locate(const QString &field, const QString &text, bool partialKey, bool caseInsensitive);

    // --- values ----------------------------------------------------------------------
    /// The current record's value (the edit buffer while editing); null QVariant for null.
    QVariant value(int field) const;
    /// The field's text form of the current record's value; empty for null.
    QString text(int field) const;
    /// The value at a view position (0-based): the edit buffer for the record in editing.
    QVariant valueAt(int row, int field) const;
    QString textAt(int row, int field) const;
    /// Sets a field of the current record; starts editing when browsing. A text that the
    /// field's type cannot take throws a clear error and changes nothing.
    void setValue(int field, const QVariant &value);

    // --- editing ---------------------------------------------------------------------
    void edit();
    /// A new empty record before the current one (at the end when the view is empty).
    void insert();
    /// A new empty record at the end of the view.
    void append();
    /// Stores the record in editing; a unique-index violation throws and keeps editing.
    /// Emits afterPost().
    void post();
    void cancel();
    /// Deletes the current record (cancels an insertion).
    void deleteRecord();
    /// Posts a changed record first; then fails: "Must apply updates before refreshing
    /// data" when changes are logged, else "Missing data provider or data packet".
    void refresh();
    /// The record in editing was changed since editing began.
    bool modified() const;
    /// Posts a changed record in editing, or cancels an unchanged one: every change of
    /// order, position or filter calls this first.
    void checkBrowseMode();

    /// The whole table (all records, hidden or not); valid while open.
    const TableData &data() const;
    /// The id in data() of the record at a view position (0-based), for readers that walk
    /// the view without moving the cursor. A new record not yet posted has none: its id is
    /// not in data(), and callers read it through valueAt().
    RecordId recordIdAt(int row) const;

signals:
    // Every signal follows its own change, so positions and recordCount() are those of the
    // view at the moment it is emitted. A post emits, in this order: rowChanged(row) when the
    // record keeps its row, or rowRemoved(old) and then rowInserted(new) when the order moves
    // it, or rowRemoved(old) alone when it no longer passes the filter; currentRowChanged when
    // the current row changed; stateChanged(Browse) (the state is already Browse during the
    // row signals); afterPost(). insert()/append() emit rowInserted, currentRowChanged and
    // stateChanged(Insert); cancelling one emits rowRemoved, currentRowChanged, stateChanged.

    /// The view was rebuilt: open, close, order or filter changed.
    void viewReset();
    /// The record at a view position changed its values.
    void rowChanged(int row);
    /// A record appeared at a view position.
    void rowInserted(int row);
    /// The record at a view position left the view.
    void rowRemoved(int row);
    /// The current record moved to another view position (also after viewReset).
    void currentRowChanged(int row);
    void stateChanged(sorvane::ClientDataSet::State state);
    void afterPost();

private:
    class Private;
    std::unique_ptr<Private> d;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(ClientDataSet::IndexOptions)

} // namespace sorvane
