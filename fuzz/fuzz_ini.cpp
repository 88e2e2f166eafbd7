// Arbitrary bytes as the content of a settings file: reading every key must give a value or
// the default, and rewriting the file must keep what it does not touch.
#include "system/IniDocument.h"
#include "system/IniFile.h"
#include "system/TextFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

using namespace sorvane;

namespace {

const char *const keys[][2] = {{"START", "CountStart"}, {"START", "LastDate"},
                               {"START", "LastTime"},   {"TABLE", "WT"},
                               {"TABLE", "FontName"},   {"MAIN", "FormWidth"}};

QString settingsPath()
{
    static QTemporaryDir dir;
    return dir.filePath(QStringLiteral("CFG.ini"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    {
        QFile file(settingsPath());
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            abort();
    }

    IniFile ini(settingsPath());
    for (const auto &key : keys) {
        const QString text = ini.readText(key[0], key[1], QString());
        if (text.size() > IniFile::maximumTextLength)
            abort();
        ini.readInteger(key[0], key[1], 0);
        ini.readDate(key[0], key[1], QDate(2000, 1, 1));
        ini.readTime(key[0], key[1], QTime(0, 0));
    }

    // A write changes one key: every other key of the document reads as before.
    const IniDocument before = IniDocument::parse(TextFile::decode(bytes));
    IniDocument after = before;
    const QString written = QStringLiteral("  Wörterbuch \"1\" ");
    if (!after.setValue(QStringLiteral("TABLE"), QStringLiteral("WT"), written))
        abort();
    const IniDocument reread =
        IniDocument::parse(TextFile::decode(TextFile::encode(after.toText())));
    if (reread.value(QStringLiteral("TABLE"), QStringLiteral("WT")) != written)
        abort();
    for (const auto &key : keys) {
        if (QLatin1String(key[1]) != QLatin1String("WT") &&
            reread.value(key[0], key[1]) != before.value(key[0], key[1]))
            abort();
    }
    return 0;
}
