#include "packetframer.h"

#include <climits>
#include <cstring>

using namespace packet;

namespace {

// Whether the n bytes at b can be the start (or all) of each kind; inside
// junk (afterJunk) only a live packet can start.
bool mayBeLive(const unsigned char *b, int n)
{
    return n <= kLiveLength && b[0] == kMarker && (n <= kTagAt || b[kTagAt] == kServoTag || b[kTagAt] == kReceiverTag);
}

bool mayBeSettings(const unsigned char *b, int n, bool afterJunk)
{
    return !afterJunk && n <= kSettingsLength && b[0] == kMarker && (n <= kCodeAt || settingsReadFlag(b[kCodeAt]) != 0)
        && (n <= kClosingAt || b[kClosingAt] == kMarker);
}

bool mayBeAux(const unsigned char *b, int n, bool afterJunk)
{
    return !afterJunk && n <= kAuxLength && (n <= kAuxTagAt || b[kAuxTagAt] == kAuxTag);
}

bool viable(const unsigned char *b, int n, bool afterJunk)
{
    return mayBeLive(b, n) || mayBeSettings(b, n, afterJunk) || mayBeAux(b, n, afterJunk);
}

bool whole(const unsigned char *b, int n, bool afterJunk)
{
    return (n == kLiveLength && mayBeLive(b, n)) || (n == kSettingsLength && mayBeSettings(b, n, afterJunk))
        || (n == kAuxLength && mayBeAux(b, n, afterJunk));
}

// A whole packet that goes out as soon as its last byte is in: a live
// packet, or a settings packet that cannot grow into one.
bool goesOutAtOnce(const unsigned char *b, int n, bool afterJunk)
{
    if (n == kLiveLength)
        return mayBeLive(b, n);
    return n == kSettingsLength && mayBeSettings(b, n, afterJunk) && !mayBeLive(b, n);
}

} // namespace

void PacketFramer::flushJunk(QVector<FramedChunk> &out)
{
    if (junk == 0)
        return;
    FramedChunk c;
    c.junk = junk;
    out.append(c);
    junk = 0;
}

void PacketFramer::emitPacket(QVector<FramedChunk> &out)
{
    FramedChunk c;
    c.packet = true;
    c.afterJunk = junk > 0;
    c.bytes = QByteArray(reinterpret_cast<const char *>(buf), len);
    flushJunk(out);
    out.append(c);
    len = 0;
}

void PacketFramer::push(unsigned char c, QVector<FramedChunk> &out)
{
    // Before the push the buffer was viable, so it holds at most 19 bytes.
    buf[len++] = c;
    while (len > 0) {
        const bool afterJunk = junk > 0;
        if (viable(buf, len, afterJunk)) {
            if (goesOutAtOnce(buf, len, afterJunk))
                emitPacket(out);
            return;
        }
        // The last byte ruled out every packet this could have been: a held
        // AUX packet was followed by more bytes, or a longer packet arrived
        // damaged.  Its first byte is junk; the rest
        // may still hold the start of a strong packet.
        if (junk < INT_MAX)
            ++junk;
        --len;
        std::memmove(buf, buf + 1, size_t(len));
    }
}

void PacketFramer::feed(const QByteArray &bytes, QVector<FramedChunk> &out)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    for (int i = 0, n = bytes.size(); i < n; ++i)
        push(p[i], out);
}

// Only a buffer that is exactly a whole packet counts: more bytes behind a
// held-back packet mean a longer one lost bytes on the way, and the start
// of a damaged packet must not be decoded as another kind.
void PacketFramer::expire(QVector<FramedChunk> &out)
{
    if (len > 0 && whole(buf, len, junk > 0)) {
        emitPacket(out);
    } else {
        junk = len > INT_MAX - junk ? INT_MAX : junk + len;
        len = 0;
    }
    flushJunk(out);
}
