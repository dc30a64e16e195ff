#include "packetdecoder.h"

#include "answerlayout.h"
#include "configmodel.h"
#include "monitorstate.h"
#include "packetformat.h"
#include "readprogress.h"

using namespace packet;

namespace {

// Trim bytes above this are stored as the end stop.
constexpr int kTrimLimit = 238;
constexpr int kTrimStop = 240;

// The packet's bytes, taken unsigned.  Every decoder below is only called
// once the length is known, so the fixed offsets stay inside the chunk.
struct Bytes
{
    const unsigned char *p;
    int operator[](int i) const { return p[i]; }
    int be16(int i) const { return p[i] * 256 + p[i + 1]; }
};

void decodeServo(const Bytes b, MonitorState &live)
{
    for (int k = 0; k < 8; ++k)
        live.*kServoFields[k] = b.be16(2 + 2 * k);
    live.TxVoltLive = b.be16(18);
}

int clampTrim(int byte)
{
    return byte > kTrimLimit ? kTrimStop : byte;
}

void storeTrims(const Bytes b, ConfigModel &m);

void decodeReceiver(const Bytes b, ConfigModel &m, MonitorState &live, bool holdTrims)
{
    live.RssiLive = b[2];
    live.RxVoltLive = b[3];
    live.ExtVoltLive = b.be16(4);
    live.Spare1Live = b.be16(6);
    live.Spare2Live = b.be16(8);
    if (!holdTrims)
        storeTrims(b, m);
}

void storeTrims(const Bytes b, ConfigModel &m)
{
    // The transmitter sends the trims from the last stick channel down.
    m.StkTrim[3] = clampTrim(b[10]);
    m.StkTrim[2] = clampTrim(b[11]);
    m.StkTrim[1] = clampTrim(b[12]);
    m.StkTrim[0] = clampTrim(b[13]);
}

// Stores an answer's values where the answer layout puts them.
struct Store
{
    const Bytes b;

    void byte(int &v, int at, int offset) { v = b[at] - offset; }
    void word(int &v, int at) { v = b.be16(at); }
    // A derived voltage follows its tenths field at once.
    void tenthsWord(int &tenths, double &volts, int at)
    {
        tenths = b.be16(at);
        volts = tenthsToVolts(tenths);
    }
    void tenthsByte(int &tenths, double &volts, int at)
    {
        tenths = b[at];
        volts = tenthsToVolts(tenths);
    }
};

void decodeAnswer(const Bytes b, int flag, ConfigModel &m)
{
    Store store{b};
    answerlayout::walk(flag, store, m);
}

}  // namespace

int readBE16(const QByteArray &b, int a)
{
    const int n = b.size();
    if (a < 0 || a >= n)
        return 0;
    const auto *p = reinterpret_cast<const unsigned char *>(b.constData());
    return p[a] * 256 + (a + 1 < n ? p[a + 1] : 0);
}

void decodeTrims(const QByteArray &receiverPacket, ConfigModel &m)
{
    const Bytes b{reinterpret_cast<const unsigned char *>(receiverPacket.constData())};
    if (receiverPacket.size() == kLiveLength && b[0] == kMarker && b[kTagAt] == kReceiverTag)
        storeTrims(b, m);
}

DecodeResult decodePacket(const QByteArray &chunk, ConfigModel &m, MonitorState &live, bool holdTrims,
                          const AwaitedAnswers &awaited)
{
    DecodeResult r;
    const Bytes b{reinterpret_cast<const unsigned char *>(chunk.constData())};
    switch (chunk.size()) {
    case kLiveLength:
        if (b[0] == kMarker && b[kTagAt] == kServoTag) {
            decodeServo(b, live);
            r.kind = PacketKind::ServoLive;
        } else if (b[0] == kMarker && b[kTagAt] == kReceiverTag) {
            decodeReceiver(b, m, live, holdTrims);
            r.kind = PacketKind::ReceiverLive;
        }
        break;
    case kAuxLength:
        if (b[kAuxTagAt] == kAuxTag && !awaited.takes(kAuxReadFlag)) {
            r.kind = PacketKind::Unawaited;
        } else if (b[kAuxTagAt] == kAuxTag) {
            decodeAnswer(b, kAuxReadFlag, m);
            r.kind = PacketKind::Aux;
            r.readFlag = kAuxReadFlag;
        }
        break;
    case kSettingsLength:
        if (b[0] == kMarker && b[kClosingAt] == kMarker) {
            const int code = b[kCodeAt];
            const int flag = settingsReadFlag(code);
            if (flag && !awaited.takes(flag)) {
                r.kind = PacketKind::Unawaited;
            } else if (flag) {
                decodeAnswer(b, flag, m);
                r.kind = PacketKind::Settings;
                r.readFlag = flag;
            } else {
                r.kind = PacketKind::UnknownSettings;
            }
        }
        break;
    default:
        break;
    }
    return r;
}
