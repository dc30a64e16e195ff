#pragma once

#include <QByteArray>

class AwaitedAnswers;
struct ConfigModel;
struct MonitorState;

// What one received chunk turned out to be.
enum class PacketKind {
    Ignored,          // empty, wrong length or wrong markers: nothing stored
    ServoLive,        // 20 bytes FE 18: channel outputs and transmitter battery
    ReceiverLive,     // 20 bytes FE 19: signal, voltages, stick trims
    Aux,              // 8 bytes with AA at byte 2: auxiliary channel sources
    Settings,         // 12 bytes FE .. FE with a known code
    UnknownSettings,  // 12 bytes FE .. FE with a code we do not know
    Unawaited,        // a settings or AUX packet no read awaits: junk, nothing stored
};

struct DecodeResult
{
    PacketKind kind = PacketKind::Ignored;
    int readFlag = 0;  // nonzero: the ReadFlag this chunk set (to be logged)

    // Settings packets, known or not, refresh every page at once.
    bool refreshesPages() const { return kind == PacketKind::Settings || kind == PacketKind::UnknownSettings; }
};

// Decodes one chunk (one packet, recognised by its length and marker
// bytes) into the model and the live values.  Never reads outside the
// chunk.  Settings and the AUX packet only as the read awaits them.  While
// holdTrims is set the stick trims of a receiver packet are not stored.
// The caller runs the follow-up steps (dual-rate selection, sanity pass,
// acknowledgement).
DecodeResult decodePacket(const QByteArray &chunk, ConfigModel &m, MonitorState &live, bool holdTrims,
                          const AwaitedAnswers &awaited);

// The stick trims of a receiver packet (20 bytes FE 19; anything else
// stores nothing).
void decodeTrims(const QByteArray &receiverPacket, ConfigModel &m);

// Big-endian 16-bit value at offset a; bytes past the end read as 0.
int readBE16(const QByteArray &b, int a);
