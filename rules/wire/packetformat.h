#pragma once

// The packets the transmitter sends: their lengths, marker bytes and the
// settings codes.  The framer, the decoder and the read tracker take them
// from here.  QtCore-free on purpose: plain constants only.

namespace packet {

// Live packets: FE 18 (channel outputs) or FE 19 (receiver and trims).
constexpr int kLiveLength = 20;
// Settings packets: FE, any byte, a settings code, eight values, FE.
constexpr int kSettingsLength = 12;
// The AUX packet: only byte 2 marks it.
constexpr int kAuxLength = 8;
constexpr int kLongest = kLiveLength;

constexpr unsigned char kMarker = 0xFE;
constexpr unsigned char kServoTag = 0x18;
constexpr unsigned char kReceiverTag = 0x19;
constexpr unsigned char kAuxTag = 0xAA;

// Where the marks sit.
constexpr int kTagAt = 1;     // live packets
constexpr int kCodeAt = 2;    // settings packets
constexpr int kAuxTagAt = 2;  // the AUX packet
constexpr int kClosingAt = kSettingsLength - 1;

// The settings groups a read answers with, by ReadFlag: 1..6 for the codes
// 44..99 (step 11), 7 for the AUX packet, 8..19 for the codes A1..AC.
constexpr int kAuxReadFlag = 7;
constexpr int kSettingsCodes = 18;
constexpr int kGroups = kSettingsCodes + 1;

// ReadFlag of a settings code; 0 for a code the transmitter does not send.
constexpr int settingsReadFlag(int code)
{
    if (code >= 0x44 && code <= 0x99 && code % 0x11 == 0)
        return code / 0x11 - 3;
    if (code >= 0xA1 && code <= 0xAC)
        return code - 0xA1 + kAuxReadFlag + 1;
    return 0;
}

constexpr int knownCodeCount()
{
    int n = 0;
    for (int code = 0; code < 256; ++code)
        n += settingsReadFlag(code) ? 1 : 0;
    return n;
}
static_assert(knownCodeCount() == kSettingsCodes, "one ReadFlag per settings code");
static_assert(settingsReadFlag(0x99) == kAuxReadFlag - 1 && settingsReadFlag(0xAC) == kGroups,
              "the AUX packet sits between the two runs of codes");

}  // namespace packet
