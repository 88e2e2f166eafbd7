#pragma once

#include "dataset/Field.h"

#include <QStringView>
#include <QVariant>
#include <cstdint>
#include <vector>

namespace sorvane {

/// Stable identity of a record inside one TableData; ids are never reused while it lives.
using RecordId = std::uint32_t;

/// The records of one table in column form: per text field one character arena with
/// offsets, so a million records cost two allocations per field, not a million. Deleting a
/// record leaves a tombstone; ids stay valid.
class TableData {
public:
    TableData() = default;
    explicit TableData(FieldDefs fields);

    const FieldDefs &fields() const { return m_fields; }
    int fieldCount() const { return int(m_fields.size()); }
    /// The field's index, names compared without regard to case; -1 when there is none.
    int findField(QStringView name) const;

    /// Ids handed out so far, deleted ones included: valid ids are 0 … idCount() − 1.
    RecordId idCount() const { return m_idCount; }
    /// Records that are not deleted.
    RecordId liveCount() const { return m_idCount - m_deletedCount; }

    void reserve(RecordId records, std::size_t charsPerTextField = 0);
    /// A new record with every field null.
    RecordId appendRecord();
    void remove(RecordId id);
    bool isDeleted(RecordId id) const { return m_deleted[id] != 0; }

    bool isNull(RecordId id, int field) const;
    /// A text field's value; empty for null. Valid until the field is next changed.
    QStringView text(RecordId id, int field) const;
    /// Asks the processor to fetch a text value's characters ahead of their use: a walk in
    /// an order other than id order reads them from all over the arena.
    void prefetchText(RecordId id, int field) const { __builtin_prefetch(text(id, field).data()); }
    /// The value in the field's own type; a null QVariant for null.
    QVariant value(RecordId id, int field) const;

    /// Stores a text field's value (no conversion: the field must be a text field).
    void setText(RecordId id, int field, QStringView text);
    /// Stores a value converted to the field's type; a null QVariant stores null. Returns
    /// false, changing nothing, when the value cannot be converted.
    [[nodiscard]] bool setValue(RecordId id, int field, const QVariant &value);
    void setNull(RecordId id, int field);

    /// Converts a value to a field type's own form, as setValue() stores it; false, with
    /// the value unusable, when it cannot be converted.
    static bool convertValue(FieldType type, QVariant &value);
    /// A compact copy holding the given live records in the given order, with ids
    /// 0 … n − 1 and no tombstones or replaced texts.
    TableData copyInOrder(const std::vector<RecordId> &ids) const;

private:
    struct TextColumn {
        std::vector<char16_t> chars;
        // 32-bit offsets keep a million records 8 MB smaller; setText() refuses to grow an
        // arena past what they can address.
        std::vector<std::uint32_t> offset;
        std::vector<std::uint32_t> length; // kNull for null
    };
    static constexpr std::uint32_t kNull = 0xFFFFFFFFu;
    static constexpr std::size_t kMaxArena = 0xFFFFFFFFu;

    FieldDefs m_fields;
    std::vector<int> m_slot; // field → index into m_text or m_other
    std::vector<TextColumn> m_text;
    std::vector<std::vector<QVariant>> m_other;
    std::vector<std::uint8_t> m_deleted;
    RecordId m_idCount = 0;
    RecordId m_deletedCount = 0;
};

} // namespace sorvane
