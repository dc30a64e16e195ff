#include "statefile.h"

#include "frames.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace zqsim {

namespace {

void setError(std::string *error, const std::string &msg)
{
    if (error)
        *error = msg;
}

constexpr size_t kMaxFileSize = 64 * 1024;

}  // namespace

LoadResult loadSettingsFile(const std::string &path, TransmitterSettings &s, std::string *error)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        setError(error, path + ": " + std::strerror(err));
        return err == ENOENT ? LoadResult::Missing : LoadResult::Invalid;
    }
    std::string raw;
    char chunk[4096];
    for (;;) {
        const ssize_t r = ::read(fd, chunk, sizeof chunk);
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0) {
            setError(error, path + ": " + std::strerror(errno));
            ::close(fd);
            return LoadResult::Invalid;
        }
        if (r == 0)
            break;
        raw.append(chunk, size_t(r));
        if (raw.size() > kMaxFileSize) {
            setError(error, path + ": not a settings file (too large)");
            ::close(fd);
            return LoadResult::Invalid;
        }
    }
    ::close(fd);

    std::string text;
    for (char c : raw)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            text += c;
    if (text.empty() || text.size() % size_t(kFrameLength) != 0) {
        setError(error, path + ": not a settings file (expected frames of 81 characters)");
        return LoadResult::Invalid;
    }
    TransmitterSettings t = s;
    for (size_t at = 0; at < text.size(); at += size_t(kFrameLength)) {
        if (!decodeFrame(text.substr(at, kFrameLength), t)) {
            setError(error, path + ": frame " + std::to_string(at / kFrameLength + 1) + " is malformed");
            return LoadResult::Invalid;
        }
    }
    s = t;
    return LoadResult::Loaded;
}

bool saveSettingsFile(const std::string &path, const TransmitterSettings &s, std::string *error)
{
    const std::string text = encodeAllFrames(s);
    const std::string tmp = path + ".tmp";
    const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        setError(error, tmp + ": " + std::strerror(errno));
        return false;
    }
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t w = ::write(fd, text.data() + done, text.size() - done);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0) {
            setError(error, tmp + ": " + std::strerror(errno));
            ::close(fd);
            ::unlink(tmp.c_str());
            return false;
        }
        done += size_t(w);
    }
    const bool synced = ::fsync(fd) == 0;
    const int syncErr = errno;
    const bool closed = ::close(fd) == 0;
    if (!synced || !closed) {
        setError(error, tmp + ": " + std::strerror(synced ? errno : syncErr));
        ::unlink(tmp.c_str());
        return false;
    }
    if (std::rename(tmp.c_str(), path.c_str()) != 0) {
        setError(error, path + ": " + std::strerror(errno));
        ::unlink(tmp.c_str());
        return false;
    }
    return true;
}

}  // namespace zqsim
