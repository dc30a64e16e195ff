// Whatever arrives on the line: any sequence of chunks, decoded over any
// model state, followed by what the window does after every chunk (the
// dual-rate selection and the sanity pass).  The same chunks then make a
// byte stream, the ones that decode as packets being packets sent and the
// rest junk, with quiet gaps where the input says.  Through the packet
// framer, cut into any pieces within the quiet time, it must settle the
// same chunks as burst by burst in one piece; account for every byte in
// order; answer a run of junk once; never take an AUX packet that
// overlaps a packet sent without being it, nor a settings packet inside
// junk; take every packet of a burst without junk (but an AUX packet
// or a settings packet starting FE 18 / FE 19 with more behind it, which
// wait); and never hold more than the longest packet.
//
// Input: a flags byte (bit 0: the model starts from the next
// sizeof(ConfigModel) raw bytes instead of its initial values, so NaN
// voltages and wild selectors are covered; bit 1: trims held), then
// chunks, each introduced by a length byte and a byte saying where the
// adapter cut it (bits 1..5) and whether the line goes quiet after it
// (bit 0).
#include "configmodel.h"
#include "fuzzcheck.h"
#include "monitorstate.h"
#include "packetdecoder.h"
#include "readprogress.h"
#include "packetframer.h"
#include "sanity.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <vector>

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

struct Sent
{
    int at, length;
    bool mayWait;  // an AUX packet or a settings packet that is a live start
};

// What a framer settles from the stream, as text: packets in hex ("*"
// when found inside junk), "J<n>" for junk, "." for the quiet time.
QByteArray settle(PacketFramer &f, const QVector<QByteArray> &pieces, QVector<FramedChunk> *all = nullptr)
{
    QByteArray text;
    for (const QByteArray &piece : pieces) {
        QVector<FramedChunk> out;
        piece.isEmpty() ? f.expire(out) : f.feed(piece, out);
        FUZZ_CHECK(f.held() <= packet::kLongest);
        for (const FramedChunk &c : out) {
            text += c.packet ? (c.afterJunk ? "*" : "") + c.bytes.toHex() : "J" + QByteArray::number(c.junk);
            text += ' ';
            if (all)
                all->append(c);
        }
        if (piece.isEmpty()) {
            text += ". ";
            if (all)
                all->append(FramedChunk{});  // marks the quiet time
        }
    }
    return text;
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
    QByteArray stream;
    // Pieces and bursts; an empty one is the quiet time.
    QVector<QByteArray> cutUp, bursts;
    QByteArray burst;
    QVector<Sent> sent;
    QVector<bool> quietAfter;  // by byte: the line goes quiet after it

    while (!in.empty()) {
        const int length = chunkLength(in.byte());
        const uint8_t how = in.byte();
        const QByteArray chunk = in.bytes(size_t(length));
        ConfigModel modelBefore;
        MonitorState liveBefore;
        std::memcpy(&modelBefore, &m, sizeof m);
        std::memcpy(&liveBefore, &live, sizeof live);

        const DecodeResult r = decodePacket(chunk, m, live, hold);

        if (r.kind != PacketKind::Ignored && r.kind != PacketKind::UnknownSettings)
            sent.append({int(stream.size()), int(chunk.size()),
                          r.kind == PacketKind::Aux || (r.kind == PacketKind::Settings && (chunk[1] & 0xFE) == 0x18)});
        stream += chunk;
        quietAfter.resize(stream.size());
        const int cutAt = (how >> 1) % (chunk.size() + 1);
        for (const QByteArray &piece : {chunk.left(cutAt), chunk.mid(cutAt)})
            if (!piece.isEmpty())
                cutUp << piece;
        burst += chunk;
        if ((how & 1) && !chunk.isEmpty()) {
            quietAfter.last() = true;
            cutUp << QByteArray();
            bursts << burst << QByteArray();
            burst.clear();
        }

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

    // The same chunks, answers and times, however the bursts were cut.
    cutUp << QByteArray();
    if (!burst.isEmpty())
        bursts << burst;
    bursts << QByteArray();
    PacketFramer pieces, whole;
    QVector<FramedChunk> settled;
    FUZZ_CHECK(settle(pieces, cutUp, &settled) == settle(whole, bursts));

    std::vector<int> owner(size_t(stream.size()), -1);  // the packet sent a byte belongs to
    for (int k = 0; k < sent.size(); ++k)
        std::fill_n(owner.begin() + sent[k].at, sent[k].length, k);
    std::vector<bool> taken(size_t(sent.size()), false);
    int at = 0;
    bool junkBefore = false;
    for (const FramedChunk &c : settled) {
        if (!c.packet && c.junk == 0) {
            junkBefore = false;
            continue;
        }
        if (!c.packet) {
            FUZZ_CHECK(!junkBefore);  // one answer per run of junk
            junkBefore = true;
            at += c.junk;
            continue;
        }
        junkBefore = false;
        FUZZ_CHECK(c.bytes == stream.mid(at, c.bytes.size()));
        const int k = owner[size_t(at)];
        if (k >= 0 && sent[k].at == at && sent[k].length == c.bytes.size()) {
            taken[size_t(k)] = true;
        } else {
            const PacketKind kind = decodePacket(c.bytes, m, live, true).kind;
            FUZZ_CHECK(kind != PacketKind::Ignored && kind != PacketKind::UnknownSettings);
            bool overlaps = false;
            for (int i = at; i < at + c.bytes.size(); ++i)
                overlaps = overlaps || owner[size_t(i)] >= 0;
            if (kind == PacketKind::Aux)
                FUZZ_CHECK(!overlaps);
            FUZZ_CHECK(!c.afterJunk || kind == PacketKind::ServoLive || kind == PacketKind::ReceiverLive);
        }
        at += c.bytes.size();
    }
    FUZZ_CHECK(at == stream.size());

    // Every packet of a burst that carries no junk is taken, up to one
    // that waits for the quiet time with more bytes behind it.
    for (int k = 0, burstClean = 1; k < sent.size(); ++k) {
        const Sent &p = sent[k];
        const bool startsBurst = p.at == 0 || quietAfter[size_t(p.at - 1)];
        const bool glued = k > 0 && sent[k - 1].at + sent[k - 1].length == p.at;
        burstClean = startsBurst || (burstClean && glued);
        if (!burstClean)
            continue;
        const int end = p.at + p.length;
        if (p.mayWait && end < stream.size() && !quietAfter[size_t(end - 1)])
            burstClean = false;
        else
            FUZZ_CHECK(taken[size_t(k)]);
    }
    return 0;
}
