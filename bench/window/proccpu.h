#pragma once

// A process's CPU time read from /proc, and its line read with a time limit,
// for the benchmarks that measure a window running in a process of its own.

#include <QByteArray>
#include <QDir>
#include <QString>

#include <cstdio>
#include <cstring>
#include <poll.h>
#include <sys/types.h>
#include <unistd.h>

// CPU time of every thread of the process so far, in ns: the scheduler's
// own account where the kernel keeps one, else utime + stime in ticks.
inline double processCpuNs(pid_t pid)
{
    double ns = 0;
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString &tid : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        FILE *f = std::fopen(qPrintable(tasks.filePath(tid) + QStringLiteral("/schedstat")), "r");
        unsigned long long run = 0;
        const bool ok = f && std::fscanf(f, "%llu", &run) == 1;
        if (f)
            std::fclose(f);
        if (!ok) {
            ns = -1;
            break;
        }
        ns += double(run);
    }
    if (ns >= 0)
        return ns;
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%d/stat", int(pid));
    FILE *f = std::fopen(path, "r");
    char buf[1024] = {};
    const size_t n = f ? std::fread(buf, 1, sizeof buf - 1, f) : 0;
    if (f)
        std::fclose(f);
    buf[n] = '\0';
    // Fields 14 and 15, counted after the command name's closing bracket.
    const char *p = std::strrchr(buf, ')');
    unsigned long long ut = 0, st = 0;
    if (!p || std::sscanf(p + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &ut, &st) != 2)
        return 0;
    return double(ut + st) * 1e9 / double(sysconf(_SC_CLK_TCK));
}

// Reads until `want` bytes came or nothing came for timeoutMs.
inline int readBytes(int fd, int want, int timeoutMs, QByteArray *into = nullptr)
{
    int got = 0;
    char buf[64];
    while (got < want) {
        pollfd pf{fd, POLLIN, 0};
        if (::poll(&pf, 1, timeoutMs) <= 0)
            break;
        const ssize_t r = ::read(fd, buf, sizeof buf);
        if (r <= 0)
            break;
        got += int(r);
        if (into)
            into->append(buf, int(r));
    }
    return got;
}

inline QByteArray readText(int fd, int want, int timeoutMs)
{
    QByteArray got;
    readBytes(fd, want, timeoutMs, &got);
    return got;
}
