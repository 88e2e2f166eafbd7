#include "dataset/text/CsvText.h"
#include "dataset/text/TsvText.h"
#include "system/Error.h"

#include <QTest>

using namespace sorvane;
using namespace sorvane::text;

namespace {

// The table as one line per record, values between "|", null as "~": short to compare.
QString render(const TableData &table)
{
    QStringList lines;
    QStringList header;
    for (const FieldDef &field : table.fields())
        header.append(QStringLiteral("%1(%2)").arg(field.name).arg(field.width));
    lines.append(header.join(u'|'));
    for (RecordId id = 0; id < table.idCount(); ++id) {
        QStringList values;
        for (int f = 0; f < table.fieldCount(); ++f)
            values.append(table.isNull(id, f) ? QStringLiteral("~") : table.text(id, f).toString());
        lines.append(values.join(u'|'));
    }
    return lines.join(u'\n');
}

TableData readText(bool csv, const QByteArray &bytes)
{
    return csv ? CsvText::read(bytes) : TsvText::read(bytes);
}

} // namespace

class TextTableTest : public QObject {
    Q_OBJECT

private slots:
    void read_data();
    void read();
    void faults_data();
    void faults();
};

void TextTableTest::read_data()
{
    QTest::addColumn<bool>("csv");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("table");

    QTest::newRow("tsv escapes") << false << QByteArray("Deu\tRus\na\\tb\\\\c\t\\r\\n\n")
                                 << "Deu(5)|Rus(2)\na\tb\\c|\r\n";
    QTest::newRow("tsv null and empty")
        << false << QByteArray("Deu\tRus\n\\N\t\n\\\\N\tx\n") << "Deu(2)|Rus(1)\n~|\n\\N|x";
    QTest::newRow("tsv CR LF and no final line end")
        << false << QByteArray("Deu\tRus\r\nHaus\tдом\r\nBaum\tдерево")
        << "Deu(4)|Rus(6)\nHaus|дом\nBaum|дерево";
    QTest::newRow("tsv byte-order mark") << false
                                         << QByteArray("\xEF\xBB\xBF"
                                                       "Deu\nÄrger\n")
                                         << "Deu(5)\nÄrger";
    QTest::newRow("tsv width at least 1")
        << false << QByteArray("Deu\tRus\n\\N\t\n") << "Deu(1)|Rus(1)\n~|";
    QTest::newRow("tsv one field, empty lines")
        << false << QByteArray("Deu\n\n\nx\n") << "Deu(1)\n\n\nx";

    QTest::newRow("csv quoting") << true
                                 << QByteArray(
                                        "Deu,Rus\r\n\"a,b\",\"say \"\"hi\"\"\"\r\n\"x\r\ny\",z\r\n")
                                 << "Deu(4)|Rus(8)\na,b|say \"hi\"\nx\r\ny|z";
    QTest::newRow("csv null and empty")
        << true << QByteArray("Deu,Rus\r\n,\"\"\r\n") << "Deu(1)|Rus(1)\n~|";
    QTest::newRow("csv bare line feeds")
        << true << QByteArray("Deu,Rus\nHaus,дом\n") << "Deu(4)|Rus(3)\nHaus|дом";
    QTest::newRow("csv blanks kept")
        << true << QByteArray("Deu\r\n  a b  \r\n") << "Deu(7)\n  a b  ";
    QTest::newRow("csv no final line end")
        << true << QByteArray("Deu,Rus\r\nx,\"y\"") << "Deu(1)|Rus(1)\nx|y";
}

void TextTableTest::read()
{
    QFETCH(bool, csv);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, table);
    QCOMPARE(render(readText(csv, bytes)), table);
}

void TextTableTest::faults_data()
{
    QTest::addColumn<bool>("csv");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    const QString tsv = QStringLiteral("The TSV file cannot be read: ");
    const QString csv = QStringLiteral("The CSV file cannot be read: ");

    QTest::newRow("tsv empty") << false << QByteArray() << tsv + "the file is empty";
    QTest::newRow("tsv short row") << false << QByteArray("Deu\tRus\nHaus\tдом\nBaum\n")
                                   << tsv + "line 3: 1 values, but the header names 2 fields";
    QTest::newRow("tsv long row") << false << QByteArray("Deu\tRus\na\tb\tc\n")
                                  << tsv + "line 2: 3 values, but the header names 2 fields";
    QTest::newRow("tsv unknown escape")
        << false << QByteArray("Deu\na\\x\n") << tsv + "line 2: unknown escape \"\\x\"";
    QTest::newRow("tsv backslash at the end")
        << false << QByteArray("Deu\na\\\n") << tsv + "line 2: unknown escape \"\\\"";
    QTest::newRow("tsv empty field name")
        << false << QByteArray("Deu\t\n") << tsv + "line 1: field 2 has no name";
    QTest::newRow("tsv null field name")
        << false << QByteArray("\\N\n") << tsv + "line 1: unknown escape \"\\N\"";
    QTest::newRow("tsv repeated field name")
        << false << QByteArray("Deu\tdeu\n") << tsv + "line 1: field \"deu\" is named twice";
    QTest::newRow("tsv bad utf-8") << false
                                   << QByteArray("Deu\nStra\xDF"
                                                 "e\n")
                                   << tsv + "line 2: the text is not valid UTF-8";

    QTest::newRow("csv empty") << true << QByteArray() << csv + "the file is empty";
    QTest::newRow("csv open quote")
        << true << QByteArray("Deu\r\n\"abc\r\n") << csv + "line 3: a quoted value is not closed";
    QTest::newRow("csv text after quote")
        << true << QByteArray("Deu\r\n\"a\"b\r\n") << csv + "line 2: text follows a closing quote";
    QTest::newRow("csv quote inside") << true << QByteArray("Deu\r\na\"b\r\n")
                                      << csv + "line 2: a quote inside an unquoted value";
    QTest::newRow("csv lone carriage return")
        << true << QByteArray("Deu\ra\r\n")
        << csv + "line 1: a carriage return without a line feed";
    QTest::newRow("csv short row") << true << QByteArray("Deu,Rus\r\na\r\n")
                                   << csv + "line 2: 1 values, but the header names 2 fields";
    QTest::newRow("csv empty header")
        << true << QByteArray("\r\na\r\n") << csv + "line 1: field 1 has no name";
}

void TextTableTest::faults()
{
    QFETCH(bool, csv);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    try {
        readText(csv, bytes);
        QFAIL("read");
    } catch (const Error &e) {
        QCOMPARE(e.message(), message);
    }
}

QTEST_GUILESS_MAIN(TextTableTest)
#include "tst_text_table.moc"
