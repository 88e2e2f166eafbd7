#include "dataset/packet/BinaryPacket.h"

#include "dataset/packet/DamagedPacketError.h"
#include "dataset/packet/Utf8Text.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <QtEndian>
#include <climits>
#include <cstring>
#include <vector>
#include <zlib.h>

namespace sorvane::packet {

namespace {

constexpr char kMagic[8] = {'S', 'R', 'V', 'D', 'I', 'C', 'T', '\0'};
constexpr quint32 kVersion = 1;
constexpr qsizetype kCrcSize = 4;
constexpr qint64 kMsecsPerDay = 86400000;

quint32 crcOf(QByteArrayView bytes)
{
    return quint32(crc32_z(0, reinterpret_cast<const Bytef *>(bytes.data()), bytes.size()));
}

// The bytes each value of a type takes after its null flag; 0 for text (length + bytes).
qsizetype fixedSize(FieldType type)
{
    switch (type) {
    case FieldType::String:
        return 0;
    case FieldType::Boolean:
        return 1;
    case FieldType::Time:
        return 4;
    case FieldType::Integer:
    case FieldType::Float:
    case FieldType::Date:
    case FieldType::DateTime:
        return 8;
    }
    return 0;
}

/// Reads the packet body front to back; every read is checked against the end first.
class ByteCursor {
public:
    explicit ByteCursor(QByteArrayView bytes) : m_p(bytes.data()), m_end(m_p + bytes.size()) {}

    qsizetype left() const { return m_end - m_p; }

    template <typename T> T read()
    {
        need(qsizetype(sizeof(T)));
        const T value = qFromLittleEndian<T>(m_p);
        m_p += sizeof(T);
        return value;
    }

    QByteArrayView take(qsizetype size)
    {
        need(size);
        const QByteArrayView view(m_p, size);
        m_p += size;
        return view;
    }

    void skip(qsizetype size)
    {
        need(size);
        m_p += size;
    }

private:
    void need(qsizetype size) const
    {
        if (size < 0 || size > left())
            throw DamagedPacketError(QStringLiteral("a length reaches beyond the end of the file"));
    }

    const char *m_p;
    const char *m_end;
};

FieldType fieldTypeFromCode(quint8 code)
{
    if (code > quint8(FieldType::DateTime))
        throw DamagedPacketError(QStringLiteral("field type %1 is not known").arg(code));
    return FieldType(code);
}

FieldDefs readFields(ByteCursor &in)
{
    const quint32 count = in.read<quint32>();
    if (count == 0)
        throw DamagedPacketError(QStringLiteral("it defines no fields"));
    // A field takes at least 10 bytes (length, one name byte, type, width).
    if (count > quint64(in.left()) / 10)
        throw DamagedPacketError(QStringLiteral("a length reaches beyond the end of the file"));
    FieldDefs fields;
    fields.reserve(qsizetype(count));
    for (quint32 i = 0; i < count; ++i) {
        const quint32 nameLength = in.read<quint32>();
        const QByteArrayView nameBytes = in.take(qsizetype(nameLength));
        if (nameBytes.isEmpty())
            throw DamagedPacketError(QStringLiteral("a field has no name"));
        if (!Utf8Text::isValid(nameBytes))
            throw DamagedPacketError(QStringLiteral("a field name is not valid UTF-8"));
        FieldDef field;
        field.name = QString::fromUtf8(nameBytes);
        field.type = fieldTypeFromCode(in.read<quint8>());
        const quint32 width = in.read<quint32>();
        if (width > quint32(INT_MAX))
            throw DamagedPacketError(
                QStringLiteral("field \"%1\" has an impossible width").arg(field.name));
        field.width = int(width);
        for (const FieldDef &earlier : fields) {
            if (earlier.name.compare(field.name, Qt::CaseInsensitive) == 0)
                throw DamagedPacketError(
                    QStringLiteral("field \"%1\" is defined twice").arg(field.name));
        }
        fields.append(field);
    }
    return fields;
}

/// What the first pass over the records learns: how much to reserve before the second.
struct RecordsShape {
    std::vector<std::size_t> utf16PerField;
    std::size_t longestText = 0;
};

RecordsShape measureRecords(ByteCursor in, const FieldDefs &fields, quint32 count)
{
    RecordsShape shape;
    shape.utf16PerField.assign(std::size_t(fields.size()), 0);
    for (quint32 r = 0; r < count; ++r) {
        for (qsizetype f = 0; f < fields.size(); ++f) {
            const quint8 flag = in.read<quint8>();
            if (flag > 1)
                throw DamagedPacketError(
                    QStringLiteral("record %1 has a bad null flag").arg(r + 1));
            if (flag == 0)
                continue;
            const FieldType type = fields[f].type;
            if (type != FieldType::String) {
                in.skip(fixedSize(type));
                continue;
            }
            const QByteArrayView text = in.take(qsizetype(in.read<quint32>()));
            const std::size_t units = Utf8Text::utf16Length(text);
            shape.utf16PerField[std::size_t(f)] += units;
            shape.longestText = std::max(shape.longestText, units);
        }
    }
    if (in.left() != 0)
        throw DamagedPacketError(QStringLiteral("there are bytes after the last record"));
    return shape;
}

QVariant readValue(ByteCursor &in, FieldType type, quint32 record)
{
    const auto outOfRange = [record] {
        return DamagedPacketError(
            QStringLiteral("record %1 holds a value out of range").arg(record + 1));
    };
    switch (type) {
    case FieldType::String:
        break;
    case FieldType::Integer:
        return QVariant::fromValue(in.read<qint64>());
    case FieldType::Float: {
        const quint64 bits = in.read<quint64>();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }
    case FieldType::Boolean: {
        const quint8 b = in.read<quint8>();
        if (b > 1)
            throw outOfRange();
        return b == 1;
    }
    case FieldType::Date: {
        const QDate date = QDate::fromJulianDay(in.read<qint64>());
        if (!date.isValid())
            throw outOfRange();
        return date;
    }
    case FieldType::Time: {
        const quint32 msecs = in.read<quint32>();
        if (msecs >= kMsecsPerDay)
            throw outOfRange();
        return QTime::fromMSecsSinceStartOfDay(int(msecs));
    }
    case FieldType::DateTime: {
        const QDateTime dateTime = QDateTime::fromMSecsSinceEpoch(in.read<qint64>(), Qt::UTC);
        if (!dateTime.isValid())
            throw outOfRange();
        return dateTime;
    }
    }
    throw outOfRange();
}

void readRecords(ByteCursor &in, TableData &table, quint32 count, const RecordsShape &shape)
{
    const FieldDefs &fields = table.fields();
    std::size_t mostChars = 0;
    for (std::size_t chars : shape.utf16PerField)
        mostChars = std::max(mostChars, chars);
    table.reserve(count, mostChars);
    std::vector<char16_t> scratch(shape.longestText + 1);
    for (quint32 r = 0; r < count; ++r) {
        const RecordId id = table.appendRecord();
        for (int f = 0; f < fields.size(); ++f) {
            if (in.read<quint8>() == 0)
                continue;
            const FieldType type = fields[f].type;
            if (type == FieldType::String) {
                const QByteArrayView bytes = in.take(qsizetype(in.read<quint32>()));
                const qsizetype units = Utf8Text::decode(bytes, scratch.data());
                if (units < 0)
                    throw DamagedPacketError(
                        QStringLiteral("record %1 holds text that is not valid UTF-8").arg(r + 1));
                table.setText(id, f, QStringView(scratch.data(), units));
            } else if (!table.setValue(id, f, readValue(in, type, r))) {
                throw DamagedPacketError(QStringLiteral("record %1 holds a bad value").arg(r + 1));
            }
        }
    }
}

template <typename T> void appendLittleEndian(QByteArray &out, T value)
{
    char bytes[sizeof(T)];
    qToLittleEndian(value, bytes);
    out.append(bytes, qsizetype(sizeof(T)));
}

void appendText(QByteArray &out, QStringView text)
{
    const qsizetype lengthAt = out.size();
    appendLittleEndian<quint32>(out, 0);
    Utf8Text::append(out, text);
    qToLittleEndian(quint32(out.size() - lengthAt - 4), out.data() + lengthAt);
}

// Writes one non-null value; false when the value cannot be held (an invalid date), which
// the caller writes as null.
bool appendValue(QByteArray &out, const TableData &table, RecordId id, int field)
{
    const FieldType type = table.fields()[field].type;
    if (type == FieldType::String) {
        out.append(char(1));
        appendText(out, table.text(id, field));
        return true;
    }
    const QVariant value = table.value(id, field);
    switch (type) {
    case FieldType::String:
        break;
    case FieldType::Integer:
        out.append(char(1));
        appendLittleEndian<qint64>(out, value.toLongLong());
        return true;
    case FieldType::Float: {
        const double d = value.toDouble();
        quint64 bits;
        std::memcpy(&bits, &d, sizeof bits);
        out.append(char(1));
        appendLittleEndian<quint64>(out, bits);
        return true;
    }
    case FieldType::Boolean:
        out.append(char(1));
        out.append(char(value.toBool() ? 1 : 0));
        return true;
    case FieldType::Date: {
        const QDate date = value.toDate();
        if (!date.isValid())
            return false;
        out.append(char(1));
        appendLittleEndian<qint64>(out, date.toJulianDay());
        return true;
    }
    case FieldType::Time: {
        const QTime time = value.toTime();
        if (!time.isValid())
            return false;
        out.append(char(1));
        appendLittleEndian<quint32>(out, quint32(time.msecsSinceStartOfDay()));
        return true;
    }
    case FieldType::DateTime: {
        const QDateTime dateTime = value.toDateTime();
        if (!dateTime.isValid())
            return false;
        out.append(char(1));
        appendLittleEndian<qint64>(out, dateTime.toMSecsSinceEpoch());
        return true;
    }
    }
    return false;
}

} // namespace

bool BinaryPacket::hasMagic(QByteArrayView bytes)
{
    return bytes.size() >= qsizetype(sizeof kMagic) &&
           std::memcmp(bytes.data(), kMagic, sizeof kMagic) == 0;
}

TableData BinaryPacket::read(QByteArrayView bytes)
{
    if (!hasMagic(bytes))
        throw Error(DamagedPacketError::unknownPacketText());
    if (bytes.size() < qsizetype(sizeof kMagic) + 4 + kCrcSize)
        throw DamagedPacketError(QStringLiteral("the file ends too early"));
    const quint32 version = qFromLittleEndian<quint32>(bytes.data() + sizeof kMagic);
    if (version != kVersion)
        throw DamagedPacketError(
            QStringLiteral("version %1 of the binary form is not known").arg(version));
    const QByteArrayView body = bytes.first(bytes.size() - kCrcSize);
    if (crcOf(body) != qFromLittleEndian<quint32>(bytes.data() + body.size()))
        throw DamagedPacketError(QStringLiteral("its checksum does not match"));

    ByteCursor in(body.sliced(sizeof kMagic + 4));
    TableData table(readFields(in));
    const quint32 count = in.read<quint32>();
    // Each record holds at least one null flag per field.
    if (count > quint64(in.left()) / quint64(table.fieldCount()))
        throw DamagedPacketError(QStringLiteral("a length reaches beyond the end of the file"));
    const RecordsShape shape = measureRecords(in, table.fields(), count);
    readRecords(in, table, count, shape);
    return table;
}

QByteArray BinaryPacket::write(const TableData &table)
{
    QByteArray out;
    out.append(kMagic, sizeof kMagic);
    appendLittleEndian<quint32>(out, kVersion);
    appendLittleEndian<quint32>(out, quint32(table.fieldCount()));
    for (const FieldDef &field : table.fields()) {
        appendText(out, field.name);
        out.append(char(field.type));
        appendLittleEndian<quint32>(out, quint32(std::max(field.width, 0)));
    }
    appendLittleEndian<quint32>(out, table.liveCount());
    for (RecordId id = 0; id < table.idCount(); ++id) {
        if (table.isDeleted(id))
            continue;
        for (int f = 0; f < table.fieldCount(); ++f) {
            if (table.isNull(id, f) || !appendValue(out, table, id, f))
                out.append(char(0));
        }
    }
    appendLittleEndian<quint32>(out, crcOf(out));
    return out;
}

} // namespace sorvane::packet
