#include "common/BenchTable.h"

#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

namespace sorvane::bench {

double medianMs(int runs, const std::function<void()> &action, const std::function<void()> &prepare)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        if (prepare)
            prepare();
        QElapsedTimer timer;
        timer.start();
        action();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void BenchTable::add(const QString &operation, int size, double ours, double sqlite, double target)
{
    m_rows.push_back({operation, size, ours, sqlite, target, false});
}

void BenchTable::addMemory(const QString &operation, int size, double oursMb, double sqliteMb,
                           double target)
{
    m_rows.push_back({operation, size, oursMb, sqliteMb, target, true});
}

void BenchTable::print() const
{
    std::printf("%-44s %9s %12s %12s %7s %7s\n", "operation", "records", "ours", "SQLite", "ratio",
                "target");
    for (const Row &r : m_rows) {
        const char *unit = r.memory ? "MB" : "ms";
        const double ratio = r.sqlite > 0 ? r.ours / r.sqlite : 0;
        std::printf("%-44s %9d %9.2f %s %9.2f %s %7.3f %7.2f %s\n", qPrintable(r.operation), r.size,
                    r.ours, unit, r.sqlite, unit, ratio, r.target,
                    ratio <= r.target ? "" : "MISSED");
    }
    std::fflush(stdout);
}

namespace {

// A field of /proc/self/status in kilobytes ("VmHWM", "VmRSS").
double statusKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray prefix = QByteArray(field) + ':';
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').first().toDouble();
    }
    return 0;
}

} // namespace

double peakMemoryMb(const std::function<void()> &action)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return -1;
    std::fflush(stdout);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        const double before = statusKb("VmRSS");
        action();
        const double peak = (statusKb("VmHWM") - before) / 1024.0;
        (void)!::write(pipeFds[1], &peak, sizeof peak);
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    double peak = -1;
    if (::read(pipeFds[0], &peak, sizeof peak) != sizeof peak)
        peak = -1;
    ::close(pipeFds[0]);
    ::waitpid(child, nullptr, 0);
    return peak;
}

} // namespace sorvane::bench
