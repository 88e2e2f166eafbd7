#include "dataset/TableData.h"

#include "system/Error.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace sorvane {

namespace {

QMetaType metaTypeOf(FieldType type)
{
    switch (type) {
    case FieldType::String:
        return QMetaType::fromType<QString>();
    case FieldType::Integer:
        return QMetaType::fromType<qint64>();
    case FieldType::Float:
        return QMetaType::fromType<double>();
    case FieldType::Boolean:
        return QMetaType::fromType<bool>();
    case FieldType::Date:
        return QMetaType::fromType<QDate>();
    case FieldType::Time:
        return QMetaType::fromType<QTime>();
    case FieldType::DateTime:
        return QMetaType::fromType<QDateTime>();
    }
    return {};
}

} // namespace

TableData::TableData(FieldDefs fields) : m_fields(std::move(fields))
{
    for (const FieldDef &f : m_fields) {
        if (f.type == FieldType::String) {
            m_slot.push_back(int(m_text.size()));
            m_text.emplace_back();
        } else {
            m_slot.push_back(int(m_other.size()));
            m_other.emplace_back();
        }
    }
}

int TableData::findField(QStringView name) const
{
    for (int i = 0; i < fieldCount(); ++i) {
        if (QStringView(m_fields[i].name).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void TableData::reserve(RecordId records, std::size_t charsPerTextField)
{
    m_deleted.reserve(records);
    for (TextColumn &c : m_text) {
        c.offset.reserve(records);
        c.length.reserve(records);
        c.chars.reserve(charsPerTextField);
    }
    for (auto &c : m_other)
        c.reserve(records);
}

RecordId TableData::appendRecord()
{
    for (TextColumn &c : m_text) {
        c.offset.push_back(std::uint32_t(c.chars.size()));
        c.length.push_back(kNull);
    }
    for (auto &c : m_other)
        c.emplace_back();
    m_deleted.push_back(0);
    return m_idCount++;
}

void TableData::remove(RecordId id)
{
    if (!m_deleted[id]) {
        m_deleted[id] = 1;
        ++m_deletedCount;
    }
}

bool TableData::isNull(RecordId id, int field) const
{
    const int slot = m_slot[field];
    if (m_fields[field].type == FieldType::String)
        return m_text[slot].length[id] == kNull;
    return m_other[slot][id].isNull();
}

QStringView TableData::text(RecordId id, int field) const
{
    const TextColumn &c = m_text[m_slot[field]];
    const std::uint32_t length = c.length[id];
    if (length == kNull || length == 0)
        return {};
    return QStringView(c.chars.data() + c.offset[id], qsizetype(length));
}

QVariant TableData::value(RecordId id, int field) const
{
    if (m_fields[field].type == FieldType::String) {
        if (isNull(id, field))
            return {};
        return text(id, field).toString();
    }
    return m_other[m_slot[field]][id];
}

void TableData::setText(RecordId id, int field, QStringView text)
{
    Q_ASSERT(m_fields[field].type == FieldType::String);
    TextColumn &c = m_text[m_slot[field]];
    // An edit appends the new text; the old characters stay unused until the table is
    // written and loaded again. Edits are one record at a time, so this costs nothing.
    if (c.chars.size() + std::size_t(text.size()) > kMaxArena)
        throw Error(QStringLiteral("The table is too large to hold in memory"));
    c.offset[id] = std::uint32_t(c.chars.size());
    c.length[id] = std::uint32_t(text.size());
    c.chars.insert(c.chars.end(), text.utf16(), text.utf16() + text.size());
}

bool TableData::setValue(RecordId id, int field, const QVariant &value)
{
    if (value.isNull()) {
        setNull(id, field);
        return true;
    }
    QVariant converted = value;
    if (!convertValue(m_fields[field].type, converted))
        return false;
    if (m_fields[field].type == FieldType::String)
        setText(id, field, *static_cast<const QString *>(converted.constData()));
    else
        m_other[m_slot[field]][id] = std::move(converted);
    return true;
}

bool TableData::convertValue(FieldType type, QVariant &value)
{
    if (type == FieldType::String) {
        value = value.toString();
        return true;
    }
    return value.convert(metaTypeOf(type));
}

TableData TableData::copyInOrder(const std::vector<RecordId> &ids) const
{
    TableData copy(m_fields);
    copy.reserve(RecordId(ids.size()));
    for (RecordId id : ids) {
        const RecordId to = copy.appendRecord();
        for (int field = 0; field < fieldCount(); ++field) {
            if (isNull(id, field))
                continue;
            if (m_fields[field].type == FieldType::String)
                copy.setText(to, field, text(id, field));
            else
                copy.m_other[m_slot[field]][to] = m_other[m_slot[field]][id];
        }
    }
    return copy;
}

void TableData::setNull(RecordId id, int field)
{
    if (m_fields[field].type == FieldType::String) {
        TextColumn &c = m_text[m_slot[field]];
        c.length[id] = kNull;
        return;
    }
    m_other[m_slot[field]][id] = QVariant();
}

} // namespace sorvane
