#pragma once

#include <QStringList>
#include <vector>

namespace sorvane::tools {

/// What a subcommand is given: its arguments (options taken out) and the options.
struct CommandContext {
    QStringList arguments;
    /// --force: an existing output file may be replaced.
    bool force = false;
    /// --count: only the number of records (filter).
    bool count = false;
    /// --filter EXPR: the view the command works on (report).
    QString filter;
};

/// One subcommand of sorvane-dict. run throws sorvane::Error for every failure; main()
/// prints it and ends with status 2. A new subcommand is one more entry in commands().
struct Command {
    const char *name;
    /// The arguments as the usage text shows them, e.g. "IN OUT".
    const char *arguments;
    int argumentCount;
    void (*run)(const CommandContext &context);
};

const std::vector<Command> &commands();

} // namespace sorvane::tools
