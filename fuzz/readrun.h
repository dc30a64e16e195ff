#pragma once

// A read as a poor line delivers it, shared by fuzz_read and tst_decoder:
// the transmitter's 19 answers with random values, some damaged (a byte
// lost, a byte added, a wrong end marker), with live packets, junk and
// quiet gaps among them, cut into random pieces.  They go through the
// framer and the read's progress, are decoded into a copy, and the pages
// take the copy once the read completes, as the window does.  No value may
// reach the pages that no whole, undamaged answer carried: a complete read
// leaves them as the undamaged answers would, an incomplete one unchanged.
// A read with nothing damaged and no junk completes.
//
// Left out is what no framing can tell from a packet: FE among an
// answer's values, and junk carrying a mark (FE, 18, 19, AA, a settings
// code), either of which can make a clean start where none was sent; and
// junk right behind a packet, where one byte makes up the length of an
// AUX packet that lost one (its only mark is AA at byte 2), so junk comes
// after a quiet line; and two damaged answers in a row, whose damage can
// cancel out (one that gained a byte before one that lost its first).

#include "configmodel.h"
#include "monitorstate.h"
#include "packetdecoder.h"
#include "packetframer.h"
#include "readcopy.h"
#include "readprogress.h"

#include <QVector>

#include <cstring>

// pick(n) draws a number in 0..n-1, 0 being the plain case.  Returns what
// went wrong, or nullptr.
template <typename Pick> const char *randomRead(Pick pick)
{
    using namespace packet;
    QVector<QByteArray> stream(1), answers;  // stream: bursts, the line quiet after each
    bool damaged = false, junk = false, lastDamaged = false;
    const auto send = [&](const QByteArray &bytes) {
        stream.last() += bytes;
        if (pick(2))
            stream << QByteArray();
    };
    const auto live = [&] {
        QByteArray p(kLiveLength, char(kMarker));
        p[kTagAt] = char(pick(2) ? kServoTag : kReceiverTag);
        for (int i = 2; i < kLiveLength; ++i)
            p[i] = char(pick(i % 2 ? 256 : 8));  // 16-bit values below 2048
        send(p);
    };
    for (int flag = 1; flag <= kGroups; ++flag) {
        QByteArray p(flag == kAuxReadFlag ? kAuxLength : kSettingsLength, '\0');
        for (char &c : p)
            c = char(pick(kMarker));
        p[0] = p[p.size() - 1] = char(kMarker);
        p[1] = 0x1A;
        p[2] = char(flag == kAuxReadFlag ? kAuxTag : flag < kAuxReadFlag ? 0x33 + 0x11 * flag : 0x99 + flag);
        answers << p;
        while (pick(4) == 3)
            live();
        if (pick(32) == 31) {
            if (!stream.last().isEmpty())
                stream << QByteArray();
            QByteArray noise(1 + pick(6), '\0');
            for (char &c : noise)
                while (c == 0 || c == char(kMarker) || c == char(kServoTag) || c == char(kReceiverTag)
                       || c == char(kAuxTag) || settingsReadFlag(uchar(c)))
                    c = char(1 + pick(255));
            send(noise);
            junk = true;
        }
        switch (lastDamaged ? 0 : pick(48)) {
        case 1:
            p.remove(pick(p.size()), 1);
            break;
        case 2:
            p.insert(pick(p.size() + 1), char(pick(256)));
            break;
        case 3:
            p[p.size() - 1] = char(pick(kMarker));
            break;
        }
        lastDamaged = p != answers.last();
        damaged |= lastDamaged;
        send(p);
    }
    if (pick(2))
        live();

    ConfigModel pages;
    pages.DR_CH = pick(4);
    for (int &t : pages.StkTrim)
        t = pick(241);
    ConfigModel copy = pages, expected = pages, sent = pages;
    MonitorState monitor;
    ReadProgress read, all;
    read.start(0), all.start(0);
    for (const QByteArray &a : answers)
        all.note(decodePacket(a, sent, monitor, true, all.awaited()).readFlag, 0);
    takeWholeRead(expected, sent);
    PacketFramer framer;
    bool complete = false;
    const auto take = [&](const QVector<FramedChunk> &out) {
        for (const FramedChunk &c : out)
            if (c.packet)
                read.note(decodePacket(c.bytes, copy, monitor, true, read.awaited()).readFlag, 0);
        if (read.active() && read.complete()) {
            read.stop();
            takeWholeRead(pages, copy);
            complete = true;
        }
    };
    for (QByteArray burst : stream) {
        QVector<FramedChunk> out;
        for (int n = 0; !burst.isEmpty(); burst.remove(0, n), take(out), out.clear())
            framer.feed(burst.left(n = 1 + pick(burst.size())), read.awaited(), out);
        framer.expire(read.awaited(), out);
        take(out);
    }
    if (complete && std::memcmp(&pages, &expected, sizeof pages) != 0)
        return "a complete read put values on the pages that no undamaged answer carried";
    if (!complete && !damaged && !junk)
        return "a read with nothing damaged and no junk did not complete";
    return nullptr;
}
