#pragma once

#include <QByteArray>

// The line's rate as docs/performance.md counts it: 115200 baud, 10 bits
// a byte, each 20-byte live packet waiting for its 3-byte answer (~500 a
// second).
constexpr double kPacketsPerSecond = 115200.0 / 10.0 / (20.0 + 3.0);

// A live packet whose values change from packet to packet.  The payload
// stays below 0x80, so no byte after the start reads as a packet start.
inline QByteArray livePacket(int i)
{
    QByteArray p(20, '\0');
    p[0] = char(0xFE);
    p[1] = char(i % 2 ? 0x19 : 0x18);
    for (int k = 2; k < 20; ++k)
        p[k] = char((i * 7 + k * 13) & 0x7F);
    return p;
}
