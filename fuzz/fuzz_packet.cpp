// Whatever arrives on the line: any sequence of chunks, decoded over any
// model state, followed by what the window does after every chunk (the
// dual-rate selection and the sanity pass).  The same chunks, taken as
// the pieces a USB adapter delivers, go through the packet framer: it
// must settle the same packets as from the stream in one piece, hand on
// every byte exactly once and in order, and never hold more than the
// longest packet.
//
// Input: a flags byte (bit 0: the model starts from the next
// sizeof(ConfigModel) raw bytes instead of its initial values, so NaN
// voltages and wild selectors are covered; bit 1: trims held), then
// chunks, each introduced by a length byte.
#include "configmodel.h"
#include "fuzzcheck.h"
#include "monitorstate.h"
#include "packetdecoder.h"
#include "readprogress.h"
#include "packetframer.h"
#include "sanity.h"

#include <cstring>
#include <set>

namespace {

// Mostly the lengths the decoder knows, so the fuzzer spends its time
// inside the packets rather than finding them.
int chunkLength(uint8_t b)
{
    switch (b % 8) {
    case 0: case 1: case 2: return 20;
    case 3: return 12;
    case 4: return 8;
    default: return b / 8;  // 0..31, including split and glued packets
    }
}

template <typename T> bool sameBytes(const T &a, const T &b)
{
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    const uint8_t flags = in.byte();
    ConfigModel m;
    if (flags & 1)
        in.raw(&m, sizeof m);
    MonitorState live;
    const bool hold = flags & 2;
    // A read request is answered by the same chunks: its tracker counts
    // exactly the distinct groups decoded and never ends before the quiet
    // time unless all of them came.
    ReadProgress read;
    read.start(0);
    std::set<int> groups;
    qint64 now = 0;
    PacketFramer pieces;
    QVector<FramedChunk> fromPieces;
    QByteArray stream;

    while (!in.empty()) {
        const QByteArray chunk = in.bytes(chunkLength(in.byte()));
        stream += chunk;
        pieces.feed(chunk, fromPieces);
        FUZZ_CHECK(pieces.held() <= PacketFramer::kLongest);
        ConfigModel modelBefore;
        MonitorState liveBefore;
        std::memcpy(&modelBefore, &m, sizeof m);
        std::memcpy(&liveBefore, &live, sizeof live);

        const DecodeResult r = decodePacket(chunk, m, live, hold);

        const int n = chunk.size();
        if (n != 20 && n != 12 && n != 8) {
            FUZZ_CHECK(r.kind == PacketKind::Ignored);
            FUZZ_CHECK(sameBytes(m, modelBefore) && sameBytes(live, liveBefore));
        }
        if (r.kind == PacketKind::Ignored) {
            FUZZ_CHECK(r.readFlag == 0 && !r.refreshesPages());
            FUZZ_CHECK(sameBytes(m, modelBefore) && sameBytes(live, liveBefore));
        }
        if (r.readFlag) {
            FUZZ_CHECK(r.readFlag >= 1 && r.readFlag <= 19);
            FUZZ_CHECK(live.ReadFlag == r.readFlag);
        }
        if (r.readFlag || r.refreshesPages())
            read.note(r.readFlag, ++now);
        if (r.readFlag)
            groups.insert(r.readFlag);
        FUZZ_CHECK(read.groupsArrived() == int(groups.size()));
        FUZZ_CHECK(read.complete() == (groups.size() == size_t(ReadProgress::kGroups)));
        FUZZ_CHECK(read.finished(now + ReadProgress::kQuietMs - 1) == read.complete());
        FUZZ_CHECK(read.finished(now + ReadProgress::kQuietMs));
        if (hold)
            FUZZ_CHECK(std::memcmp(m.StkTrim, modelBefore.StkTrim, sizeof m.StkTrim) == 0);
        if (r.kind == PacketKind::ReceiverLive && !hold)
            for (int t : m.StkTrim)
                FUZZ_CHECK(t >= 0 && t <= 240);

        // The window's follow-up steps; the sanity pass leaves nothing for
        // a second run to repair.
        selectDualRate(m);
        applySanity(m);
        selectDualRate(m);
        ConfigModel once;
        std::memcpy(&once, &m, sizeof m);
        applySanity(m);
        FUZZ_CHECK(sameBytes(m, once));
    }

    PacketFramer onePiece;
    QVector<FramedChunk> fromStream;
    onePiece.feed(stream, fromStream);
    onePiece.expire(fromStream);
    pieces.expire(fromPieces);
    QByteArray handedOn;
    QVector<QByteArray> packetsA, packetsB;
    for (const FramedChunk &c : fromPieces) {
        FUZZ_CHECK(!c.bytes.isEmpty());
        handedOn += c.bytes;
        if (c.packet) {
            packetsA.append(c.bytes);
            FUZZ_CHECK(decodePacket(c.bytes, m, live, hold).kind != PacketKind::Ignored);
        }
    }
    for (const FramedChunk &c : fromStream)
        if (c.packet)
            packetsB.append(c.bytes);
    FUZZ_CHECK(handedOn == stream);
    FUZZ_CHECK(packetsA == packetsB);
    return 0;
}
