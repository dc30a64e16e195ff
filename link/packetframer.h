#pragma once

#include <QByteArray>
#include <QVector>

// What the framer hands on: a whole packet for decodePacket, or bytes given
// up as garbage, which are answered like an unrecognised chunk but never
// decoded (a garbage run may happen to look like a packet).
struct FramedChunk
{
    QByteArray bytes;
    bool packet = false;
};

// Turns the received byte stream into packets, however the adapter cuts
// it into reads.  The rules, applied byte by byte so that the pieces do
// not matter:
//  - A buffer that is a whole packet (the lengths and markers decodePacket
//    recognises) and cannot grow into a longer one goes out at once.
//  - A buffer that can still become a packet waits.  That includes a whole
//    packet which is also the start of a longer one: an 8-byte AUX packet
//    starting FE is the start of a settings packet (code AA has the AUX
//    marker at byte 2), and 12 bytes FE 18/19 .. FE are the start of a live
//    packet.  The longer packet wins if its bytes keep coming; a byte that
//    rules it out, or the quiet time, settles on the shorter one.  The
//    transmitter sends one packet and waits for its "WWW", so nothing
//    follows a whole packet within the quiet time but its own rest.
//  - A buffer that cannot become a packet loses its leading bytes up to the
//    first place a packet could start; the bytes so dropped during one
//    read go out as one garbage chunk.
//  - When the quiet time passes, whatever still waits goes out: the
//    longest whole packet at its start, if any, the rest as garbage.
// The buffer never holds more than the longest packet.
class PacketFramer
{
public:
    // USB bridges hold received bytes for up to 16 ms (the common latency
    // timer) before a transfer, a transfer waits for the next 1 ms USB
    // frame, and a 20-byte packet takes 1.7 ms on the wire at 115200 baud.
    // So the rest of a packet follows its first piece within ~19 ms; 25 ms
    // leaves room for scheduling, and stays far below the 100 ms a user
    // would notice on the one packet that waits for it (the AUX packet).
    static constexpr int kQuietMs = 25;
    static constexpr int kLongest = 20;

    // Bytes as they arrived; appends, in order, what is settled now.
    void feed(const QByteArray &bytes, QVector<FramedChunk> &out);
    // No byte arrived for the quiet time: settles everything held.
    void expire(QVector<FramedChunk> &out);
    // True while bytes wait for more (the caller runs the quiet timer).
    bool holding() const { return len > 0; }
    int held() const { return len; }
    void reset() { len = 0; }

private:
    void push(unsigned char c, QByteArray &garbage, QVector<FramedChunk> &out);
    void emitPacket(int n, QByteArray &garbage, QVector<FramedChunk> &out);

    unsigned char buf[kLongest] = {};
    int len = 0;
};
