#pragma once

#include <QString>
#include <functional>
#include <vector>

namespace sorvane::bench {

/// The median wall time of runs of an action, in milliseconds; prepare runs before each
/// run, outside the timing.
double medianMs(int runs, const std::function<void()> &action,
                const std::function<void()> &prepare = {});

/// The benchmark's output: one row per operation and size with this engine's median, the
/// SQLite median, their ratio and the target ratio.
class BenchTable {
public:
    void add(const QString &operation, int size, double ours, double sqlite, double target);
    /// Memory rows are in megabytes rather than milliseconds.
    void addMemory(const QString &operation, int size, double oursMb, double sqliteMb,
                   double target);
    void print() const;

private:
    struct Row {
        QString operation;
        int size;
        double ours;
        double sqlite;
        double target;
        bool memory;
    };
    std::vector<Row> m_rows;
};

/// Peak resident memory, in megabytes, that an action adds to a fresh process: it runs in
/// a child forked for it, so nothing of the caller's memory counts.
double peakMemoryMb(const std::function<void()> &action);

} // namespace sorvane::bench
