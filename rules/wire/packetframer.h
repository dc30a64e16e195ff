#pragma once

#include "packetformat.h"

#include <QByteArray>
#include <QVector>

// What the framer hands on: a whole packet for decodePacket, or the end of
// a run of junk (bytes given up, only counted), which is answered like an
// unrecognised chunk and never decoded.
struct FramedChunk
{
    QByteArray bytes;        // the packet; empty for junk
    bool packet = false;
    // Found by resynchronising inside junk (only a live packet can be): its
    // bytes may still be junk that happens to carry FE 18 / FE 19, so the
    // window takes its monitor values but not its trims.
    bool afterJunk = false;
    int junk = 0;            // bytes in the run, for a junk chunk
};

// Turns the received byte stream into packets, however the adapter cuts
// it into reads.  Byte by byte, so the pieces do not matter, only whether
// the line went quiet (kQuietMs without a byte) in between.
//
// Marks.  A live packet is marked strongly (FE 18 or FE 19), a settings
// packet too (FE, one of the eighteen settings codes, and the closing FE:
// a 12-byte FE .. FE with any other code is junk).  The AUX packet is
// marked only by its length and byte 2 (AA), which one byte in 256 of
// noise has.
//
// Where a packet may start:
//  - At a boundary: the first byte after the line was quiet, or the byte
//    right after a whole packet (packets glued into one burst).  Any packet.
//  - Inside junk (after bytes were given up since the boundary), only a
//    live packet, on its FE 18 / FE 19.  A transmitter streaming without
//    waiting for answers thus finds the monitor again at its next live
//    packet.  Settings found there could be junk reaching into the next
//    packet (a junk tail FE xx A5 yy before an AUX packet ending FE reads
//    as one); the transmitter waits for an answer after each settings
//    packet, so one lost this way leaves the read incomplete, and told.
//
// When a packet goes out:
//  - A whole live or settings packet: at once, with no added delay.  A
//    settings packet starting FE 18 / FE 19 is also the start of a live
//    packet; the live packet wins if its bytes keep coming, the quiet time
//    settles on the settings packet.
//  - The AUX packet only when the line goes quiet right after it.  The
//    transmitter waits for an answer after each packet, so a real AUX
//    packet is followed by silence, while junk that looks like an AUX start
//    (00 00 AA) glued before a real packet is followed by that packet's
//    rest.  This costs the quiet time once per read.  An AUX packet led by
//    FE is also the start of a settings packet of code AA: that wins if its
//    bytes keep coming, as before.  The one case no rule can tell apart: a
//    settings packet of code AA that the adapter splits after its byte 8 by
//    more than the quiet time reads as an AUX packet and 4 bytes of junk.
//  - Anything held when the line goes quiet: a whole packet that may start
//    where it starts, else junk.
//
// Answers.  Each packet gets one; a run of junk gets exactly one, when the
// framer resynchronises on a packet (just before it) or when the line goes
// quiet, whichever comes first, however many reads brought it.
//
// Junk yielding packets, measured by the framer benchmark on 2e8 random
// bytes in random bursts of 1..64 with the line quiet between: per byte of
// junk, a live packet 1.5e-5 (FE 18 / FE 19 anywhere; 97 % of them found
// inside junk, so without their trims), a settings packet 2.5e-8 (only at
// a boundary: about 1 in 10^6 bursts), an AUX packet 1.9e-6 (a burst of
// exactly its 8 bytes with AA at byte 2, indistinguishable from a real one).
//
// The buffer never holds more than the longest packet; junk is counted,
// not kept.
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

    // Bytes as they arrived; appends, in order, what is settled now.
    void feed(const QByteArray &bytes, QVector<FramedChunk> &out);
    // No byte arrived for the quiet time: settles everything held.
    void expire(QVector<FramedChunk> &out);
    // True while bytes wait for more or junk waits for its answer (the
    // caller runs the quiet timer).
    bool holding() const { return len > 0 || junk > 0; }
    int held() const { return len; }
    void reset() { len = 0, junk = 0; }

private:
    void push(unsigned char c, QVector<FramedChunk> &out);
    void emitPacket(QVector<FramedChunk> &out);
    void flushJunk(QVector<FramedChunk> &out);

    unsigned char buf[packet::kLongest] = {};
    int len = 0;
    int junk = 0;  // bytes given up since the last answer
};
