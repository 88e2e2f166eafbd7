#pragma once

#include "dataset/RecordKey.h"

#include <QString>
#include <optional>
#include <vector>

namespace sorvane {

/// What an index is made of: its name (empty for a field-list order), the field list
/// ("Deu" or "Deu;Rus") and its options.
struct IndexDefinition {
    QString name;
    QString fields;
    bool unique = false;
    bool caseInsensitive = false;
    bool descending = false;
};

/// One order of a table: the live record ids sorted by the definition's fields in
/// dictionary order (ties between identical values broken by id, so every record has
/// exactly one place). Built once, then kept up to date one record at a time.
class Index {
public:
    explicit Index(IndexDefinition definition);

    const IndexDefinition &definition() const { return m_definition; }
    bool built() const { return m_built; }

    /// Sorts the given records. Throws DataSetError for a field the table lacks and a
    /// key-violation Error when a unique index would hold one key twice; it then stays
    /// unbuilt.
    void build(const TableData &table, const std::vector<RecordId> &records,
               const QString &dataSetName);
    void release();

    const std::vector<RecordId> &ids() const { return m_ids; }
    /// Negative when a comes before b, zero only for the same record.
    int compare(const RecordKey &a, const RecordKey &b) const;
    /// Where a record with the key's values would stand in a sequence sorted by this index.
    std::size_t insertionPoint(const std::vector<RecordId> &sorted, const RecordKey &key) const
    {
        return insertionPoint(sorted.begin(), sorted.end(), key);
    }
    /// The same within a part of a sorted sequence: the offset from its beginning.
    std::size_t insertionPoint(std::vector<RecordId>::const_iterator begin,
                               std::vector<RecordId>::const_iterator end,
                               const RecordKey &key) const;
    /// The position of a stored record in ids(), by binary search.
    std::size_t positionOf(const TableData &table, RecordId id) const;
    /// A record other than the key's own that has the same unique key; none for a
    /// non-unique index.
    std::optional<RecordId> conflict(const RecordKey &key) const;
    /// The key-violation error for a key, e.g. "Key violation: another record has Deu 'Haus'".
    QString violationText(const RecordKey &key) const;

    void insertAt(std::size_t position, RecordId id);
    void removeAt(std::size_t position);
    /// Moves the entry at from so that it stands at to once it is out of its old place.
    void move(std::size_t from, std::size_t to);

private:
    int compareValues(const RecordKey &a, const RecordKey &b) const;
    bool sameKey(const RecordKey &a, const RecordKey &b) const;
    /// "Deu 'Haus'", or "Deu 'Haus' and Rus 'дом'" for a field list.
    QString keyDescription(const RecordKey &key) const;
    std::uint64_t prefix(const TableData &table, RecordId id) const;

    IndexDefinition m_definition;
    std::vector<int> m_fields;
    std::vector<bool> m_textField;
    std::vector<RecordId> m_ids;
    bool m_built = false;
};

} // namespace sorvane
