#pragma once

#include "transmittersettings.h"

#include <cstdint>
#include <vector>

namespace zqsim {

using Bytes = std::vector<uint8_t>;

constexpr int kSettingsPacketSize = 12;
constexpr int kAuxPacketSize = 8;
constexpr int kLivePacketSize = 20;

// Codes of the settings packets, in the order a read answers them.
const std::vector<uint8_t> &settingsPacketCodes();  // 0x44..0x99 step 0x11, 0xA1..0xAC

// One 12-byte settings packet: FE, 0x1A, code, eight value bytes, FE.  An
// empty vector for an unknown code.  Values are clamped into what their
// bytes can carry.
Bytes encodeSettingsPacket(uint8_t code, const TransmitterSettings &s);
// FE, 0x1A, AA, AUX5, AUX6, AUX7, AUX8, FE.
Bytes encodeAuxPacket(const TransmitterSettings &s);
// Everything a read answers with: the eighteen settings packets with the
// AUX packet after code 0x99 (nineteen packets).
std::vector<Bytes> encodeReadAnswer(const TransmitterSettings &s);

// The receiving side of the packets above, the way the tool reads them;
// false (and `s` untouched) for anything that is not a settings or AUX
// packet.
bool decodeSettingsPacket(const Bytes &p, TransmitterSettings &s);

// What the transmitter reports continuously.
struct LiveValues
{
    int servo[8] = {1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000};
    int txVoltHundredths = 0;
    int rssi = 0;  // 1..100
    int rxVoltTenths = 0;
    int extVoltTenths = 0;
    int spare1 = 0, spare2 = 0;
};

// Channel outputs as sticks, switches and knobs would move them at time
// `ms` (milliseconds since power-on), shaped by direction, sub-trim and end
// points; a slowly draining battery; receiver values with a little wobble.
// Deterministic in `ms`.
LiveValues liveValuesAt(int64_t ms, const TransmitterSettings &s);

// The signal strength `rssi` of a transmitter carried away and back every
// `periodSeconds`, at `ms`: it falls in step with the distance, to 0 (no
// signal) at the far end.
int fadedSignal(int rssi, int64_t ms, int periodSeconds);
// How many live packets in a thousand are lost at that signal strength:
// none from 20 up, all at 5 and below.
int lossPerMille(int rssi);

// FE 18: Servo1..8 BE16, transmitter voltage BE16 (hundredths).
Bytes encodeServoPacket(const LiveValues &v);
// FE 19: rssi, rx volts, ext volts BE16, two spare BE16, trims 3,2,1,0.
Bytes encodeReceiverPacket(const LiveValues &v, const TransmitterSettings &s);

}  // namespace zqsim
