#include "packetframer.h"

#include <climits>
#include <cstring>

using namespace packet;

namespace {

// Whether the n bytes at b can be the start (or all) of a live packet.
bool mayBeLive(const unsigned char *b, int n)
{
    return n <= kLiveLength && b[0] == kMarker && (n <= kTagAt || b[kTagAt] == kServoTag || b[kTagAt] == kReceiverTag);
}

// FE, any byte and a settings code: the most a clean start needs.
constexpr int kCleanStartLength = kCodeAt + 1;

bool isReceiver(const unsigned char *b, int n)
{
    return n == kLiveLength && b[0] == kMarker && b[kTagAt] == kReceiverTag;
}

}  // namespace

// Settings only at a boundary and only while the read awaits the code.  A
// whole one is held with what follows it while that may still be a clean
// start: an answer that lost a byte is completed by the first byte of the
// next packet, and only the bytes after that tell it apart.
bool PacketFramer::mayBeSettings(const unsigned char *b, int n) const
{
    if (inJunk || b[0] != kMarker || (n > kCodeAt && !awaited.takes(settingsReadFlag(b[kCodeAt])))
        || (n > kClosingAt && b[kClosingAt] != kMarker))
        return false;
    const unsigned char *tail = b + kSettingsLength;
    const int m = n - kSettingsLength;
    return m <= 0 || (m <= kCleanStartLength && (mayBeLive(tail, m) || mayBeSettings(tail, m)));
}

// The bytes that show a packet starts here for sure: FE 18 / FE 19, or FE,
// any byte and an awaited settings code.
bool PacketFramer::cleanStart(const unsigned char *b, int n) const
{
    if (n < 2 || b[0] != kMarker)
        return false;
    if (b[kTagAt] == kServoTag || b[kTagAt] == kReceiverTag)
        return mayBeLive(b, n);
    return n > kCodeAt && mayBeSettings(b, n);
}

// The awaited AUX packet, whole or in part, with what follows it so far
// while that may still be a clean start.
bool PacketFramer::mayBeAux(const unsigned char *b, int n) const
{
    if (inJunk || !awaited.takes(kAuxReadFlag) || (n > kAuxTagAt && b[kAuxTagAt] != kAuxTag))
        return false;
    if (n <= kAuxLength)
        return true;
    const unsigned char *tail = b + kAuxLength;
    const int m = n - kAuxLength;
    return mayBeLive(tail, m) || mayBeSettings(tail, m);
}

bool PacketFramer::viable(const unsigned char *b, int n) const
{
    return mayBeLive(b, n) || mayBeSettings(b, n) || mayBeAux(b, n);
}

bool PacketFramer::whole(const unsigned char *b, int n) const
{
    return (n == kLiveLength && mayBeLive(b, n)) || (n == kSettingsLength && mayBeSettings(b, n))
           || (n == kAuxLength && mayBeAux(b, n));
}

void PacketFramer::flushJunk(QVector<FramedChunk> &out)
{
    if (junk == 0)
        return;
    FramedChunk c;
    c.junk = junk;
    out.append(c);
    junk = 0;
}

void PacketFramer::giveUp(int n)
{
    junk = n > INT_MAX - junk ? INT_MAX : junk + n;
    junkTotal += quint64(n);
    inJunk = true;
    // Whatever follows a receiver packet, junk is no clean end.
    pendingTrims = false;
}

// Hands on the first n bytes held as a packet; the rest stays held.
void PacketFramer::emitPacket(int n, QVector<FramedChunk> &out)
{
    FramedChunk c;
    c.packet = true;
    c.afterJunk = inJunk;
    c.bytes = QByteArray(reinterpret_cast<const char *>(buf), n);
    flushJunk(out);
    // A packet right behind a receiver packet that did not start cleanly
    // (an AUX packet: its marks are weak) leaves that one's trims out.
    pendingTrims = false;
    if (n == kSettingsLength)
        awaited.took(settingsReadFlag(buf[kCodeAt]));
    else if (n == kAuxLength)
        awaited.took(kAuxReadFlag);
    else if (!inJunk && isReceiver(buf, n))
        pendingTrims = true, receiver = c.bytes;
    out.append(c);
    len -= n;
    std::memmove(buf, buf + n, size_t(len));
}

void PacketFramer::push(unsigned char c, QVector<FramedChunk> &out)
{
    // Before the push the buffer was viable, so it holds at most 19 bytes.
    buf[len++] = c;
    while (len > 0) {
        if (pendingTrims && cleanStart(buf, len)) {
            FramedChunk t;
            t.trims = true;
            t.bytes = receiver;
            out.append(t);
            pendingTrims = false;
        }
        if (viable(buf, len)) {
            const bool live = mayBeLive(buf, len), settings = mayBeSettings(buf, len);
            if (len == kLiveLength && live)
                emitPacket(len, out);
            else if (len > kSettingsLength && settings && !live
                     && cleanStart(buf + kSettingsLength, len - kSettingsLength))
                emitPacket(kSettingsLength, out);  // what follows is held again
            else if (len > kAuxLength && !live && !settings && cleanStart(buf + kAuxLength, len - kAuxLength))
                emitPacket(kAuxLength, out);  // what follows is held again
            else
                return;
            continue;
        }
        // The last byte ruled out every packet this could have been: a held
        // settings or AUX packet was followed by no clean start, or a longer
        // packet arrived damaged.  Its first byte is junk; the rest may
        // still hold the start of a strong packet.
        giveUp(1);
        --len;
        std::memmove(buf, buf + 1, size_t(len));
    }
}

void PacketFramer::feed(const QByteArray &bytes, const AwaitedAnswers &now, QVector<FramedChunk> &out)
{
    awaited = now;
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    for (int i = 0, n = bytes.size(); i < n; ++i)
        push(p[i], out);
}

// Only a buffer that is exactly a whole packet counts: more bytes behind a
// held-back packet mean a longer one lost bytes on the way, and the start
// of a damaged packet must not be decoded as another kind.
void PacketFramer::expire(const AwaitedAnswers &now, QVector<FramedChunk> &out)
{
    awaited = now;
    if (len > 0 && whole(buf, len))
        emitPacket(len, out);
    else if (len > 0)
        giveUp(len), len = 0;
    if (pendingTrims) {
        FramedChunk t;
        t.trims = true;
        t.bytes = receiver;
        out.append(t);
        pendingTrims = false;
    }
    flushJunk(out);
    inJunk = false;
}
