#include "simhost.h"

#include "statefile.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace zqsim {

namespace {

void setError(std::string *error, const std::string &msg)
{
    if (error)
        *error = msg;
}

std::string errnoText(const std::string &what)
{
    return what + ": " + std::strerror(errno);
}

// Raw bytes at 115200 8N1, nothing echoed or translated.
bool makeRaw(int fd)
{
    termios t{};
    if (::tcgetattr(fd, &t) != 0)
        return false;
    ::cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    ::cfsetispeed(&t, B115200);
    ::cfsetospeed(&t, B115200);
    return ::tcsetattr(fd, TCSANOW, &t) == 0;
}

void closeFd(int &fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

}  // namespace

SimHost::SimHost() : SimHost(Config())
{
}

SimHost::SimHost(Config cfg) : conf(std::move(cfg)), engine(conf.engine, conf.initial)
{
    wireEngine();
}

void SimHost::wireEngine()
{
    engine.onLog = [this](const std::string &m) { log(m); };
    engine.onFrameAccepted = [this](char) { stateDirty = true; };
    engine.onCommand = [this](const std::string &cmd) {
        // Whatever still waits unread on the line belongs to an earlier
        // session; a host that opens or closes the port must not get it.
        if (cmd == "OK" || cmd == "DIS") {
            if (holdFd >= 0)
                ::tcflush(holdFd, TCIFLUSH);
            else if (lineFd >= 0)
                ::tcflush(lineFd, TCOFLUSH);
        }
    };
}

SimHost::~SimHost()
{
    stop();
}

int64_t SimHost::nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void SimHost::log(const std::string &msg)
{
    if (conf.log)
        conf.log(msg);
}

bool SimHost::start(std::string *error)
{
    if (running()) {
        setError(error, "already running");
        return false;
    }
    TransmitterSettings initial;
    if (!loadInitial(initial, error) || !openLine(error))
        return false;

    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) {
        setError(error, errnoText("pipe"));
        closeFd(holdFd);
        closeFd(lineFd);
        return false;
    }
    wakeRd = pipeFds[0];
    wakeWr = pipeFds[1];

    {
        std::lock_guard<std::mutex> lock(mtx);
        engine = SimEngine(conf.engine, initial);
        wireEngine();
    }
    stopping = false;
    cablePulled = false;
    startedMs = nowMs();
    packetsWritten = 0;
    rng = conf.seed ? conf.seed : 1;
    worker = std::thread([this] { run(); });
    return true;
}

bool SimHost::loadInitial(TransmitterSettings &initial, std::string *error)
{
    // A restart keeps what the transmitter had stored, unless a state file says otherwise.
    initial = settings();
    if (conf.statePath.empty())
        return true;
    std::string why;
    switch (loadSettingsFile(conf.statePath, initial, &why)) {
    case LoadResult::Loaded:
        log("settings loaded from " + conf.statePath);
        break;
    case LoadResult::Missing:
        log("no settings file yet; starting from factory settings");
        break;
    case LoadResult::Invalid:
        // Refuse rather than overwrite a file that may be something else.
        setError(error, why);
        return false;
    }
    return true;
}

bool SimHost::openLine(std::string *error)
{
    if (conf.devicePath.empty()) {
        lineFd = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (lineFd < 0) {
            setError(error, errnoText("posix_openpt"));
            return false;
        }
        char name[256];
        if (::grantpt(lineFd) != 0 || ::unlockpt(lineFd) != 0 || ::ptsname_r(lineFd, name, sizeof name) != 0) {
            setError(error, errnoText("pseudo-terminal setup"));
            closeFd(lineFd);
            return false;
        }
        path = name;
        holdFd = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (holdFd < 0 || !makeRaw(holdFd)) {
            setError(error, errnoText(path));
            closeFd(holdFd);
            closeFd(lineFd);
            return false;
        }
    } else {
        path = conf.devicePath;
        lineFd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (lineFd < 0) {
            setError(error, errnoText(path));
            return false;
        }
        if (::isatty(lineFd))
            makeRaw(lineFd);
    }
    ::fcntl(lineFd, F_SETFL, ::fcntl(lineFd, F_GETFL) | O_NONBLOCK);
    return true;
}

void SimHost::stop()
{
    if (!running())
        return;
    stopping = true;
    const char b = 1;
    (void)!::write(wakeWr, &b, 1);
    worker.join();
    closeFd(wakeRd);
    closeFd(wakeWr);
    closeFd(holdFd);
    closeFd(lineFd);
}

TransmitterSettings SimHost::settings() const
{
    std::lock_guard<std::mutex> lock(mtx);
    return engine.settings();
}

void SimHost::setSettings(const TransmitterSettings &s)
{
    std::lock_guard<std::mutex> lock(mtx);
    engine.setSettings(s);
}

SimEngine::Stats SimHost::stats() const
{
    std::lock_guard<std::mutex> lock(mtx);
    return engine.stats();
}

bool SimHost::streaming() const
{
    std::lock_guard<std::mutex> lock(mtx);
    return engine.streaming();
}

bool SimHost::writeAll(const uint8_t *data, size_t n)
{
    size_t done = 0;
    int waits = 0;
    while (done < n) {
        const ssize_t w = ::write(lineFd, data + done, n - done);
        if (w > 0) {
            done += size_t(w);
            continue;
        }
        if (w < 0 && errno == EINTR)
            continue;
        if (w < 0 && errno == EAGAIN && ++waits <= 10 && !stopping) {
            // Nobody reads the line: give it a moment, then drop the packet
            // rather than block the sim for good.
            pollfd p{lineFd, POLLOUT, 0};
            ::poll(&p, 1, 20);
            continue;
        }
        log("line write failed; packet dropped");
        return false;
    }
    return true;
}

void SimHost::writePacket(const Bytes &b)
{
    ++packetsWritten;
    using Delivery = Config::Delivery;
    if (conf.delivery == Delivery::Whole) {
        writeAll(b.data(), b.size());
        return;
    }
    // xorshift32: the same pieces for the same seed, on every platform.
    const auto next = [this] {
        rng ^= rng << 13;
        rng ^= rng >> 17;
        rng ^= rng << 5;
        return rng;
    };
    for (size_t done = 0; done < b.size() && !stopping;) {
        size_t n = 1;
        std::chrono::microseconds gap(87);  // one byte at 115200 baud, 8N1
        if (conf.delivery == Delivery::Pieces) {
            n = size_t(std::max(1, conf.pieceSize));
            gap = std::chrono::microseconds(1000);
        } else if (conf.delivery == Delivery::Random) {
            n = 1 + next() % (b.size() - done);
            gap = std::chrono::microseconds(next() % (uint32_t(std::max(0, conf.maxGapMs)) * 1000 + 1));
        }
        n = std::min(n, b.size() - done);
        if (!writeAll(b.data() + done, n))
            return;
        done += n;
        if (done < b.size())
            std::this_thread::sleep_for(gap);
    }
}

void SimHost::pullCable()
{
    log("cable pulled");
    closeFd(holdFd);
    closeFd(lineFd);
    cablePulled = true;
}

int SimHost::pollTimeout(int64_t now)
{
    int64_t wake;
    {
        std::lock_guard<std::mutex> lock(mtx);
        wake = engine.nextWakeMs();
    }
    int timeout = 1000;
    if (wake >= 0)
        timeout = int(std::clamp<int64_t>(wake - now, 0, 1000));
    if (conf.pullAfterMs > 0)
        timeout = int(std::clamp<int64_t>(startedMs + conf.pullAfterMs - now, 0, timeout));
    return timeout;
}

void SimHost::saveIfChanged()
{
    if (!stateDirty)
        return;
    stateDirty = false;
    if (!conf.statePath.empty()) {
        std::string why;
        if (!saveSettingsFile(conf.statePath, settings(), &why))
            log("could not save settings: " + why);
    }
}

void SimHost::run()
{
    uint8_t buf[4096];
    while (!stopping) {
        pollfd fds[2] = {{lineFd, POLLIN, 0}, {wakeRd, POLLIN, 0}};
        const int n = ::poll(fds, 2, pollTimeout(nowMs()));
        if (stopping)
            break;
        if (n < 0 && errno != EINTR) {
            log(errnoText("poll"));
            break;
        }

        std::vector<Bytes> out;
        const int64_t now = nowMs();
        bool lineDown = false;
        if (n > 0 && (fds[0].revents & (POLLIN | POLLHUP | POLLERR))) {
            const ssize_t r = ::read(lineFd, buf, sizeof buf);
            if (r > 0) {
                std::lock_guard<std::mutex> lock(mtx);
                out = engine.receive(buf, size_t(r), now);
            } else if (r == 0 || (errno != EAGAIN && errno != EINTR)) {
                lineDown = true;  // a device whose other end went away
            }
        }
        if (out.empty()) {
            std::lock_guard<std::mutex> lock(mtx);
            out = engine.tick(now);
        }
        for (const Bytes &b : out)
            writePacket(b);

        saveIfChanged();
        if ((conf.pullAfterMs > 0 && nowMs() - startedMs >= conf.pullAfterMs)
            || (conf.pullAfterPackets > 0 && packetsWritten >= uint64_t(conf.pullAfterPackets))) {
            pullCable();
            break;
        }
        if (lineDown) {
            // Wait for the other end to come back without spinning.
            pollfd w{wakeRd, POLLIN, 0};
            ::poll(&w, 1, 200);
        }
    }
}

}  // namespace zqsim
