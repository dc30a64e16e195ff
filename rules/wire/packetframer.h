#pragma once

#include "packetformat.h"
#include "readprogress.h"

#include <QByteArray>
#include <QVector>

// What the framer hands on: a whole packet for decodePacket, the end of
// a run of junk (bytes given up, only counted), which is answered like an
// unrecognised chunk and never decoded, or word that a receiver packet
// handed on before ended cleanly, so its trims may be taken.
struct FramedChunk
{
    QByteArray bytes;  // the packet (for `trims`, the receiver packet); empty for junk
    bool packet = false;
    // Found inside junk (bytes were given up since the line was last
    // quiet; only a live packet can be): its bytes may still be junk that
    // happens to carry FE 18 / FE 19, so the window takes its monitor
    // values but never its trims.
    bool afterJunk = false;
    // The receiver packet handed on before was found at a boundary and
    // followed by silence or a clean packet start.  Not answered.
    bool trims = false;
    int junk = 0;  // bytes in the run, for a junk chunk
};

// Turns the received byte stream into packets, however the adapter cuts
// it into reads.  Byte by byte, so the pieces do not matter, only whether
// the line went quiet (kQuietMs without a byte) in between, and which
// answers the window's read awaits (AwaitedAnswers, handed in with every
// piece; the framer marks off what it hands on).
//
// Marks.  A live packet is marked strongly (FE 18 or FE 19), a settings
// packet too (FE, one of the eighteen settings codes, and the closing FE:
// a 12-byte FE .. FE with any other code is junk).  The AUX packet is
// marked only by its length and byte 2 (AA), which one byte in 256 of
// noise has.
//
// What may be a packet at all: a live packet always; a settings packet or
// the AUX packet only while the read awaits it (each group once, the AUX
// packet in its place after code 99).  Anything else of their shape is
// junk: a late or repeated answer, one during the settle pause, eight
// bytes with AA at byte 2 outside a read.
//
// Where a packet may start:
//  - At a boundary: the first byte after the line was quiet, or the byte
//    right after a whole packet (packets glued into one burst).  Any packet.
//  - Inside junk (once a byte was given up, until the line goes quiet),
//    only a live packet, on its FE 18 / FE 19; a live packet found there
//    does not end the junk.  A transmitter streaming without waiting for
//    answers thus finds the monitor again at its next live packet, but no
//    settings until it pauses.  Settings found there could be junk reaching
//    into the next packet; the transmitter waits for an answer after each
//    settings packet, so one lost this way leaves the read incomplete, and
//    told.
//
// When a packet goes out:
//  - A whole live packet: at once, with no added delay.
//  - An awaited settings packet only standing alone: when the line goes
//    quiet right after it or a clean packet start (FE 18, FE 19, or FE,
//    any byte and an awaited settings code) follows it, never on its own
//    closing FE.  An answer that lost a byte is completed by the FE of
//    whatever follows it without a pause (a live packet, the next answer)
//    and would be taken with every later value shifted; what follows that
//    FE is then no clean start.  The window's answer to a settings packet
//    thus waits for the quiet time unless a packet follows at once.  A
//    settings packet starting FE 18 / FE 19 is also the start of a live
//    packet; the live packet wins if its bytes keep coming, the quiet time
//    settles on the settings packet.
//  - The awaited AUX packet likewise, when the line goes quiet right after
//    it or a clean packet start follows it: its place in the answer says
//    it is the AUX packet, and a transmitter that does not wait 25 ms for
//    its answer (or streams) goes on with a packet.  Junk that looks like
//    an AUX start (00 00 AA) glued before a real packet is followed by
//    that packet's rest, no clean start.  An AUX packet led by FE is also
//    the start of a settings packet of code AA: that wins if its bytes
//    keep coming and stand alone.
//  - Anything held when the line goes quiet: a whole packet that may start
//    where it starts, else junk.
//
// Trims.  A receiver packet goes out at once (its monitor values and its
// answer), but its trims only count once it has ended cleanly: found at a
// boundary and followed by silence or a clean packet start (a `trims`
// chunk then).  A transmitter that streams without pause has its trims
// taken one packet late, and none after junk until it pauses.
//
// Answers.  Each packet gets one; a run of junk gets exactly one, when the
// framer resynchronises on a packet (just before it) or when the line goes
// quiet, whichever comes first, however many reads brought it.
//
// Junk yielding packets, measured by the framer benchmark on 2e8 random
// bytes in random bursts of 1..64 with the line quiet between and every
// answer awaited: per byte of junk, a live packet 1.5e-5 (FE 18 / FE 19
// anywhere; 97 % of them found inside junk, so without their trims), a
// settings packet none (only at a boundary and standing alone: in effect a
// burst of exactly its 12 bytes, about 1 in 6 * 10^7 bursts), an AUX
// packet 1.9e-6 (a burst of exactly its 8 bytes with AA at byte 2).
// Outside a read no settings or AUX packet comes of junk at all.
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
    // would notice.
    static constexpr int kQuietMs = 25;

    // Bytes as they arrived; appends, in order, what is settled now.
    void feed(const QByteArray &bytes, const AwaitedAnswers &awaited, QVector<FramedChunk> &out);
    // No byte arrived for the quiet time: settles everything held.
    void expire(const AwaitedAnswers &awaited, QVector<FramedChunk> &out);
    // True while bytes wait for more, junk waits for its answer or a
    // receiver packet for what follows it (the caller runs the quiet timer).
    bool holding() const { return len > 0 || junk > 0 || pendingTrims || inJunk; }
    int held() const { return len; }
    // Bytes given up since the start, for the record.
    quint64 junkBytes() const { return junkTotal; }
    void reset() { len = 0, junk = 0, inJunk = false, pendingTrims = false; }

private:
    void push(unsigned char c, QVector<FramedChunk> &out);
    void emitPacket(int n, QVector<FramedChunk> &out);
    void flushJunk(QVector<FramedChunk> &out);
    void giveUp(int n);
    bool mayBeSettings(const unsigned char *b, int n) const;
    bool mayBeAux(const unsigned char *b, int n) const;
    bool cleanStart(const unsigned char *b, int n) const;
    bool viable(const unsigned char *b, int n) const;
    bool whole(const unsigned char *b, int n) const;

    unsigned char buf[packet::kLongest] = {};
    int len = 0;
    int junk = 0;         // bytes given up since the last answer
    bool inJunk = false;  // bytes given up since the line was last quiet
    AwaitedAnswers awaited;
    bool pendingTrims = false;  // the last receiver packet waits for what follows
    QByteArray receiver;
    quint64 junkTotal = 0;
};
