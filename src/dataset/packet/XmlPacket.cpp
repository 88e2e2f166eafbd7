#include "dataset/packet/XmlPacket.h"

#include "dataset/packet/DamagedPacketError.h"
#include "dataset/packet/Utf8Text.h"
#include "dataset/packet/ValueText.h"

#include <QStringDecoder>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace sorvane::packet {

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool hasUtf16Bom(QByteArrayView bytes)
{
    return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}

// The encoding named by the XML declaration, empty when there is no declaration or it
// names none.
// declaration := "<?xml" … "encoding" blanks "=" blanks quote name quote … "?>"
QByteArray declaredEncoding(QByteArrayView bytes)
{
    if (!bytes.startsWith("<?xml"))
        return {};
    const qsizetype end = bytes.indexOf("?>");
    if (end < 0)
        return {};
    const QByteArrayView declaration = bytes.first(end);
    qsizetype i = declaration.indexOf("encoding");
    if (i < 0)
        return {};
    i += 8;
    while (i < declaration.size() && isBlank(declaration[i]))
        ++i;
    if (i >= declaration.size() || declaration[i] != '=')
        return {};
    ++i;
    while (i < declaration.size() && isBlank(declaration[i]))
        ++i;
    if (i >= declaration.size() || (declaration[i] != '"' && declaration[i] != '\''))
        return {};
    const char quote = declaration[i++];
    const qsizetype close = declaration.indexOf(quote, i);
    if (close < 0)
        return {};
    return declaration.sliced(i, close - i).toByteArray();
}

// The document as text when it has to be decoded here: Windows-1251 without a declared
// encoding and invalid UTF-8, or a declared encoding other than UTF-8. A null QString means
// the reader takes the bytes as they are.
QString decodedDocument(QByteArrayView bytes)
{
    if (bytes.startsWith(kUtf8Bom) || hasUtf16Bom(bytes))
        return {};
    const QByteArray encoding = declaredEncoding(bytes);
    const qsizetype badUtf8At = Utf8Text::firstInvalid(bytes);
    if (encoding.compare("UTF-8", Qt::CaseInsensitive) == 0 && badUtf8At >= 0)
        throw DamagedPacketError(QStringLiteral("line %1: its text is not valid UTF-8")
                                     .arg(bytes.first(badUtf8At).count('\n') + 1));
    if (encoding.isEmpty() ? badUtf8At < 0 : encoding.compare("UTF-8", Qt::CaseInsensitive) == 0)
        return {};
    const QByteArray name = encoding.isEmpty() ? QByteArray("windows-1251") : encoding;
    QStringDecoder decoder(name.constData());
    if (!decoder.isValid())
        throw DamagedPacketError(
            QStringLiteral("the encoding \"%1\" is not known").arg(QString::fromLatin1(name)));
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        throw DamagedPacketError(
            QStringLiteral("its text is not valid %1").arg(QString::fromLatin1(name)));
    return text;
}

/// Reads one packet element by element; each method is one rule of its grammar.
class PacketParser {
public:
    explicit PacketParser(const QByteArray &bytes)
    {
        // A packet uses no namespaces; resolving them would only cost time on every row.
        m_xml.setNamespaceProcessing(false);
        const QString text = decodedDocument(bytes);
        if (text.isNull())
            m_xml.addData(bytes);
        else
            m_xml.addData(text);
    }

    // document := prolog DATAPACKET end
    TableData document()
    {
        if (nextElement() != QXmlStreamReader::StartElement || m_xml.name() != u"DATAPACKET")
            fail(QStringLiteral("it does not start with DATAPACKET"));
        TableData table = datapacket();
        while (!m_xml.atEnd()) {
            const QXmlStreamReader::TokenType token = m_xml.readNext();
            if (token == QXmlStreamReader::StartElement ||
                (token == QXmlStreamReader::Characters && !m_xml.isWhitespace()))
                fail(QStringLiteral("there is content after DATAPACKET"));
        }
        checkReader();
        return table;
    }

private:
    // datapacket := <DATAPACKET> metadata rowdata </DATAPACKET>
    TableData datapacket()
    {
        expectStart(u"METADATA");
        TableData table(metadata());
        expectStart(u"ROWDATA");
        rowdata(table);
        return table;
    }

    // metadata := <METADATA> fields [ <PARAMS …/> ] </METADATA>
    FieldDefs metadata()
    {
        expectStart(u"FIELDS");
        FieldDefs fields = fieldList();
        if (nextElement() == QXmlStreamReader::StartElement) {
            if (m_xml.name() != u"PARAMS")
                fail(QStringLiteral("METADATA holds an unknown element %1").arg(m_xml.name()));
            m_xml.skipCurrentElement();
            checkReader();
            expectEnd(u"METADATA");
        }
        return fields;
    }

    // fields := <FIELDS> field { field } </FIELDS>
    FieldDefs fieldList()
    {
        FieldDefs fields;
        while (nextElement() == QXmlStreamReader::StartElement) {
            if (m_xml.name() != u"FIELD")
                fail(QStringLiteral("FIELDS holds an unknown element %1").arg(m_xml.name()));
            fields.append(field(fields));
        }
        if (fields.isEmpty())
            fail(QStringLiteral("it defines no fields"));
        return fields;
    }

    // field := <FIELD attrname="name" fieldtype="type" [WIDTH="n"] />
    FieldDef field(const FieldDefs &earlier)
    {
        const QXmlStreamAttributes attributes = m_xml.attributes();
        FieldDef def;
        def.name = attributes.value(QLatin1String("attrname")).toString();
        if (def.name.isEmpty())
            fail(QStringLiteral("a field has no name"));
        for (const FieldDef &other : earlier) {
            if (other.name.compare(def.name, Qt::CaseInsensitive) == 0)
                fail(QStringLiteral("field \"%1\" is defined twice").arg(def.name));
        }
        if (!ValueText::parseTypeName(attributes.value(QLatin1String("fieldtype")), def.type))
            fail(QStringLiteral("field \"%1\" has an unknown type \"%2\"")
                     .arg(def.name, attributes.value(QLatin1String("fieldtype"))));
        if (attributes.hasAttribute(QLatin1String("WIDTH"))) {
            bool ok = false;
            def.width = attributes.value(QLatin1String("WIDTH")).toInt(&ok);
            if (!ok || def.width < 0)
                fail(QStringLiteral("field \"%1\" has a bad width").arg(def.name));
        }
        expectEnd(u"FIELD");
        return def;
    }

    // rowdata := <ROWDATA> { row } </ROWDATA>
    void rowdata(TableData &table)
    {
        while (nextElement() == QXmlStreamReader::StartElement) {
            if (m_xml.name() != u"ROW")
                fail(QStringLiteral("ROWDATA holds an unknown element %1").arg(m_xml.name()));
            row(table);
        }
        expectEnd(u"DATAPACKET");
    }

    // row := <ROW { fieldname="value" } />
    void row(TableData &table)
    {
        const RecordId id = table.appendRecord();
        const FieldDefs &fields = table.fields();
        for (const QXmlStreamAttribute &attribute : m_xml.attributes()) {
            const QStringView name = attribute.qualifiedName();
            int f = 0;
            while (f < fields.size() && fields[f].name != name)
                ++f;
            if (f == fields.size())
                fail(QStringLiteral("a row holds the undeclared field \"%1\"").arg(name));
            if (fields[f].type == FieldType::String) {
                table.setText(id, f, attribute.value());
                continue;
            }
            const QVariant value = ValueText::parse(attribute.value(), fields[f].type);
            if (value.isNull() || !table.setValue(id, f, value))
                fail(QStringLiteral("field \"%1\" holds a bad value \"%2\"")
                         .arg(fields[f].name, attribute.value()));
        }
        expectEnd(u"ROW");
    }

    // Moves to the next start or end element, passing comments, processing instructions and
    // blanks between elements; refuses text and a document type declaration.
    QXmlStreamReader::TokenType nextElement()
    {
        while (!m_xml.atEnd()) {
            const QXmlStreamReader::TokenType token = m_xml.readNext();
            switch (token) {
            case QXmlStreamReader::StartElement:
            case QXmlStreamReader::EndElement:
                return token;
            case QXmlStreamReader::DTD:
                fail(QStringLiteral("a document type declaration is not allowed"));
            case QXmlStreamReader::Characters:
                if (!m_xml.isWhitespace())
                    fail(QStringLiteral("there is text outside of the rows"));
                break;
            case QXmlStreamReader::EntityReference:
                fail(QStringLiteral("there is text outside of the rows"));
            default:
                break;
            }
        }
        checkReader();
        fail(QStringLiteral("the file ends too early"));
    }

    void expectStart(QStringView name)
    {
        if (nextElement() != QXmlStreamReader::StartElement || m_xml.name() != name)
            fail(QStringLiteral("%1 is missing").arg(name));
    }

    // The end of the element whose content has been read.
    void expectEnd(QStringView element)
    {
        if (nextElement() != QXmlStreamReader::EndElement)
            fail(QStringLiteral("%1 holds an unknown element %2").arg(element, m_xml.name()));
    }

    void checkReader()
    {
        if (m_xml.hasError())
            fail(m_xml.errorString());
    }

    [[noreturn]] void fail(const QString &what)
    {
        // The reader's own error comes first: it is the cause of any symptom seen here.
        const QString detail = m_xml.hasError() ? m_xml.errorString() : what;
        throw DamagedPacketError(QStringLiteral("line %1: %2").arg(m_xml.lineNumber()).arg(detail));
    }

    QXmlStreamReader m_xml;
};

// name := (letter | "_") { letter | digit | "_" | "-" | "." }
bool isXmlName(const QString &name)
{
    if (name.isEmpty() || !(name[0].isLetter() || name[0] == u'_'))
        return false;
    for (const QChar c : name) {
        if (!(c.isLetterOrNumber() || c == u'_' || c == u'-' || c == u'.'))
            return false;
    }
    return true;
}

// XML 1.0 holds no control character but tab and line breaks, no U+FFFE / U+FFFF and no
// lone surrogate.
bool fitsXml(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r')
            return false;
        if (c == 0xFFFE || c == 0xFFFF)
            return false;
        if (QChar::isHighSurrogate(c)) {
            if (i + 1 == text.size() || !QChar::isLowSurrogate(text[i + 1].unicode()))
                return false;
            ++i;
        } else if (QChar::isLowSurrogate(c)) {
            return false;
        }
    }
    return true;
}

} // namespace

bool XmlPacket::looksLikeXml(QByteArrayView bytes)
{
    if (bytes.startsWith(kUtf8Bom))
        bytes = bytes.sliced(kUtf8Bom.size());
    else if (bytes.startsWith("\xFF\xFE"))
        return bytes.sliced(2).startsWith(QByteArrayView("<\0", 2));
    else if (bytes.startsWith("\xFE\xFF"))
        return bytes.sliced(2).startsWith(QByteArrayView("\0<", 2));
    qsizetype i = 0;
    while (i < bytes.size() && isBlank(bytes[i]))
        ++i;
    return i < bytes.size() && bytes[i] == '<';
}

TableData XmlPacket::read(const QByteArray &bytes)
{
    return PacketParser(bytes).document();
}

QByteArray XmlPacket::write(const TableData &table)
{
    const FieldDefs &fields = table.fields();
    for (const FieldDef &field : fields) {
        if (!isXmlName(field.name))
            throw Error(
                QStringLiteral("The XML form cannot hold the field name \"%1\"").arg(field.name));
    }
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(1);
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    xml.writeStartElement(QStringLiteral("DATAPACKET"));
    xml.writeAttribute(QStringLiteral("Version"), QStringLiteral("2.0"));
    xml.writeStartElement(QStringLiteral("METADATA"));
    xml.writeStartElement(QStringLiteral("FIELDS"));
    for (const FieldDef &field : fields) {
        xml.writeEmptyElement(QStringLiteral("FIELD"));
        xml.writeAttribute(QStringLiteral("attrname"), field.name);
        xml.writeAttribute(QStringLiteral("fieldtype"), ValueText::typeName(field.type));
        // Other types ignore a width, but one that was given is kept.
        if (field.type == FieldType::String || field.width != 0)
            xml.writeAttribute(QStringLiteral("WIDTH"), QString::number(field.width));
    }
    xml.writeEndElement();
    xml.writeEmptyElement(QStringLiteral("PARAMS"));
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("ROWDATA"));
    for (RecordId id = 0; id < table.idCount(); ++id) {
        if (table.isDeleted(id))
            continue;
        xml.writeEmptyElement(QStringLiteral("ROW"));
        for (int f = 0; f < fields.size(); ++f) {
            if (table.isNull(id, f))
                continue;
            const QString text = ValueText::fieldText(table, id, f);
            if (!fitsXml(text))
                throw Error(QStringLiteral("The XML form cannot hold the text of field \"%1\": it "
                                           "contains a character that XML cannot hold")
                                .arg(fields[f].name));
            xml.writeAttribute(fields[f].name, text);
        }
    }
    xml.writeEndDocument();
    return out;
}

} // namespace sorvane::packet
