#include "dataset/Index.h"

#include "dataset/DataSetError.h"
#include "dataset/DictionaryCollation.h"

#include <QStringList>
#include <algorithm>

namespace sorvane {

Index::Index(IndexDefinition definition) : m_definition(std::move(definition)) {}

void Index::build(const TableData &table, const std::vector<RecordId> &records,
                  const QString &dataSetName)
{
    release();
    std::vector<int> fields;
    std::vector<bool> textField;
    for (const QString &name : m_definition.fields.split(QLatin1Char(';'))) {
        const QString trimmed = name.trimmed();
        const int field = table.findField(trimmed);
        if (field < 0)
            throw DataSetError(dataSetName, QStringLiteral("Field '%1' not found").arg(trimmed));
        fields.push_back(field);
        textField.push_back(table.fields()[field].type == FieldType::String);
    }
    m_fields = std::move(fields);
    m_textField = std::move(textField);

    // Sorting (prefix, id) pairs keeps almost every comparison inside one cache line; the
    // texts are read only where the first eight letters tie.
    // Packed to 12 bytes: at a million records the sort's working copy is the peak of the
    // dataset's memory.
#pragma pack(push, 4)
    struct Entry {
        std::uint64_t prefix;
        RecordId id;
    };
#pragma pack(pop)
    static_assert(sizeof(Entry) == 12);
    std::vector<Entry> entries;
    entries.reserve(records.size());
    for (RecordId id : records)
        entries.push_back({prefix(table, id), id});
    // Integers first, then the texts only within each run of equal prefixes: those runs are
    // short, so each tie costs a few reads of the texts instead of one per sorting pass.
    std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        return a.prefix != b.prefix ? a.prefix < b.prefix : a.id < b.id;
    });
    for (auto run = entries.begin(); run != entries.end();) {
        const std::uint64_t p = run->prefix;
        const auto end =
            std::find_if(run, entries.end(), [p](const Entry &e) { return e.prefix != p; });
        if (end - run > 1) {
            std::sort(run, end, [&](const Entry &a, const Entry &b) {
                return compare({&table, a.id}, {&table, b.id}) < 0;
            });
        }
        run = end;
    }
    if (m_definition.unique) {
        // Identical keys have identical prefixes, so only ties need reading the texts; a
        // case-insensitive key may differ in a letter whose folding the prefix does not share.
        const bool prefixDecides = !m_definition.caseInsensitive;
        for (std::size_t i = 1; i < entries.size(); ++i) {
            if (prefixDecides && entries[i - 1].prefix != entries[i].prefix)
                continue;
            const RecordKey key{&table, entries[i].id};
            if (sameKey({&table, entries[i - 1].id}, key)) {
                throw Error(QStringLiteral("Key violation: index '%1' cannot be built, two "
                                           "records have %2")
                                .arg(m_definition.name, keyDescription(key)));
            }
        }
    }
    m_ids.reserve(entries.size());
    for (const Entry &e : entries)
        m_ids.push_back(e.id);
    m_built = true;
}

void Index::release()
{
    m_ids = {};
    m_built = false;
}

int Index::compareValues(const RecordKey &a, const RecordKey &b) const
{
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const int field = m_fields[i];
        const bool nullA = a.isNull(field), nullB = b.isNull(field);
        if (nullA || nullB) {
            if (nullA != nullB)
                return nullA ? -1 : 1;
            continue;
        }
        int r = 0;
        if (m_textField[i]) {
            r = DictionaryCollation::compare(a.text(field), b.text(field));
        } else {
            const QPartialOrdering o = QVariant::compare(a.value(field), b.value(field));
            r = o == QPartialOrdering::Less ? -1 : (o == QPartialOrdering::Greater ? 1 : 0);
        }
        if (r != 0)
            return r;
    }
    return 0;
}

int Index::compare(const RecordKey &a, const RecordKey &b) const
{
    int r = compareValues(a, b);
    if (r == 0)
        return a.id == b.id ? 0 : (a.id < b.id ? -1 : 1);
    return m_definition.descending ? -r : r;
}

std::uint64_t Index::prefix(const TableData &table, RecordId id) const
{
    if (!m_textField.front())
        return 0;
    const std::uint64_t p = table.isNull(id, m_fields.front())
                                ? 0
                                : DictionaryCollation::sortPrefix(table.text(id, m_fields.front()));
    return m_definition.descending ? ~p : p;
}

bool Index::sameKey(const RecordKey &a, const RecordKey &b) const
{
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const int field = m_fields[i];
        const bool nullA = a.isNull(field), nullB = b.isNull(field);
        if (nullA || nullB) {
            if (nullA != nullB)
                return false;
            continue;
        }
        if (m_textField[i]) {
            const bool same =
                m_definition.caseInsensitive
                    ? DictionaryCollation::equalIgnoringCase(a.text(field), b.text(field))
                    : a.text(field) == b.text(field);
            if (!same)
                return false;
        } else if (a.value(field) != b.value(field)) {
            return false;
        }
    }
    return true;
}

std::size_t Index::insertionPoint(std::vector<RecordId>::const_iterator begin,
                                  std::vector<RecordId>::const_iterator end,
                                  const RecordKey &key) const
{
    const auto it = std::lower_bound(begin, end, key, [&](RecordId id, const RecordKey &k) {
        return compare({k.table, id}, k) < 0;
    });
    return std::size_t(it - begin);
}

std::size_t Index::positionOf(const TableData &table, RecordId id) const
{
    return insertionPoint(m_ids, {&table, id});
}

std::optional<RecordId> Index::conflict(const RecordKey &key) const
{
    if (!m_definition.unique)
        return std::nullopt;
    // Records sharing a key stand next to each other, so the two nearest records on each
    // side of the key's place (one of them may be the record itself) are all to look at.
    const std::size_t at = insertionPoint(m_ids, key);
    const std::size_t from = at >= 2 ? at - 2 : 0;
    const std::size_t to = std::min(m_ids.size(), at + 2);
    for (std::size_t i = from; i < to; ++i) {
        if (m_ids[i] != key.id && sameKey({key.table, m_ids[i]}, key))
            return m_ids[i];
    }
    return std::nullopt;
}

QString Index::violationText(const RecordKey &key) const
{
    return QStringLiteral("Key violation: another record has %1").arg(keyDescription(key));
}

QString Index::keyDescription(const RecordKey &key) const
{
    QStringList parts;
    for (int field : m_fields) {
        const QString value =
            key.isNull(field) ? QStringLiteral("null")
                              : QLatin1Char('\'') + key.value(field).toString() + QLatin1Char('\'');
        parts << key.table->fields()[field].name + QLatin1Char(' ') + value;
    }
    return parts.join(QStringLiteral(" and "));
}

void Index::insertAt(std::size_t position, RecordId id)
{
    m_ids.insert(m_ids.begin() + std::ptrdiff_t(position), id);
}

void Index::removeAt(std::size_t position)
{
    m_ids.erase(m_ids.begin() + std::ptrdiff_t(position));
}

void Index::move(std::size_t from, std::size_t to)
{
    auto begin = m_ids.begin();
    if (from < to)
        std::rotate(begin + std::ptrdiff_t(from), begin + std::ptrdiff_t(from) + 1,
                    begin + std::ptrdiff_t(to) + 1);
    else if (to < from)
        std::rotate(begin + std::ptrdiff_t(to), begin + std::ptrdiff_t(from),
                    begin + std::ptrdiff_t(from) + 1);
}

} // namespace sorvane
