#include "tools/Commands.h"

#include "dataset/ClientDataSet.h"
#include "dataset/TextReport.h"
#include "dataset/packet/DataPacket.h"
#include "dataset/packet/ValueText.h"
#include "dataset/text/CsvText.h"
#include "dataset/text/TsvText.h"
#include "system/Error.h"
#include "system/TextFile.h"
#include "tools/DictdDictionary.h"
#include "tools/ToolFiles.h"

#include <QFileInfo>
#include <memory>

namespace sorvane::tools {

namespace {

enum class TextForm { Tsv, Csv };

TextForm textFormOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"tsv")
        return TextForm::Tsv;
    if (suffix == u"csv")
        return TextForm::Csv;
    throw Error(QStringLiteral("\"%1\" is neither a .tsv nor a .csv file").arg(path));
}

void writePacketFile(const QString &path, const TableData &table, bool force)
{
    ToolFiles::write(path, packet::writePacket(table, packet::formForFileName(path)), force);
}

// import IN OUT: a TSV or CSV file into a data packet
void importText(const CommandContext &context)
{
    const QString &in = context.arguments[0];
    const TextForm form = textFormOf(in);
    const QByteArray bytes = ToolFiles::read(in);
    const TableData table =
        form == TextForm::Tsv ? text::TsvText::read(bytes) : text::CsvText::read(bytes);
    writePacketFile(context.arguments[1], table, context.force);
}

// export IN OUT: a data packet into a TSV or CSV file
void exportText(const CommandContext &context)
{
    const QString &out = context.arguments[1];
    const TextForm form = textFormOf(out);
    const TableData table = ToolFiles::readPacket(context.arguments[0]);
    ToolFiles::write(
        out, form == TextForm::Tsv ? text::TsvText::write(table) : text::CsvText::write(table),
        context.force);
}

// convert IN OUT: a data packet into the form that OUT's name chooses
void convert(const CommandContext &context)
{
    writePacketFile(context.arguments[1], ToolFiles::readPacket(context.arguments[0]),
                    context.force);
}

// info IN: the form, one line per field and the number of records
void info(const CommandContext &context)
{
    const QByteArray bytes = ToolFiles::readPacketBytes(context.arguments[0]);
    const bool binary = packet::detectForm(bytes) == packet::PacketForm::Binary;
    const TableData table = packet::readPacket(bytes);
    QString text = binary ? QStringLiteral("binary\n") : QStringLiteral("xml\n");
    for (const FieldDef &field : table.fields())
        text += QStringLiteral("%1\t%2\t%3\n")
                    .arg(field.name, packet::ValueText::typeName(field.type))
                    .arg(field.width);
    text += QStringLiteral("records\t%1\n").arg(table.liveCount());
    ToolFiles::writeStdout(text.toUtf8());
}

// import-dictd BASE OUT: a dictd dictionary into a Deu / Rus data packet
void importDictd(const CommandContext &context)
{
    writePacketFile(context.arguments[1], DictdDictionary::read(context.arguments[0]),
                    context.force);
}

// The dictionary named by a path in a dataset named as the program's, so that messages are
// the program's own; opened with filtering off, then filtered by `expression` when given.
std::unique_ptr<ClientDataSet> openDictionary(const QString &path, const QString &expression)
{
    auto dataSet = std::make_unique<ClientDataSet>(QStringLiteral("Table1"));
    dataSet->setFiltered(false);
    dataSet->setFileName(path);
    dataSet->open();
    if (!expression.isNull()) {
        dataSet->setFilter(expression);
        dataSet->setFiltered(true);
    }
    return dataSet;
}

// filter IN EXPR [--count]: the records that pass a filter, as TSV in file order
void filter(const CommandContext &context)
{
    const auto dataSet = openDictionary(context.arguments[0], context.arguments[1]);
    QByteArray out;
    if (context.count) {
        out = QByteArray::number(dataSet->recordCount()) + '\n';
    } else {
        text::TsvText::appendHeader(out, dataSet->data().fields());
        for (int row = 0; row < dataSet->recordCount(); ++row)
            text::TsvText::appendRecord(out, dataSet->data(), dataSet->recordIdAt(row));
    }
    ToolFiles::writeStdout(out);
}

// report IN OUT [--filter EXPR]: the program's text report of the view, columns Deu, Rus
void report(const CommandContext &context)
{
    const auto dataSet = openDictionary(context.arguments[0], context.filter);
    const QString text = TextReport::build(*dataSet, TextReport::allFields(*dataSet));
    ToolFiles::write(context.arguments[1], TextFile::encode(text), context.force);
}

} // namespace

const std::vector<Command> &commands()
{
    static const std::vector<Command> table = {
        {"import", "IN.tsv|IN.csv OUT", 2, importText},
        {"export", "IN OUT.tsv|OUT.csv", 2, exportText},
        {"convert", "IN OUT", 2, convert},
        {"info", "IN", 1, info},
        {"import-dictd", "BASE OUT", 2, importDictd},
        {"filter", "IN EXPR [--count]", 2, filter},
        {"report", "IN OUT [--filter EXPR]", 2, report},
    };
    return table;
}

} // namespace sorvane::tools
