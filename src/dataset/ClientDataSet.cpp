#include "dataset/ClientDataSet.h"

#include "dataset/DataFile.h"
#include "dataset/DataSetError.h"
#include "dataset/Index.h"
#include "dataset/ValueSearch.h"
#include "dataset/filter/FilterCondition.h"
#include "dataset/packet/DataPacket.h"

#include <QLocale>
#include <algorithm>

namespace sorvane {

namespace {

// Stands in the view for a new record that is not stored yet.
constexpr RecordId kPendingRecord = 0xFFFFFFFFu;
constexpr RecordId kNoRecord = 0xFFFFFFFEu;

} // namespace

class ClientDataSet::Private {
public:
    explicit Private(ClientDataSet *owner) : q(owner) {}

    ClientDataSet *q;
    QString fileName;
    State state = State::Inactive;
    bool changed = false;
    TableData table;
    /// The records in the order of the file, new records where they were inserted.
    std::vector<RecordId> fileOrder;

    std::vector<std::unique_ptr<Index>> indexes;
    std::unique_ptr<Index> fieldListIndex;
    QString indexName;
    QString indexFieldNames;
    /// The current order; none means the file order.
    Index *order = nullptr;

    QString filterText;
    bool filtered = false;
    bool filterCaseInsensitive = true;
    bool filterPartialCompare = true;
    std::unique_ptr<filter::FilterCondition> condition;

    std::vector<RecordId> view;
    int current = -1;
    bool bof = true;
    bool eof = true;

    QVector<QVariant> buffer;
    RecordId editId = kNoRecord;
    /// The record a new one was inserted before, for its place in the file order.
    RecordId insertAnchor = kNoRecord;
    bool modified = false;

    DataSetError error(const QString &message) const
    {
        return DataSetError(q->objectName(), message);
    }
    void requireActive() const
    {
        if (state == State::Inactive)
            throw error(QStringLiteral("Cannot perform this operation on a closed dataset"));
    }
    void requireField(int field) const
    {
        if (field < 0 || field >= table.fieldCount())
            throw error(QStringLiteral("Field index %1 out of range").arg(field));
    }
    bool editing() const { return state == State::Edit || state == State::Insert; }
    /// Drops the edit buffer and returns to browsing; the caller tells the grid.
    void leaveEditing()
    {
        buffer.clear();
        editId = kNoRecord;
        insertAnchor = kNoRecord;
        modified = false;
        state = State::Browse;
    }

    Index *findIndex(const QString &name) const
    {
        for (const auto &index : indexes) {
            if (index->definition().name.compare(name, Qt::CaseInsensitive) == 0)
                return index.get();
        }
        return nullptr;
    }
    std::vector<Index *> builtIndexes() const
    {
        std::vector<Index *> built;
        for (const auto &index : indexes) {
            if (index->built())
                built.push_back(index.get());
        }
        if (fieldListIndex)
            built.push_back(fieldListIndex.get());
        return built;
    }

    std::unique_ptr<filter::FilterCondition> compile(const QString &text, const TableData &data,
                                                     bool caseInsensitive, bool partial) const
    {
        const QString point = QLocale::system().decimalPoint();
        const filter::FilterOptions options{caseInsensitive, partial,
                                            point.isEmpty() ? QLatin1Char('.') : point.front()};
        return filter::compileFilter(text, data, options, q->objectName());
    }

    /// Validates a filter text with the given options and, when it is accepted, stores it
    /// and restricts the view to it from its first record; a rejected text changes nothing.
    void applyFilter(const QString &text, bool caseInsensitive, bool partial)
    {
        auto accepted = compile(text, table, caseInsensitive, partial);
        filterText = text;
        filterCaseInsensitive = caseInsensitive;
        filterPartialCompare = partial;
        condition = std::move(accepted);
        rebuildView();
        announceReset(kNoRecord);
    }

    bool passes(RecordId id) const { return !condition || condition->matches(table, id); }
    const std::vector<RecordId> &orderedRecords() const { return order ? order->ids() : fileOrder; }
    void rebuildView()
    {
        view.clear();
        const std::vector<RecordId> &records = orderedRecords();
        if (!condition) {
            view = records;
            return;
        }
        for (RecordId id : records) {
            if (condition->matches(table, id))
                view.push_back(id);
        }
    }
    int clampedRow(int row) const
    {
        return view.empty() ? -1 : std::min(row, int(view.size()) - 1);
    }
    void moveTo(int row)
    {
        if (row == current)
            return;
        current = row;
        emit q->currentRowChanged(row);
    }
    void setState(State s)
    {
        if (s == state)
            return;
        state = s;
        emit q->stateChanged(s);
    }
    /// After the view was rebuilt: the record stays current when it is still in the view,
    /// otherwise the first record is.
    void announceReset(RecordId keep)
    {
        const auto it = keep == kNoRecord ? view.end() : std::find(view.begin(), view.end(), keep);
        current = it != view.end() ? int(it - view.begin()) : (view.empty() ? -1 : 0);
        bof = it == view.end();
        eof = view.empty();
        emit q->viewReset();
        emit q->currentRowChanged(current);
    }
    RecordId currentRecord() const { return current >= 0 ? view[current] : kNoRecord; }
    void first()
    {
        moveTo(view.empty() ? -1 : 0);
        bof = true;
        eof = view.empty();
    }
    Index *resolveOrder(const TableData &data)
    {
        if (!indexName.isEmpty()) {
            Index *index = findIndex(indexName);
            if (!index)
                throw error(QStringLiteral("Index '%1' not found").arg(indexName));
            if (!index->built())
                index->build(data, fileOrder, q->objectName());
            return index;
        }
        if (!indexFieldNames.isEmpty()) {
            auto index = std::make_unique<Index>(IndexDefinition{{}, indexFieldNames});
            index->build(data, fileOrder, q->objectName());
            fieldListIndex = std::move(index);
            return fieldListIndex.get();
        }
        return nullptr;
    }
    void releaseIndexes()
    {
        for (const auto &index : indexes)
            index->release();
        fieldListIndex.reset();
        order = nullptr;
    }

    void activate(TableData data);
    void writeBack();
    void postEdit();
    void postInsert();
    void startInsert(int row, RecordId anchor);
    /// Moves the record in editing from one view row to another (or out of the view when it
    /// no longer passes the filter) and tells the grid.
    void announcePosted(int from, int to, RecordId id);
};

void ClientDataSet::Private::activate(TableData data)
{
    // Everything that can fail is done before the dataset takes the table, so a failure
    // leaves it closed and as it was.
    fileOrder.clear();
    fileOrder.reserve(data.liveCount());
    for (RecordId id = 0; id < data.idCount(); ++id) {
        if (!data.isDeleted(id))
            fileOrder.push_back(id);
    }
    try {
        condition = filtered
                        ? compile(filterText, data, filterCaseInsensitive, filterPartialCompare)
                        : nullptr;
        order = resolveOrder(data);
    } catch (...) {
        releaseIndexes();
        condition.reset();
        fileOrder = {};
        throw;
    }
    table = std::move(data);
    changed = false;
    rebuildView();
    state = State::Browse;
    announceReset(kNoRecord);
    emit q->stateChanged(state);
}

void ClientDataSet::Private::writeBack()
{
    const packet::PacketForm form = packet::formForFileName(fileName);
    // The packet holds the records in id order; after an insertion in the file order the
    // table is written from a copy in that order.
    const bool inIdOrder = std::is_sorted(fileOrder.begin(), fileOrder.end());
    const QByteArray bytes = inIdOrder ? packet::writePacket(table, form)
                                       : packet::writePacket(table.copyInOrder(fileOrder), form);
    DataFile::write(fileName, bytes);
}

void ClientDataSet::Private::announcePosted(int from, int to, RecordId id)
{
    if (to < 0) {
        view.erase(view.begin() + from);
        current = clampedRow(from);
        emit q->rowRemoved(from);
        emit q->currentRowChanged(current);
        return;
    }
    if (from == to) {
        view[from] = id;
        emit q->rowChanged(from);
        return;
    }
    // Each signal follows its own change, so the view's size matches what it announces.
    view.erase(view.begin() + from);
    emit q->rowRemoved(from);
    view.insert(view.begin() + to, id);
    current = to;
    emit q->rowInserted(to);
    emit q->currentRowChanged(to);
}

void ClientDataSet::Private::postEdit()
{
    const RecordId id = editId;
    const RecordKey key{&table, id, &buffer};
    const std::vector<Index *> built = builtIndexes();
    for (Index *index : built) {
        if (index->conflict(key))
            throw Error(index->violationText(key));
    }
    // Every place is found while the table still holds the old values, so each sorted
    // sequence is searched as it stands.
    std::vector<std::pair<std::size_t, std::size_t>> moves;
    for (Index *index : built) {
        const std::size_t from = index->positionOf(table, id);
        const std::size_t at = index->insertionPoint(index->ids(), key);
        moves.emplace_back(from, at > from ? at - 1 : at);
    }
    const int from = current;
    int to = from;
    if (order) {
        const int at = int(order->insertionPoint(view, key));
        to = at > from ? at - 1 : at;
    }
    for (int field = 0; field < table.fieldCount(); ++field) {
        if (table.value(id, field) != buffer[field])
            (void)table.setValue(id, field, buffer[field]);
    }
    for (std::size_t i = 0; i < built.size(); ++i)
        built[i]->move(moves[i].first, moves[i].second);
    changed = true;
    leaveEditing();
    announcePosted(from, passes(id) ? to : -1, id);
    emit q->stateChanged(state);
}

void ClientDataSet::Private::postInsert()
{
    const RecordId id = table.idCount();
    const RecordKey key{&table, id, &buffer};
    const std::vector<Index *> built = builtIndexes();
    for (Index *index : built) {
        if (index->conflict(key))
            throw Error(index->violationText(key));
    }
    std::vector<std::size_t> places;
    for (Index *index : built)
        places.push_back(index->insertionPoint(index->ids(), key));
    const int from = current;
    int to = from;
    if (order) {
        // The new record's own row holds no stored record, so the rows before and after it
        // are searched apart.
        const auto row = view.cbegin() + from;
        const std::size_t before = order->insertionPoint(view.cbegin(), row, key);
        to = before < std::size_t(from)
                 ? int(before)
                 : from + int(order->insertionPoint(row + 1, view.cend(), key));
    }
    const RecordId stored = table.appendRecord();
    Q_ASSERT(stored == id);
    for (int field = 0; field < table.fieldCount(); ++field) {
        if (!buffer[field].isNull())
            (void)table.setValue(id, field, buffer[field]);
    }
    for (std::size_t i = 0; i < built.size(); ++i)
        built[i]->insertAt(places[i], id);
    const auto anchor = insertAnchor == kNoRecord
                            ? fileOrder.end()
                            : std::find(fileOrder.begin(), fileOrder.end(), insertAnchor);
    fileOrder.insert(anchor, id);
    changed = true;
    leaveEditing();
    announcePosted(from, passes(id) ? to : -1, id);
    emit q->stateChanged(state);
}

void ClientDataSet::Private::startInsert(int row, RecordId anchor)
{
    buffer = QVector<QVariant>(table.fieldCount());
    editId = kPendingRecord;
    insertAnchor = anchor;
    modified = false;
    view.insert(view.begin() + row, kPendingRecord);
    current = row;
    bof = eof = false;
    state = State::Insert;
    emit q->rowInserted(row);
    emit q->currentRowChanged(row);
    emit q->stateChanged(state);
}

ClientDataSet::ClientDataSet(const QString &name, QObject *parent)
    : QObject(parent), d(std::make_unique<Private>(this))
{
    setObjectName(name);
}

ClientDataSet::~ClientDataSet()
{
    // A destructor cannot report; the owner closes first to hear about a failed write-back.
    try {
        close();
    } catch (const Error &e) {
        qCritical("%s", e.what());
    }
}

QString ClientDataSet::fileName() const
{
    return d->fileName;
}

void ClientDataSet::setFileName(const QString &path)
{
    d->fileName = path;
}

void ClientDataSet::open()
{
    if (active())
        return;
    QByteArray bytes = DataFile::read(d->fileName);
    if (bytes.isEmpty())
        throw d->error(QStringLiteral("Missing data provider or data packet"));
    TableData table = packet::readPacket(bytes);
    bytes = QByteArray(); // the file's bytes are not kept while the orders are built
    d->activate(std::move(table));
}

void ClientDataSet::openData(TableData table)
{
    if (active())
        return;
    d->activate(std::move(table));
}

void ClientDataSet::close()
{
    if (!active())
        return;
    cancel();
    if (d->changed && !d->fileName.isEmpty())
        d->writeBack();
    d->table = TableData();
    d->fileOrder = {};
    d->view = {};
    d->releaseIndexes();
    d->condition.reset();
    d->changed = false;
    d->current = -1;
    d->bof = d->eof = true;
    d->state = State::Inactive;
    emit viewReset();
    emit currentRowChanged(-1);
    emit stateChanged(State::Inactive);
}

bool ClientDataSet::active() const
{
    return d->state != State::Inactive;
}

ClientDataSet::State ClientDataSet::state() const
{
    return d->state;
}

bool ClientDataSet::changedSinceOpen() const
{
    return d->changed;
}

int ClientDataSet::fieldCount() const
{
    d->requireActive();
    return d->table.fieldCount();
}

const FieldDef &ClientDataSet::fieldDef(int field) const
{
    d->requireActive();
    d->requireField(field);
    return d->table.fields()[field];
}

int ClientDataSet::findField(const QString &name) const
{
    d->requireActive();
    return d->table.findField(name);
}

int ClientDataSet::fieldIndex(const QString &name) const
{
    const int field = findField(name);
    if (field < 0)
        throw d->error(QStringLiteral("Field '%1' not found").arg(name));
    return field;
}

void ClientDataSet::addIndex(const QString &name, const QString &fields, IndexOptions options)
{
    if (d->findIndex(name))
        throw d->error(QStringLiteral("Duplicate index name '%1'").arg(name));
    d->indexes.push_back(std::make_unique<Index>(
        IndexDefinition{name, fields, options.testFlag(Unique), options.testFlag(CaseInsensitive),
                        options.testFlag(Descending)}));
}

QString ClientDataSet::indexName() const
{
    return d->indexName;
}

void ClientDataSet::setIndexName(const QString &name)
{
    if (!active()) {
        d->indexName = name;
        d->indexFieldNames.clear();
        return;
    }
    checkBrowseMode();
    if (name == d->indexName && d->indexFieldNames.isEmpty())
        return;
    Index *index = nullptr;
    if (!name.isEmpty()) {
        index = d->findIndex(name);
        if (!index)
            throw d->error(QStringLiteral("Index '%1' not found").arg(name));
        if (!index->built())
            index->build(d->table, d->fileOrder, objectName());
    }
    const RecordId keep = d->currentRecord();
    d->order = index;
    d->fieldListIndex.reset();
    d->indexName = name;
    d->indexFieldNames.clear();
    d->rebuildView();
    d->announceReset(keep);
}

QString ClientDataSet::indexFieldNames() const
{
    return d->indexFieldNames;
}

void ClientDataSet::setIndexFieldNames(const QString &fields)
{
    if (!active()) {
        d->indexFieldNames = fields;
        d->indexName.clear();
        return;
    }
    checkBrowseMode();
    if (fields == d->indexFieldNames && d->indexName.isEmpty())
        return;
    std::unique_ptr<Index> index;
    if (!fields.isEmpty()) {
        index = std::make_unique<Index>(IndexDefinition{{}, fields});
        index->build(d->table, d->fileOrder, objectName());
    }
    const RecordId keep = d->currentRecord();
    d->order = index.get();
    d->fieldListIndex = std::move(index);
    d->indexFieldNames = fields;
    d->indexName.clear();
    d->rebuildView();
    d->announceReset(keep);
}

QString ClientDataSet::filter() const
{
    return d->filterText;
}

void ClientDataSet::setFilter(const QString &text)
{
    if (!active() || !d->filtered) {
        d->filterText = text;
        return;
    }
    checkBrowseMode();
    if (text != d->filterText)
        d->applyFilter(text, d->filterCaseInsensitive, d->filterPartialCompare);
    else
        d->first();
}

bool ClientDataSet::filtered() const
{
    return d->filtered;
}

void ClientDataSet::setFiltered(bool on)
{
    if (!active()) {
        d->filtered = on;
        return;
    }
    checkBrowseMode();
    if (on == d->filtered) {
        d->first();
    } else if (on) {
        d->applyFilter(d->filterText, d->filterCaseInsensitive, d->filterPartialCompare);
        d->filtered = true;
    } else {
        d->filtered = false;
        d->condition.reset();
        d->rebuildView();
        d->announceReset(kNoRecord);
    }
}

bool ClientDataSet::filterCaseInsensitive() const
{
    return d->filterCaseInsensitive;
}

void ClientDataSet::setFilterCaseInsensitive(bool on)
{
    if (on == d->filterCaseInsensitive)
        return;
    if (active() && d->filtered) {
        checkBrowseMode();
        d->applyFilter(d->filterText, on, d->filterPartialCompare);
    } else {
        d->filterCaseInsensitive = on;
    }
}

bool ClientDataSet::filterPartialCompare() const
{
    return d->filterPartialCompare;
}

void ClientDataSet::setFilterPartialCompare(bool on)
{
    if (on == d->filterPartialCompare)
        return;
    if (active() && d->filtered) {
        checkBrowseMode();
        d->applyFilter(d->filterText, d->filterCaseInsensitive, on);
    } else {
        d->filterPartialCompare = on;
    }
}

void ClientDataSet::first()
{
    d->requireActive();
    checkBrowseMode();
    d->first();
}

void ClientDataSet::prior()
{
    d->requireActive();
    checkBrowseMode();
    if (d->current > 0) {
        d->moveTo(d->current - 1);
        d->bof = d->eof = false;
    } else {
        d->bof = true;
    }
}

void ClientDataSet::next()
{
    d->requireActive();
    checkBrowseMode();
    if (d->current + 1 < int(d->view.size())) {
        d->moveTo(d->current + 1);
        d->bof = d->eof = false;
    } else {
        d->eof = true;
    }
}

void ClientDataSet::last()
{
    d->requireActive();
    checkBrowseMode();
    d->moveTo(int(d->view.size()) - 1);
    d->eof = true;
    d->bof = d->view.empty();
}

bool ClientDataSet::bof() const
{
    return !active() || d->bof;
}

bool ClientDataSet::eof() const
{
    return !active() || d->eof;
}

int ClientDataSet::recNo() const
{
    d->requireActive();
    return d->current + 1;
}

void ClientDataSet::setRecNo(int recNo)
{
    d->requireActive();
    checkBrowseMode();
    if (d->view.empty())
        return;
    d->moveTo(std::clamp(recNo, 1, int(d->view.size())) - 1);
    d->bof = d->eof = false;
}

int ClientDataSet::recordCount() const
{
    d->requireActive();
    return int(d->view.size());
}

bool ClientDataSet::locate(const QString &field, const QString &text, bool partialKey,
                           bool caseInsensitive)
{
    d->requireActive();
    const int f = fieldIndex(field);
    checkBrowseMode();
    const int found = ValueSearch(text, partialKey, caseInsensitive).firstRow(d->table, d->view, f);
    if (found < 0)
        return false;
    d->moveTo(found);
    d->bof = d->eof = false;
    return true;
}

QVariant ClientDataSet::value(int field) const
{
    d->requireActive();
    d->requireField(field);
    return d->current < 0 ? QVariant() : valueAt(d->current, field);
}

QString ClientDataSet::text(int field) const
{
    return ValueSearch::textOf(value(field));
}

QVariant ClientDataSet::valueAt(int row, int field) const
{
    d->requireActive();
    d->requireField(field);
    if (row < 0 || row >= int(d->view.size()))
        return {};
    const RecordId id = d->view[row];
    if (d->editing() && id == d->editId)
        return d->buffer[field];
    return d->table.value(id, field);
}

RecordId ClientDataSet::recordIdAt(int row) const
{
    d->requireActive();
    if (row < 0 || row >= int(d->view.size()))
        throw Error(QStringLiteral("Record %1 is not in the view").arg(row + 1));
    return d->view[row];
}

QString ClientDataSet::textAt(int row, int field) const
{
    return ValueSearch::textOf(valueAt(row, field));
}

void ClientDataSet::setValue(int field, const QVariant &value)
{
    d->requireActive();
    d->requireField(field);
    const FieldDef &def = d->table.fields()[field];
    QVariant converted = value;
    // An empty text clears a field of another type, as clearing a grid cell does.
    if (def.type != FieldType::String && value.typeId() == QMetaType::QString &&
        value.toString().isEmpty())
        converted = QVariant();
    if (!converted.isNull() && !TableData::convertValue(def.type, converted))
        throw Error(QStringLiteral("'%1' is not a valid value for field '%2'")
                        .arg(value.toString(), def.name));
    if (!d->editing())
        edit();
    d->buffer[field] = converted;
    d->modified = true;
    emit rowChanged(d->current);
}

void ClientDataSet::edit()
{
    d->requireActive();
    if (d->editing())
        return;
    if (d->view.empty()) {
        append();
        return;
    }
    d->editId = d->view[d->current];
    d->buffer = QVector<QVariant>(d->table.fieldCount());
    for (int field = 0; field < d->table.fieldCount(); ++field)
        d->buffer[field] = d->table.value(d->editId, field);
    d->modified = false;
    d->setState(State::Edit);
}

void ClientDataSet::insert()
{
    d->requireActive();
    checkBrowseMode();
    const int row = std::max(d->current, 0);
    d->startInsert(row, row < int(d->view.size()) ? d->view[row] : kNoRecord);
}

void ClientDataSet::append()
{
    d->requireActive();
    checkBrowseMode();
    d->startInsert(int(d->view.size()), kNoRecord);
}

void ClientDataSet::post()
{
    d->requireActive();
    if (d->state == State::Edit)
        d->postEdit();
    else if (d->state == State::Insert)
        d->postInsert();
    else
        return;
    emit afterPost();
}

void ClientDataSet::cancel()
{
    if (d->state == State::Edit) {
        const bool wasModified = d->modified;
        d->leaveEditing();
        if (wasModified)
            emit rowChanged(d->current);
        emit stateChanged(State::Browse);
    } else if (d->state == State::Insert) {
        const int row = d->current;
        d->leaveEditing();
        d->view.erase(d->view.begin() + row);
        d->current = d->clampedRow(row);
        emit rowRemoved(row);
        emit currentRowChanged(d->current);
        emit stateChanged(State::Browse);
    }
}

void ClientDataSet::deleteRecord()
{
    d->requireActive();
    if (d->state == State::Insert) {
        cancel();
        return;
    }
    if (d->view.empty())
        throw d->error(QStringLiteral("Cannot perform this operation on an empty dataset"));
    const bool wasEditing = d->state == State::Edit;
    d->leaveEditing();

    const int row = d->current;
    const RecordId id = d->view[row];
    for (Index *index : d->builtIndexes())
        index->removeAt(index->positionOf(d->table, id));
    d->fileOrder.erase(std::find(d->fileOrder.begin(), d->fileOrder.end(), id));
    d->table.remove(id);
    d->view.erase(d->view.begin() + row);
    d->changed = true;
    d->current = d->clampedRow(row);
    emit rowRemoved(row);
    emit currentRowChanged(d->current);
    if (wasEditing)
        emit stateChanged(State::Browse);
}

void ClientDataSet::refresh()
{
    d->requireActive();
    checkBrowseMode();
    throw d->error(d->changed ? QStringLiteral("Must apply updates before refreshing data")
                              : QStringLiteral("Missing data provider or data packet"));
}

bool ClientDataSet::modified() const
{
    return d->modified;
}

void ClientDataSet::checkBrowseMode()
{
    if (!d->editing())
        return;
    if (d->modified)
        post();
    else
        cancel();
}

const TableData &ClientDataSet::data() const
{
    d->requireActive();
    return d->table;
}

} // namespace sorvane
