#include "frames.h"

#include <algorithm>
#include <vector>

namespace zqsim {

namespace {

using Ref = int &(*)(TransmitterSettings &);

enum class Kind { Digit, Hex, Dec3, Fixed };

struct Item
{
    Kind kind;
    int offset;        // Hex: added before encoding
    Ref ref;           // nullptr for Fixed
    const char *text;  // Fixed: the characters the tool always sends there
};

#define R(f) [](TransmitterSettings &s) -> int & { return s.f; }
Item dig(Ref r)
{
    return {Kind::Digit, 0, r, nullptr};
}
Item hex(Ref r, int off)
{
    return {Kind::Hex, off, r, nullptr};
}
Item dec3(Ref r)
{
    return {Kind::Dec3, 0, r, nullptr};
}
Item fixed(const char *t)
{
    return {Kind::Fixed, 0, nullptr, t};
}

int width(const Item &it)
{
    switch (it.kind) {
    case Kind::Digit:
        return 1;
    case Kind::Hex:
        return 2;
    case Kind::Dec3:
        return 3;
    case Kind::Fixed:
        return int(std::char_traits<char>::length(it.text));
    }
    return 0;
}

// S: the channels, the auxiliary sources, the alarm voltage and the stick mode.
const std::vector<Item> &sFrame()
{
    static const std::vector<Item> items = {
        dig(R(rev1)),      dig(R(rev2)),      dig(R(rev3)),      dig(R(rev4)),      dig(R(rev5)),
        dig(R(rev6)),      dig(R(rev7)),      dig(R(rev8)),      hex(R(sub1), 120), hex(R(sub2), 120),
        hex(R(sub3), 120), hex(R(sub4), 120), hex(R(sub5), 120), hex(R(sub6), 120), hex(R(sub7), 120),
        hex(R(sub8), 120), hex(R(Lepa1), 16), hex(R(Lepa2), 16), hex(R(Lepa3), 16), hex(R(Lepa4), 16),
        hex(R(Lepa5), 16), hex(R(Lepa6), 16), hex(R(Lepa7), 16), hex(R(Lepa8), 16), hex(R(Repa1), 16),
        hex(R(Repa2), 16), hex(R(Repa3), 16), hex(R(Repa4), 16), hex(R(Repa5), 16), hex(R(Repa6), 16),
        hex(R(Repa7), 16), hex(R(Repa8), 16), hex(R(FS1), 16),   hex(R(FS2), 16),   hex(R(FS3), 16),
        hex(R(FS4), 16),   hex(R(FS5), 16),   hex(R(FS6), 16),   hex(R(FS7), 16),   hex(R(FS8), 16),
        dig(R(AUX5)),      dig(R(AUX6)),      dig(R(AUX7)),      dig(R(AUX8)),      hex(R(VoltTenths), 16),
        dig(R(Mode)),
    };
    return items;
}

// G: attitude, elevon and V-tail mixes, delays, dual rate, mixes 1 and 2.
const std::vector<Item> &gFrame()
{
    static const std::vector<Item> items = {
        dig(R(AttiM)),
        hex(R(Atti1), 16),
        hex(R(Atti2), 16),
        hex(R(Atti3), 16),
        hex(R(Atti4), 16),
        hex(R(Atti5), 16),
        hex(R(Atti6), 16),
        dig(R(EleMix)),
        // elevon rates travel interleaved
        hex(R(Elev01), 120),
        hex(R(Elev05), 120),
        hex(R(Elev02), 120),
        hex(R(Elev06), 120),
        hex(R(Elev03), 120),
        hex(R(Elev04), 120),
        dig(R(RuMix)),
        hex(R(Ru1), 116),
        hex(R(Ru2), 116),
        hex(R(Ru3), 116),
        hex(R(Ru4), 116),
        fixed("6"),
        hex(R(delay1), 16),
        hex(R(delay2), 16),
        hex(R(delay3), 16),
        hex(R(delay4), 16),
        hex(R(delay5), 16),
        hex(R(delay6), 16),
        hex(R(delay7), 16),
        hex(R(delay8), 16),
        dig(R(DR_MIX)),
        dig(R(DR_CH)),
        hex(R(DR_UP1), 16),
        hex(R(DR_DOWN1), 16),
        hex(R(PRM01_Data2), 116),
        hex(R(PRM02_Data2), 116),
        hex(R(PRM01_Data3), 116),
        hex(R(PRM02_Data3), 116),
        hex(R(PRM01_Data1), 116),
        hex(R(PRM02_Data1), 116),
        dig(R(PRM01_Master)),
        dig(R(PRM02_Master)),
        dig(R(PRM01_Slave)),
        dig(R(PRM02_Slave)),
        dig(R(PRM01_Mix)),
        dig(R(PRM02_Mix)),
        fixed("6D2"),
    };
    return items;
}

// H: the rate arrays, mixes 3 and 4, the throttle curve, the exponentials,
// two alarm voltages and the signal strength.
const std::vector<Item> &hFrame()
{
    static const std::vector<Item> items = {
        hex(R(DR_UpRate[0]), 16),
        hex(R(DR_UpRate[1]), 16),
        hex(R(DR_UpRate[2]), 16),
        hex(R(DR_UpRate[3]), 16),
        hex(R(DR_DownRate[0]), 16),
        hex(R(DR_DownRate[1]), 16),
        hex(R(DR_DownRate[2]), 16),
        hex(R(DR_DownRate[3]), 16),
        dig(R(PRM03_Mix)),
        dig(R(PRM03_Master)),
        dig(R(PRM03_Slave)),
        hex(R(PRM03_Data1), 116),
        hex(R(PRM03_Data2), 116),
        hex(R(PRM03_Data3), 116),
        dig(R(PRM04_Mix)),
        dig(R(PRM04_Master)),
        dig(R(PRM04_Slave)),
        hex(R(PRM04_Data1), 116),
        hex(R(PRM04_Data2), 116),
        hex(R(PRM04_Data3), 116),
        dig(R(THCURE_MIX)),
        dig(R(THCURE_Opt)),
        hex(R(THCURE_Data01), 16),
        hex(R(THCURE_Data02), 16),
        hex(R(THCURE_Data03), 16),
        hex(R(THCURE_Data04), 16),
        hex(R(THCURE_Data05), 16),
        hex(R(THCURE_Data06), 16),
        hex(R(THCURE_Data07), 16),
        dig(R(DR_POSI)),
        hex(R(DR_UpExp[0]), 116),
        hex(R(DR_UpExp[1]), 116),
        hex(R(DR_UpExp[2]), 116),
        hex(R(DR_UpExp[3]), 116),
        hex(R(DR_DownExp[0]), 116),
        hex(R(DR_DownExp[1]), 116),
        hex(R(DR_DownExp[2]), 116),
        hex(R(DR_DownExp[3]), 116),
        dec3(R(extVoltTenths)),
        hex(R(Rssi), 120),
        dig(R(DR_SW)),
        hex(R(rxVoltTenths), 16),
        fixed("0000"),
    };
    return items;
}

// I: the stick trims and steps.
const std::vector<Item> &iFrame()
{
    static const std::vector<Item> items = {
        hex(R(StkTrim[3]), 16),
        hex(R(StkTrim[2]), 16),
        hex(R(StkTrim[1]), 16),
        hex(R(StkTrim[0]), 16),
        hex(R(StkStep[3]), 16),
        hex(R(StkStep[2]), 16),
        hex(R(StkStep[1]), 16),
        hex(R(StkStep[0]), 16),
        fixed("000000000000000000000000000000000000000000000000000000000000000"),
    };
    return items;
}

const std::vector<Item> &layout(char lead)
{
    static const std::vector<Item> none;
    switch (lead) {
    case 'S':
        return sFrame();
    case 'G':
        return gFrame();
    case 'H':
        return hFrame();
    case 'I':
        return iFrame();
    default:
        return none;
    }
}
#undef R

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

const char kHexDigits[] = "0123456789ABCDEF";

}  // namespace

char frameEndLetter(char lead)
{
    switch (lead) {
    case 'S':
        return 'Y';
    case 'G':
        return 'Z';
    case 'H':
        return 'X';
    case 'I':
        return 'V';
    default:
        return 0;
    }
}

bool isFrameLead(char c)
{
    return frameEndLetter(c) != 0;
}

bool decodeFrame(const std::string &frame, TransmitterSettings &s)
{
    if (frame.size() != size_t(kFrameLength))
        return false;
    const char end = frameEndLetter(frame[0]);
    if (!end || frame[kFrameLength - 1] != end)
        return false;

    // Decode into a copy so a frame that fails half-way changes nothing.
    TransmitterSettings t = s;
    size_t pos = 1;
    for (const Item &it : layout(frame[0])) {
        const int w = width(it);
        switch (it.kind) {
        case Kind::Digit: {
            const char c = frame[pos];
            if (c < '0' || c > '9')
                return false;
            it.ref(t) = c - '0';
            break;
        }
        case Kind::Hex: {
            const int hi = hexValue(frame[pos]), lo = hexValue(frame[pos + 1]);
            if (hi < 0 || lo < 0)
                return false;
            it.ref(t) = hi * 16 + lo - it.offset;
            break;
        }
        case Kind::Dec3: {
            int v = 0;
            for (int k = 0; k < 3; ++k) {
                const char c = frame[pos + k];
                if (c < '0' || c > '9')
                    return false;
                v = v * 10 + (c - '0');
            }
            it.ref(t) = v;
            break;
        }
        case Kind::Fixed:
            // The tool always sends the same characters here; nothing is
            // stored from them, so any text is tolerated.
            break;
        }
        pos += size_t(w);
    }
    if (pos != size_t(kFrameLength - 1))
        return false;  // layout and frame length disagree: never take half a frame
    s = t;
    return true;
}

std::string encodeFrame(char lead, const TransmitterSettings &src)
{
    const char end = frameEndLetter(lead);
    if (!end)
        return std::string();
    TransmitterSettings s = src;  // accessors need a mutable object
    std::string out(1, lead);
    for (const Item &it : layout(lead)) {
        switch (it.kind) {
        case Kind::Digit:
            out += char('0' + std::clamp(it.ref(s), 0, 9));
            break;
        case Kind::Hex: {
            const int v = std::clamp(it.ref(s) + it.offset, 0, 255);
            out += kHexDigits[v / 16];
            out += kHexDigits[v % 16];
            break;
        }
        case Kind::Dec3: {
            const int v = std::clamp(it.ref(s), 0, 999);
            out += char('0' + v / 100);
            out += char('0' + v / 10 % 10);
            out += char('0' + v % 10);
            break;
        }
        case Kind::Fixed:
            out += it.text;
            break;
        }
    }
    out += end;
    return out;
}

char frameCarrying(const std::string &field)
{
    TransmitterSettings s;
    const int *target = fieldByName(s, field);
    if (!target)
        return 0;
    for (char lead : {'S', 'G', 'H', 'I'})
        for (const Item &it : layout(lead))
            if (it.ref && &it.ref(s) == target)
                return lead;
    return 0;
}

std::string encodeAllFrames(const TransmitterSettings &s)
{
    return encodeFrame('S', s) + encodeFrame('G', s) + encodeFrame('H', s) + encodeFrame('I', s);
}

}  // namespace zqsim
