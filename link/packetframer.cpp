#include "packetframer.h"

#include <cstring>

namespace {

// The packets decodePacket recognises, by length and markers.
constexpr int kLive = 20, kSettings = 12, kAux = 8;
constexpr unsigned char kMarker = 0xFE, kServoTag = 0x18, kReceiverTag = 0x19, kAuxTag = 0xAA;

// Whether the n bytes at b can be the start (or all) of each kind.
bool mayBeLive(const unsigned char *b, int n)
{
    return n <= kLive && (n < 1 || b[0] == kMarker) && (n < 2 || b[1] == kServoTag || b[1] == kReceiverTag);
}

bool mayBeSettings(const unsigned char *b, int n)
{
    return n <= kSettings && (n < 1 || b[0] == kMarker) && (n < kSettings || b[11] == kMarker);
}

bool mayBeAux(const unsigned char *b, int n)
{
    return n <= kAux && (n < 3 || b[2] == kAuxTag);
}

bool viable(const unsigned char *b, int n)
{
    return mayBeLive(b, n) || mayBeSettings(b, n) || mayBeAux(b, n);
}

bool whole(const unsigned char *b, int n)
{
    return (n == kLive && mayBeLive(b, n)) || (n == kSettings && mayBeSettings(b, n))
        || (n == kAux && mayBeAux(b, n));
}

// A whole packet that a longer one could still start with.
bool mayGrow(const unsigned char *b, int n)
{
    return (n < kSettings && mayBeSettings(b, n)) || (n < kLive && mayBeLive(b, n));
}

// Length of the longest whole packet the n bytes at b start with; 0 if none.
int wholePrefix(const unsigned char *b, int n)
{
    for (int k : {kLive, kSettings, kAux})
        if (k <= n && whole(b, k))
            return k;
    return 0;
}

void flushGarbage(QByteArray &garbage, QVector<FramedChunk> &out)
{
    if (garbage.isEmpty())
        return;
    out.append(FramedChunk{garbage, false});
    garbage.clear();
}

} // namespace

void PacketFramer::emitPacket(int n, QByteArray &garbage, QVector<FramedChunk> &out)
{
    flushGarbage(garbage, out);
    out.append(FramedChunk{QByteArray(reinterpret_cast<const char *>(buf), n), true});
    len -= n;
    std::memmove(buf, buf + n, size_t(len));
}

void PacketFramer::push(unsigned char c, QByteArray &garbage, QVector<FramedChunk> &out)
{
    // Before the push the buffer was viable, so it holds at most 19 bytes.
    buf[len++] = c;
    while (len > 0) {
        if (viable(buf, len)) {
            if (whole(buf, len) && !mayGrow(buf, len))
                emitPacket(len, garbage, out);
            return;
        }
        // The last byte ruled out every packet this could have been.  A
        // whole packet held back for a longer one goes out if what follows
        // it can start a packet (two packets glued); otherwise the longer
        // packet arrived damaged and its start is not trusted either.
        const int k = wholePrefix(buf, len);
        if (k > 0 && viable(buf + k, len - k)) {
            emitPacket(k, garbage, out);
            continue;
        }
        garbage.append(char(buf[0]));
        --len;
        std::memmove(buf, buf + 1, size_t(len));
    }
}

void PacketFramer::feed(const QByteArray &bytes, QVector<FramedChunk> &out)
{
    QByteArray garbage;
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    for (int i = 0, n = bytes.size(); i < n; ++i)
        push(p[i], garbage, out);
    flushGarbage(garbage, out);
}

// Only a buffer that is exactly a whole packet counts: more bytes behind a
// held-back packet mean a longer one lost bytes on the way, and the start
// of a damaged packet must not be decoded as another kind.
void PacketFramer::expire(QVector<FramedChunk> &out)
{
    if (len == 0)
        return;
    const bool packet = whole(buf, len);
    out.append(FramedChunk{QByteArray(reinterpret_cast<const char *>(buf), len), packet});
    len = 0;
}
