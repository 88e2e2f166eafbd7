// sorvane-dict: makes, converts and inspects dictionary files from the command line.

#include "system/Error.h"
#include "tools/Commands.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

using namespace sorvane;
using namespace sorvane::tools;

namespace {

constexpr int kFailure = 2;

void printUsage()
{
    QByteArray text = "usage: sorvane-dict [--force] COMMAND ARGUMENTS\n";
    for (const Command &command : commands())
        text += QByteArray("  sorvane-dict ") + command.name + ' ' + command.arguments + '\n';
    std::fputs(text.constData(), stderr);
}

const Command *findCommand(const QString &name)
{
    for (const Command &command : commands()) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    CommandContext context;
    context.force = arguments.removeAll(QStringLiteral("--force")) > 0;
    context.count = arguments.removeAll(QStringLiteral("--count")) > 0;
    const qsizetype filterAt = arguments.indexOf(QStringLiteral("--filter"));
    if (filterAt >= 0) {
        if (filterAt + 1 >= arguments.size()) {
            printUsage();
            return kFailure;
        }
        context.filter = arguments.takeAt(filterAt + 1);
        arguments.removeAt(filterAt);
    }
    const Command *command = arguments.isEmpty() ? nullptr : findCommand(arguments.takeFirst());
    if (!command || arguments.size() != command->argumentCount) {
        printUsage();
        return kFailure;
    }
    context.arguments = arguments;
    try {
        command->run(context);
    } catch (const Error &e) {
        std::fprintf(stderr, "sorvane-dict: %s\n", e.what());
        return kFailure;
    }
    return 0;
}
