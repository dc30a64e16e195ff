// The tool's start-up against the bare form's: from the process's start to
// the first turn of its event loop after its window was exposed, the wall
// time, the CPU time (every thread, kernel time included) and the peak
// resident memory.  The bare form (startup/bareform.cpp) is the tool's
// .ui through uic with plain widgets for the two curves, its images and
// sheets, set up and shown, nothing else: what any program showing this
// form pays.  The tool (startup/tool.cpp) is the tool's own main().
//
// The two start in turn, in pairs, the first of a pair alternating, so
// that the host's load weighs on both alike; each figure is the median of
// the pairs' (ZQ_STARTUP_PAIRS, 25 by default), once in the default
// language and once with --lang en.  The platform is QT_QPA_PLATFORM's
// (offscreen when unset).

#include <QByteArray>
#include <QFileInfo>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Start
{
    double wallMs = 0, cpuMs = 0, peakKiB = 0;
    bool ok = false;
};

double nowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

double ms(const timeval &t)
{
    return t.tv_sec * 1e3 + t.tv_usec / 1e3;
}

Start startOnce(const QByteArray &program, const std::vector<QByteArray> &args)
{
    Start s;
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return s;
    const double t0 = nowMs();
    const pid_t pid = fork();
    if (pid == 0) {
        ::close(pipeFds[0]);
        ::setenv("ZQ_FIRST_TURN_FD", QByteArray::number(pipeFds[1]).constData(), 1);
        ::unsetenv("ZQCONFIG_LANG");
        // Qt's warnings are the same on every start.
        const int quiet = ::open("/dev/null", O_WRONLY);
        ::dup2(quiet, 2);
        std::vector<char *> argv{const_cast<char *>(program.constData())};
        for (const QByteArray &a : args)
            argv.push_back(const_cast<char *>(a.constData()));
        argv.push_back(nullptr);
        ::execv(program.constData(), argv.data());
        _exit(127);
    }
    ::close(pipeFds[1]);
    pollfd p{pipeFds[0], POLLIN, 0};
    char byte = 0;
    const bool told = ::poll(&p, 1, 30000) == 1 && ::read(pipeFds[0], &byte, 1) == 1;
    const double wall = nowMs() - t0;
    ::close(pipeFds[0]);
    if (!told)
        ::kill(pid, SIGKILL);
    int status = 0;
    rusage use{};
    ::wait4(pid, &status, 0, &use);
    s.ok = told && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    s.wallMs = wall;
    s.cpuMs = ms(use.ru_utime) + ms(use.ru_stime);
    s.peakKiB = double(use.ru_maxrss);
    return s;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

}  // namespace

int main(int, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QString here = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    const QByteArray tool = (here + QStringLiteral("/zq_startup_tool")).toLocal8Bit();
    const QByteArray bare = (here + QStringLiteral("/zq_startup_bare")).toLocal8Bit();
    const int pairs = qEnvironmentVariableIsSet("ZQ_STARTUP_PAIRS")
                          ? std::max(1, qEnvironmentVariableIntValue("ZQ_STARTUP_PAIRS"))
                          : 25;
    (void)argv;

    struct Language
    {
        const char *name;
        std::vector<QByteArray> args;
    };
    const Language languages[] = {{"Chinese", {}}, {"English", {"--lang", "en"}}};
    for (const Language &lang : languages) {
        // Once each first: the files into the page cache, the font cache.
        if (!startOnce(tool, lang.args).ok || !startOnce(bare, {}).ok) {
            std::printf("start-up: the tool or the bare form did not show its window, nothing measured\n");
            return 1;
        }
        std::vector<double> wall, cpu, peak, toolWall, bareWall, toolCpu, bareCpu, toolPeak, barePeak;
        for (int i = 0; i < pairs; ++i) {
            Start t, b;
            if (i % 2) {
                b = startOnce(bare, {});
                t = startOnce(tool, lang.args);
            } else {
                t = startOnce(tool, lang.args);
                b = startOnce(bare, {});
            }
            if (!t.ok || !b.ok) {
                std::printf("start-up: a start failed, nothing measured\n");
                return 1;
            }
            wall.push_back(t.wallMs / b.wallMs);
            cpu.push_back(t.cpuMs / b.cpuMs);
            peak.push_back(t.peakKiB - b.peakKiB);
            toolWall.push_back(t.wallMs), bareWall.push_back(b.wallMs);
            toolCpu.push_back(t.cpuMs), bareCpu.push_back(b.cpuMs);
            toolPeak.push_back(t.peakKiB), barePeak.push_back(b.peakKiB);
        }
        std::printf(
            "start-up, %s, tool over bare form (median of %d pairs): %.3f x wall (tool %.1f ms, bare form "
            "%.1f ms), %.3f x CPU (%.1f ms, %.1f ms); peak memory %+.2f MiB (%.1f MiB, %.1f MiB)\n",
            lang.name, pairs, median(wall), median(toolWall), median(bareWall), median(cpu), median(toolCpu),
            median(bareCpu), median(peak) / 1024, median(toolPeak) / 1024, median(barePeak) / 1024);
    }
    return 0;
}
