#include "dataset/packet/DataPacket.h"
#include "system/Error.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QStringEncoder>
#include <QTest>
#include <QTime>
#include <limits>

using namespace sorvane;
using namespace sorvane::packet;

Q_DECLARE_METATYPE(sorvane::FieldType)
Q_DECLARE_METATYPE(sorvane::packet::PacketForm)

namespace {

const char *formName(PacketForm form)
{
    return form == PacketForm::Binary ? "binary" : "xml";
}

QByteArray fixture(const char *name)
{
    QFile file(QStringLiteral(SORVANE_TEST_DATA "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", name);
    return file.readAll();
}

// The error text readPacket() throws, or an empty string when it reads the bytes.
QString readError(const QByteArray &bytes)
{
    try {
        readPacket(bytes);
    } catch (const Error &e) {
        return e.message();
    }
    return {};
}

TableData dictionary(const QVector<QPair<QString, QString>> &pairs)
{
    TableData table({{QStringLiteral("Deu"), FieldType::String, 50},
                     {QStringLiteral("Rus"), FieldType::String, 50}});
    for (const auto &[deu, rus] : pairs) {
        const RecordId id = table.appendRecord();
        table.setText(id, 0, deu);
        table.setText(id, 1, rus);
    }
    return table;
}

} // namespace

class PacketTest : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void roundTripKeepsFieldsAndSkipsDeleted_data();
    void roundTripKeepsFieldsAndSkipsDeleted();
    void formForFileName_data();
    void formForFileName();
    void detectForm_data();
    void detectForm();
    void damagedPacketIsRefused_data();
    void damagedPacketIsRefused();
    void xmlEncodings_data();
    void xmlEncodings();
    void xmlUnknownEncodingIsRefused();
    void xmlHandWrittenPacketIsRead();
    void xmlKeepsWhitespaceInAttributes();
    void xmlRefusesWhatItCannotHold_data();
    void xmlRefusesWhatItCannotHold();
};

void PacketTest::roundTrip_data()
{
    QTest::addColumn<PacketForm>("form");
    QTest::addColumn<FieldType>("type");
    QTest::addColumn<QVariant>("value");

    const QVector<QPair<const char *, QPair<FieldType, QVariant>>> cases = {
        {"null text", {FieldType::String, QVariant()}},
        {"empty text", {FieldType::String, QString()}},
        {"blanks around", {FieldType::String, QStringLiteral("  laufen \t")}},
        {"line breaks", {FieldType::String, QStringLiteral("\nerste\r\nzweite\rdritte\n")}},
        {"tabs inside", {FieldType::String, QStringLiteral("a\tb\t\tc")}},
        {"quotes and markup", {FieldType::String, QStringLiteral("\"<a href='x'>&amp;</a>\" &")}},
        {"backslash", {FieldType::String, QStringLiteral("C:\\N \\t")}},
        {"cyrillic with yo and stress",
         {FieldType::String, QStringLiteral("ёлка, за\u0301мок, замо\u0301к, ЁЖ")}},
        {"umlauts and sharp s", {FieldType::String, QStringLiteral("Straße, Ärger, Öl, Übung, ẞ")}},
        {"beyond the basic plane", {FieldType::String, QStringLiteral("\U0001F600 \U00010348")}},
        {"integer", {FieldType::Integer, QVariant::fromValue(qint64(-42))}},
        {"integer max",
         {FieldType::Integer, QVariant::fromValue(std::numeric_limits<qint64>::max())}},
        {"integer min",
         {FieldType::Integer, QVariant::fromValue(std::numeric_limits<qint64>::min())}},
        {"integer null", {FieldType::Integer, QVariant()}},
        {"float", {FieldType::Float, 0.1}},
        {"float huge", {FieldType::Float, -1.7976931348623157e308}},
        {"float tiny", {FieldType::Float, 4.9e-324}},
        {"float infinite", {FieldType::Float, std::numeric_limits<double>::infinity()}},
        {"boolean true", {FieldType::Boolean, true}},
        {"boolean false", {FieldType::Boolean, false}},
        {"date", {FieldType::Date, QDate(2024, 2, 29)}},
        {"date year one", {FieldType::Date, QDate(1, 1, 1)}},
        {"date null", {FieldType::Date, QVariant()}},
        {"time midnight", {FieldType::Time, QTime(0, 0)}},
        {"time last msec", {FieldType::Time, QTime(23, 59, 59, 999)}},
        {"date-time",
         {FieldType::DateTime, QDateTime(QDate(1999, 12, 31), QTime(23, 59, 58, 7), Qt::UTC)}},
        {"date-time before 1970",
         {FieldType::DateTime, QDateTime(QDate(1812, 6, 24), QTime(4, 5, 6), Qt::UTC)}},
    };
    for (PacketForm form : {PacketForm::Binary, PacketForm::Xml}) {
        for (const auto &[name, typed] : cases)
            QTest::addRow("%s: %s", formName(form), name) << form << typed.first << typed.second;
    }
}

void PacketTest::roundTrip()
{
    QFETCH(PacketForm, form);
    QFETCH(FieldType, type);
    QFETCH(QVariant, value);

    TableData table(
        {{QStringLiteral("Wert"), type, 20}, {QStringLiteral("Rus"), FieldType::String, 10}});
    const RecordId id = table.appendRecord();
    QVERIFY(table.setValue(id, 0, value));
    table.setText(id, 1, u"после");

    const QByteArray bytes = writePacket(table, form);
    QCOMPARE(sorvane::packet::detectForm(bytes), form);
    const TableData back = readPacket(bytes);

    QCOMPARE(back.fields(), table.fields());
    QCOMPARE(back.liveCount(), RecordId(1));
    QCOMPARE(back.isNull(0, 0), value.isNull());
    QCOMPARE(back.value(0, 0), table.value(0, 0));
    QCOMPARE(back.text(0, 1), u"после");
}

void PacketTest::roundTripKeepsFieldsAndSkipsDeleted_data()
{
    QTest::addColumn<PacketForm>("form");
    QTest::newRow("binary") << PacketForm::Binary;
    QTest::newRow("xml") << PacketForm::Xml;
}

void PacketTest::roundTripKeepsFieldsAndSkipsDeleted()
{
    QFETCH(PacketForm, form);
    TableData table = dictionary({{"Haus", "дом"}, {"Baum", "дерево"}, {"Straße", "улица"}});
    table.remove(1);
    const TableData back = readPacket(writePacket(table, form));
    QCOMPARE(back.fields(), table.fields());
    QCOMPARE(back.idCount(), RecordId(2));
    QCOMPARE(back.text(0, 0), u"Haus");
    QCOMPARE(back.text(1, 0), u"Straße");
    QCOMPARE(back.text(1, 1), u"улица");

    // A table without records is a packet too.
    const TableData empty = readPacket(writePacket(dictionary({}), form));
    QCOMPARE(empty.fieldCount(), 2);
    QCOMPARE(empty.idCount(), RecordId(0));
}

void PacketTest::formForFileName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<PacketForm>("form");
    QTest::newRow("xml") << "/home/u/words.xml" << PacketForm::Xml;
    QTest::newRow("XML") << "words.XML" << PacketForm::Xml;
    QTest::newRow("Xml, dots before") << "my.words.Xml" << PacketForm::Xml;
    QTest::newRow("db") << "words.db" << PacketForm::Binary;
    QTest::newRow("dbf") << "words.dbf" << PacketForm::Binary;
    QTest::newRow("no extension") << "words" << PacketForm::Binary;
    QTest::newRow("xml directory") << "/data.xml/words" << PacketForm::Binary;
    QTest::newRow("xml inside the name") << "words.xml.bak" << PacketForm::Binary;
}

void PacketTest::formForFileName()
{
    QFETCH(QString, name);
    QFETCH(PacketForm, form);
    QCOMPARE(sorvane::packet::formForFileName(name), form);
}

void PacketTest::detectForm_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("known");
    QTest::addColumn<PacketForm>("form");
    QTest::newRow("magic") << QByteArray("SRVDICT\0\1\0\0\0", 12) << true << PacketForm::Binary;
    QTest::newRow("xml") << QByteArray("<?xml version=\"1.0\"?>") << true << PacketForm::Xml;
    QTest::newRow("bom and blanks")
        << QByteArray("\xEF\xBB\xBF \r\n\t<DATAPACKET") << true << PacketForm::Xml;
    QTest::newRow("utf-16 bom") << QByteArray("\xFF\xFE<\0D\0", 6) << true << PacketForm::Xml;
    QTest::newRow("magic cut short") << QByteArray("SRVDICT") << false << PacketForm::Binary;
    QTest::newRow("text") << QByteArray("Deu\tRus\n") << false << PacketForm::Binary;
    QTest::newRow("blanks only") << QByteArray("  \n") << false << PacketForm::Binary;
    QTest::newRow("empty") << QByteArray() << false << PacketForm::Binary;
}

void PacketTest::detectForm()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, known);
    QFETCH(PacketForm, form);
    if (known) {
        QCOMPARE(sorvane::packet::detectForm(bytes), form);
        return;
    }
    QVERIFY_THROWS_EXCEPTION(Error, sorvane::packet::detectForm(bytes));
    QCOMPARE(readError(bytes), QStringLiteral("The file is not a dictionary data packet"));
}

void PacketTest::damagedPacketIsRefused_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message");
    const QString damaged = QStringLiteral("The data packet is damaged: ");
    QTest::newRow("bad magic") << "bad_magic.db"
                               << "The file is not a dictionary data packet";
    QTest::newRow("truncated") << "truncated.db" << damaged + "its checksum does not match";
    QTest::newRow("too short") << "too_short.db" << damaged + "the file ends too early";
    QTest::newRow("bad crc") << "bad_crc.db" << damaged + "its checksum does not match";
    QTest::newRow("unknown version")
        << "bad_version.db" << damaged + "version 2 of the binary form is not known";
    QTest::newRow("text length beyond the end")
        << "long_text_length.db" << damaged + "a length reaches beyond the end of the file";
    QTest::newRow("record count beyond the end")
        << "huge_record_count.db" << damaged + "a length reaches beyond the end of the file";
    QTest::newRow("field count beyond the end")
        << "huge_field_count.db" << damaged + "a length reaches beyond the end of the file";
    QTest::newRow("bytes after the records")
        << "trailing_bytes.db" << damaged + "there are bytes after the last record";
    QTest::newRow("bad utf-8") << "bad_utf8.db"
                               << damaged + "record 1 holds text that is not valid UTF-8";
    QTest::newRow("unknown type") << "unknown_type.db" << damaged + "field type 9 is not known";
    QTest::newRow("duplicate field")
        << "duplicate_field.db" << damaged + "field \"rus\" is defined twice";
    QTest::newRow("empty field name") << "empty_field_name.db" << damaged + "a field has no name";
    QTest::newRow("no fields") << "no_fields.db" << damaged + "it defines no fields";
    QTest::newRow("bad null flag")
        << "bad_null_flag.db" << damaged + "record 1 has a bad null flag";
    QTest::newRow("time out of range")
        << "bad_time.db" << damaged + "record 1 holds a value out of range";

    QTest::newRow("xml without FIELDS") << "no_fields.xml" << damaged + "line 1: FIELDS is missing";
    QTest::newRow("xml without rows") << "no_rowdata.xml" << damaged + "line 1: ROWDATA is missing";
    QTest::newRow("xml undeclared attribute")
        << "undeclared_field.xml" << damaged + "line 7: a row holds the undeclared field \"Eng\"";
    QTest::newRow("xml with entities")
        << "entity.xml" << damaged + "line 2: a document type declaration is not allowed";
    QTest::newRow("xml with external entity")
        << "external_entity.xml" << damaged + "line 2: a document type declaration is not allowed";
    QTest::newRow("xml cut off") << "truncated.xml"
                                 << damaged + "line 8: Premature end of document.";
    QTest::newRow("xml bad integer")
        << "bad_integer.xml" << damaged + "line 6: field \"Nr\" holds a bad value \"12a\"";
    QTest::newRow("xml unknown type")
        << "unknown_type.xml" << damaged + "line 3: field \"Deu\" has an unknown type \"bin.hex\"";
    QTest::newRow("xml duplicate field")
        << "duplicate_field.xml" << damaged + "line 4: field \"DEU\" is defined twice";
    QTest::newRow("xml text between rows")
        << "stray_text.xml" << damaged + "line 7: there is text outside of the rows";
    QTest::newRow("xml bad utf-8 declared")
        << "bad_utf8.xml" << damaged + "line 6: its text is not valid UTF-8";
}

void PacketTest::damagedPacketIsRefused()
{
    QFETCH(QString, file);
    QFETCH(QString, message);
    QCOMPARE(readError(fixture(file.toLatin1().constData())), message);
}

void PacketTest::xmlEncodings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("rus");

    const QString body =
        QStringLiteral("<DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
                       "<FIELD attrname=\"Deu\" fieldtype=\"string\" WIDTH=\"20\"/>"
                       "<FIELD attrname=\"Rus\" fieldtype=\"string\" WIDTH=\"20\"/>"
                       "</FIELDS><PARAMS/></METADATA><ROWDATA>"
                       "<ROW Deu=\"Igel\" Rus=\"ёжик\"/></ROWDATA></DATAPACKET>");
    const auto encoded = [](const char *encoding, const QString &text,
                            QStringEncoder::Flags flags = QStringEncoder::Flag::Default) {
        QStringEncoder encoder(encoding, flags);
        const QByteArray bytes = encoder.encode(text);
        if (encoder.hasError())
            qFatal("cannot encode as %s", encoding);
        return bytes;
    };
    const QString declaration = QStringLiteral("<?xml version=\"1.0\" encoding=\"%1\"?>\n");

    QTest::newRow("no declaration, UTF-8") << body.toUtf8() << "ёжик";
    QTest::newRow("no declaration, Windows-1251") << encoded("windows-1251", body) << "ёжик";
    QTest::newRow("UTF-8 with byte-order mark")
        << encoded("UTF-8", body, QStringEncoder::Flag::WriteBom) << "ёжик";
    QTest::newRow("UTF-16 with byte-order mark")
        << encoded("UTF-16LE", body, QStringEncoder::Flag::WriteBom) << "ёжик";
    QTest::newRow("declared windows-1251")
        << encoded("windows-1251", declaration.arg("windows-1251") + body) << "ёжик";
    QTest::newRow("declared KOI8-R")
        << encoded("KOI8-R", declaration.arg("KOI8-R") + body) << "ёжик";
    QTest::newRow("declared windows-1251 fixture") << fixture("windows1251.xml") << "ёлка";
}

void PacketTest::xmlEncodings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, rus);
    QCOMPARE(readPacket(bytes).text(0, 1), rus);
}

void PacketTest::xmlUnknownEncodingIsRefused()
{
    QCOMPARE(readError("<?xml version=\"1.0\" encoding=\"x-nowhere\"?><DATAPACKET/>"),
             QStringLiteral("The data packet is damaged: the encoding \"x-nowhere\" is not known"));
}

void PacketTest::xmlHandWrittenPacketIsRead()
{
    const TableData table = readPacket(fixture("handwritten.xml"));
    QCOMPARE(table.fieldCount(), 4);
    QCOMPARE(table.fields()[2], (FieldDef{QStringLiteral("Nr"), FieldType::Integer, 0}));
    QCOMPARE(table.idCount(), RecordId(3));
    QCOMPARE(table.text(0, 0), u"Haus");
    QCOMPARE(table.value(0, 2), QVariant::fromValue(qint64(7)));
    QCOMPARE(table.value(0, 3), QVariant(QDate(2023, 1, 31)));
    QVERIFY(table.isNull(1, 1));
    QVERIFY(!table.isNull(2, 1));
    QCOMPARE(table.text(2, 1), u"");
    QCOMPARE(table.text(1, 0), u"a & b < c");
}

void PacketTest::xmlKeepsWhitespaceInAttributes()
{
    const QByteArray xml = writePacket(dictionary({{"\tvorn", "zwei\nZeilen\r"}}), PacketForm::Xml);
    QVERIFY(xml.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\" "
                           "standalone=\"yes\"?>\n<DATAPACKET Version=\"2.0\">"));
    QVERIFY2(xml.contains("Deu=\"&#9;vorn\" Rus=\"zwei&#10;Zeilen&#13;\""), xml.constData());
}

void PacketTest::xmlRefusesWhatItCannotHold_data()
{
    QTest::addColumn<QString>("fieldName");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("binaryHoldsIt");
    const QString badText = QStringLiteral("The XML form cannot hold the text of field \"Deu\": it "
                                           "contains a character that XML cannot hold");
    QTest::newRow("control character") << "Deu" << QStringLiteral("a\x01\x1F") << badText << true;
    QTest::newRow("U+FFFF") << "Deu" << QString(QChar(0xFFFF)) << badText << true;
    // No UTF-8 holds a lone surrogate either: the binary form writes U+FFFD for it.
    QTest::newRow("lone surrogate") << "Deu" << QString(QChar(0xD800)) << badText << false;
    QTest::newRow("blank in field name")
        << "Deu Wort" << QStringLiteral("x")
        << "The XML form cannot hold the field name \"Deu Wort\"" << true;
}

void PacketTest::xmlRefusesWhatItCannotHold()
{
    QFETCH(QString, fieldName);
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(bool, binaryHoldsIt);
    TableData table({{fieldName, FieldType::String, 10}});
    table.setText(table.appendRecord(), 0, text);
    try {
        writePacket(table, PacketForm::Xml);
        QFAIL("written");
    } catch (const Error &e) {
        QCOMPARE(e.message(), message);
    }
    const TableData back = readPacket(writePacket(table, PacketForm::Binary));
    QCOMPARE(back.text(0, 0) == text, binaryHoldsIt);
}

QTEST_GUILESS_MAIN(PacketTest)
#include "tst_packet.moc"
