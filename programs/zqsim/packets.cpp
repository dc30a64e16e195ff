#include "packets.h"

#include <algorithm>
#include <cmath>

namespace zqsim {

namespace {

using Ref = int &(*)(TransmitterSettings &);

enum class Slot { None, Byte, Word };  // Word: BE16 over this byte and the next

struct Cell
{
    Slot slot;
    Ref ref;
    int offset;  // the byte carries value + offset
};

struct Layout
{
    uint8_t code;
    Cell cells[8];
};

#define R(f) [](TransmitterSettings &s) -> int & { return s.f; }
#define B(f, off)                                                                                                      \
    Cell                                                                                                               \
    {                                                                                                                  \
        Slot::Byte, R(f), off                                                                                          \
    }
#define W(f)                                                                                                           \
    Cell                                                                                                               \
    {                                                                                                                  \
        Slot::Word, R(f), 0                                                                                            \
    }
#define LOW                                                                                                            \
    Cell                                                                                                               \
    {                                                                                                                  \
        Slot::None, nullptr, 0                                                                                         \
    }
#define NONE                                                                                                           \
    Cell                                                                                                               \
    {                                                                                                                  \
        Slot::None, nullptr, 0                                                                                         \
    }

const Layout kLayouts[] = {
    {0x44, {B(rev1, 0), B(rev2, 0), B(rev3, 0), B(rev4, 0), B(rev5, 0), B(rev6, 0), B(rev7, 0), B(rev8, 0)}},
    {0x55,
     {B(sub1, 120), B(sub2, 120), B(sub3, 120), B(sub4, 120), B(sub5, 120), B(sub6, 120), B(sub7, 120), B(sub8, 120)}},
    {0x66, {B(Lepa1, 0), B(Lepa2, 0), B(Lepa3, 0), B(Lepa4, 0), B(Lepa5, 0), B(Lepa6, 0), B(Lepa7, 0), B(Lepa8, 0)}},
    {0x77, {B(Repa1, 0), B(Repa2, 0), B(Repa3, 0), B(Repa4, 0), B(Repa5, 0), B(Repa6, 0), B(Repa7, 0), B(Repa8, 0)}},
    {0x88, {B(FS1, 0), B(FS2, 0), B(FS3, 0), B(FS4, 0), B(FS5, 0), B(FS6, 0), B(FS7, 0), B(FS8, 0)}},
    {0x99, {W(VoltTenths), LOW, W(Mode), LOW, W(Vertion), LOW, NONE, NONE}},
    {0xA1, {B(AttiM, 0), B(Atti1, 0), B(Atti2, 0), B(Atti3, 0), B(Atti4, 0), B(Atti5, 0), B(Atti6, 0), NONE}},
    {0xA2,
     {B(EleMix, 0), B(Elev01, 120), B(Elev05, 120), B(Elev02, 120), B(Elev06, 120), B(Elev03, 120), B(Elev04, 120),
      NONE}},
    {0xA3, {B(RuMix, 0), B(Ru1, 100), B(Ru2, 100), B(Ru3, 100), B(Ru4, 100), B(DR_MIX, 0), NONE, NONE}},
    {0xA4,
     {B(delay1, 0), B(delay2, 0), B(delay3, 0), B(delay4, 0), B(delay5, 0), B(delay6, 0), B(delay7, 0), B(delay8, 0)}},
    {0xA5,
     {B(DR_UpRate[0], 0), B(DR_UpRate[1], 0), B(DR_UpRate[2], 0), B(DR_UpRate[3], 0), B(DR_DownRate[0], 0),
      B(DR_DownRate[1], 0), B(DR_DownRate[2], 0), B(DR_DownRate[3], 0)}},
    {0xA6,
     {B(PRM01_Data2, 100), B(PRM02_Data2, 100), B(PRM01_Data3, 100), B(PRM02_Data3, 100), B(PRM01_Data1, 100),
      B(PRM02_Data1, 100), B(PRM01_Master, 0), B(PRM02_Master, 0)}},
    {0xA7,
     {B(PRM01_Slave, 0), B(PRM02_Slave, 0), B(PRM01_Mix, 0), B(PRM02_Mix, 0), B(StkStep[3], 0), B(StkStep[2], 0),
      B(StkStep[1], 0), B(StkStep[0], 0)}},
    {0xA8,
     {B(PRM03_Mix, 0), B(PRM03_Master, 0), B(PRM03_Slave, 0), B(PRM03_Data1, 100), B(PRM03_Data2, 100),
      B(PRM03_Data3, 100), B(PRM04_Mix, 0), B(PRM04_Master, 0)}},
    {0xA9,
     {B(PRM04_Slave, 0), B(PRM04_Data1, 100), B(PRM04_Data2, 100), B(PRM04_Data3, 100), B(THCURE_MIX, 0),
      B(THCURE_Opt, 0), B(THCURE_Data01, 0), B(THCURE_Data02, 0)}},
    {0xAA,
     {B(THCURE_Data03, 0), B(THCURE_Data04, 0), B(THCURE_Data05, 0), B(THCURE_Data06, 0), B(THCURE_Data07, 0), NONE,
      NONE, NONE}},
    {0xAB, {B(DR_SW, 0), B(DR_POSI, 0), W(extVoltTenths), LOW, B(Rssi, 100), B(rxVoltTenths, 0), NONE, NONE}},
    {0xAC,
     {B(DR_UpExp[0], 100), B(DR_UpExp[1], 100), B(DR_UpExp[2], 100), B(DR_UpExp[3], 100), B(DR_DownExp[0], 100),
      B(DR_DownExp[1], 100), B(DR_DownExp[2], 100), B(DR_DownExp[3], 100)}},
};

#undef NONE
#undef LOW
#undef W
#undef B
#undef R

// Byte 1 of the packets the transmitter answers a read with; the tool does
// not look at it.
constexpr uint8_t kAnswerTag = 0x1A;

const Layout *layoutFor(uint8_t code)
{
    for (const Layout &l : kLayouts)
        if (l.code == code)
            return &l;
    return nullptr;
}

void putWord(Bytes &b, size_t at, int v)
{
    v = std::clamp(v, 0, 0xFFFF);
    b[at] = uint8_t(v >> 8);
    b[at + 1] = uint8_t(v & 0xFF);
}

constexpr double kTwoPi = 6.283185307179586;

double wave(int64_t ms, double periodMs, double phase)
{
    return std::sin(kTwoPi * double(ms % int64_t(periodMs * 1000)) / periodMs + phase);
}

}  // namespace

const std::vector<uint8_t> &settingsPacketCodes()
{
    static const std::vector<uint8_t> codes = [] {
        std::vector<uint8_t> c;
        for (const Layout &l : kLayouts)
            c.push_back(l.code);
        return c;
    }();
    return codes;
}

Bytes encodeSettingsPacket(uint8_t code, const TransmitterSettings &src)
{
    const Layout *l = layoutFor(code);
    if (!l)
        return Bytes();
    TransmitterSettings s = src;
    Bytes b(kSettingsPacketSize, 0);
    b[0] = 0xFE;
    b[1] = kAnswerTag;
    b[2] = code;
    b[11] = 0xFE;
    for (size_t k = 0; k < 8; ++k) {
        const Cell &c = l->cells[k];
        if (c.slot == Slot::Byte)
            b[3 + k] = uint8_t(std::clamp(c.ref(s) + c.offset, 0, 255));
        else if (c.slot == Slot::Word)
            putWord(b, 3 + k, c.ref(s));
    }
    return b;
}

Bytes encodeAuxPacket(const TransmitterSettings &s)
{
    auto byte = [](int v) { return uint8_t(std::clamp(v, 0, 255)); };
    return Bytes{0xFE, kAnswerTag, 0xAA, byte(s.AUX5), byte(s.AUX6), byte(s.AUX7), byte(s.AUX8), 0xFE};
}

std::vector<Bytes> encodeReadAnswer(const TransmitterSettings &s)
{
    std::vector<Bytes> out;
    for (uint8_t code : settingsPacketCodes()) {
        out.push_back(encodeSettingsPacket(code, s));
        if (code == 0x99)
            out.push_back(encodeAuxPacket(s));
    }
    return out;
}

bool decodeSettingsPacket(const Bytes &p, TransmitterSettings &s)
{
    if (p.size() == size_t(kAuxPacketSize) && p[2] == 0xAA) {
        s.AUX5 = p[3];
        s.AUX6 = p[4];
        s.AUX7 = p[5];
        s.AUX8 = p[6];
        return true;
    }
    if (p.size() != size_t(kSettingsPacketSize) || p[0] != 0xFE || p[11] != 0xFE)
        return false;
    const Layout *l = layoutFor(p[2]);
    if (!l)
        return false;
    for (size_t k = 0; k < 8; ++k) {
        const Cell &c = l->cells[k];
        if (c.slot == Slot::Byte)
            c.ref(s) = int(p[3 + k]) - c.offset;
        else if (c.slot == Slot::Word)
            c.ref(s) = int(p[3 + k]) * 256 + int(p[4 + k]);
    }
    return true;
}

LiveValues liveValuesAt(int64_t ms, const TransmitterSettings &s)
{
    if (ms < 0)
        ms = 0;
    LiveValues v;

    // Stick and control positions in -1..1: four sticks swept at unrelated
    // rates, a two-position switch, a three-position switch, two knobs.
    double pos[8];
    pos[0] = wave(ms, 4100, 0.0);
    pos[1] = wave(ms, 5300, 1.1);
    pos[2] = 0.8 * wave(ms, 9700, 2.0) + 0.2 * wave(ms, 1300, 0.4);
    pos[3] = wave(ms, 3100, 0.7);
    pos[4] = (ms / 3000) % 2 ? 1.0 : -1.0;
    pos[5] = double(int((ms / 2000) % 4 == 3 ? 1 : (ms / 2000) % 4) - 1);  // -1, 0, 1, 0, ...
    pos[6] = wave(ms, 15000, 0.3);
    pos[7] = wave(ms, 23000, 2.6);

    const int revs[8] = {s.rev1, s.rev2, s.rev3, s.rev4, s.rev5, s.rev6, s.rev7, s.rev8};
    const int subs[8] = {s.sub1, s.sub2, s.sub3, s.sub4, s.sub5, s.sub6, s.sub7, s.sub8};
    const int lepa[8] = {s.Lepa1, s.Lepa2, s.Lepa3, s.Lepa4, s.Lepa5, s.Lepa6, s.Lepa7, s.Lepa8};
    const int repa[8] = {s.Repa1, s.Repa2, s.Repa3, s.Repa4, s.Repa5, s.Repa6, s.Repa7, s.Repa8};
    for (int k = 0; k < 8; ++k) {
        const double p = revs[k] ? -pos[k] : pos[k];
        // 100 % end point moves 500 either side of the 1000 centre
        const double travel = 5.0 * (p < 0 ? lepa[k] : repa[k]);
        const double out = 1000.0 + 2.0 * subs[k] + p * travel;
        v.servo[k] = std::clamp(int(std::lround(out)), 0, 2000);
    }

    // A fresh 2S pack (8.40 V) losing a hundredth of a volt every 6 s,
    // swapped for a fresh one when it reaches 6.80 V.
    const int64_t drained = (ms / 6000) % 161;
    v.txVoltHundredths = int(840 - drained);

    v.rxVoltTenths = 50 + int(std::lround(wave(ms, 7000, 0.0)));
    v.extVoltTenths = 112 + int(std::lround(1.5 * wave(ms, 11000, 1.0)));
    const double rssi = 72.0 + 18.0 * wave(ms, 17000, 0.0) + 6.0 * wave(ms, 2300, 0.5);
    v.rssi = std::clamp(int(std::lround(rssi)), 1, 100);
    return v;
}

int fadedSignal(int rssi, int64_t ms, int periodSeconds)
{
    const int64_t period = int64_t(periodSeconds) * 1000;
    const int64_t phase = (ms < 0 ? 0 : ms) % period;
    const double away = 2.0 * double(std::min(phase, period - phase)) / double(period);  // 0 .. 1 .. 0
    return std::clamp(int(std::lround(rssi * (1.0 - away))), 0, 100);
}

int lossPerMille(int rssi)
{
    return std::clamp((20 - rssi) * 1000 / 15, 0, 1000);
}

Bytes encodeServoPacket(const LiveValues &v)
{
    Bytes b(kLivePacketSize, 0);
    b[0] = 0xFE;
    b[1] = 0x18;
    for (int k = 0; k < 8; ++k)
        putWord(b, size_t(2 + 2 * k), v.servo[k]);
    putWord(b, 18, v.txVoltHundredths);
    return b;
}

Bytes encodeReceiverPacket(const LiveValues &v, const TransmitterSettings &s)
{
    auto byte = [](int x) { return uint8_t(std::clamp(x, 0, 255)); };
    Bytes b(kLivePacketSize, 0);
    b[0] = 0xFE;
    b[1] = 0x19;
    b[2] = byte(v.rssi);
    b[3] = byte(v.rxVoltTenths);
    putWord(b, 4, v.extVoltTenths);
    putWord(b, 6, v.spare1);
    putWord(b, 8, v.spare2);
    b[10] = byte(s.StkTrim[3]);
    b[11] = byte(s.StkTrim[2]);
    b[12] = byte(s.StkTrim[1]);
    b[13] = byte(s.StkTrim[0]);
    return b;
}

}  // namespace zqsim
