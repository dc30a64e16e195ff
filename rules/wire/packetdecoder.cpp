#include "packetdecoder.h"

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

void decodeAux(const Bytes b, ConfigModel &m)
{
    for (int k = 0; k < 4; ++k)
        m.*kAuxFields[k] = b[3 + k];
}

// Eight plain bytes 3..10 into eight numbered fields, minus an offset.
void storeEight(const Bytes b, ConfigModel &m, const CfgField (&fields)[8], int offset)
{
    for (int k = 0; k < 8; ++k)
        m.*fields[k] = b[3 + k] - offset;
}

// One function for each settings packet that is not eight fields of one
// group; a derived voltage follows its tenths field at once.
void storeVoltAndMode(const Bytes b, ConfigModel &m)
{
    m.VoltTenths = b.be16(3);
    m.Volt = tenthsToVolts(m.VoltTenths);
    m.Mode = b.be16(5);
    m.Vertion = b.be16(7);
}

void storeAttitude(const Bytes b, ConfigModel &m)
{
    m.AttiM = b[3];
    for (int k = 0; k < 6; ++k)
        m.*kAttiFields[k] = b[4 + k];
}

void storeElevon(const Bytes b, ConfigModel &m)
{
    // The elevon rates arrive interleaved.
    m.EleMix = b[3];
    m.Elev01 = b[4] - 120;
    m.Elev05 = b[5] - 120;
    m.Elev02 = b[6] - 120;
    m.Elev06 = b[7] - 120;
    m.Elev03 = b[8] - 120;
    m.Elev04 = b[9] - 120;
}

void storeVtailAndRateMix(const Bytes b, ConfigModel &m)
{
    m.RuMix = b[3];
    for (int k = 0; k < 4; ++k)
        m.*kRuFields[k] = b[4 + k] - 100;
    m.DR_MIX = b[8];
}

void storeRates(const Bytes b, ConfigModel &m)
{
    for (int k = 0; k < 4; ++k)
        m.DR_UpRate[k] = b[3 + k];
    for (int k = 0; k < 4; ++k)
        m.DR_DownRate[k] = b[7 + k];
}

void storeMixes12(const Bytes b, ConfigModel &m)
{
    m.PRM01_Data2 = b[3] - 100;
    m.PRM02_Data2 = b[4] - 100;
    m.PRM01_Data3 = b[5] - 100;
    m.PRM02_Data3 = b[6] - 100;
    m.PRM01_Data1 = b[7] - 100;
    m.PRM02_Data1 = b[8] - 100;
    m.PRM01_Master = b[9];
    m.PRM02_Master = b[10];
}

void storeMixes12AndSteps(const Bytes b, ConfigModel &m)
{
    m.PRM01_Slave = b[3];
    m.PRM02_Slave = b[4];
    m.PRM01_Mix = b[5];
    m.PRM02_Mix = b[6];
    m.StkStep[3] = b[7];
    m.StkStep[2] = b[8];
    m.StkStep[1] = b[9];
    m.StkStep[0] = b[10];
}

void storeMixes34(const Bytes b, ConfigModel &m)
{
    m.PRM03_Mix = b[3];
    m.PRM03_Master = b[4];
    m.PRM03_Slave = b[5];
    m.PRM03_Data1 = b[6] - 100;
    m.PRM03_Data2 = b[7] - 100;
    m.PRM03_Data3 = b[8] - 100;
    m.PRM04_Mix = b[9];
    m.PRM04_Master = b[10];
}

void storeMix4AndThrottle(const Bytes b, ConfigModel &m)
{
    m.PRM04_Slave = b[3];
    m.PRM04_Data1 = b[4] - 100;
    m.PRM04_Data2 = b[5] - 100;
    m.PRM04_Data3 = b[6] - 100;
    m.THCURE_MIX = b[7];
    m.THCURE_Opt = b[8];
    m.THCURE_Data01 = b[9];
    m.THCURE_Data02 = b[10];
}

void storeThrottleCurve(const Bytes b, ConfigModel &m)
{
    for (int k = 0; k < 5; ++k)
        m.*kThCurveFields[2 + k] = b[3 + k];
}

void storeSwitchAndReceiver(const Bytes b, ConfigModel &m)
{
    m.DR_SW = b[3];
    m.DR_POSI = b[4];
    m.extVoltTenths = b.be16(5);
    m.extVolt = tenthsToVolts(m.extVoltTenths);
    m.Rssi = b[7] - 100;
    m.rxVoltTenths = b[8];
    m.rxVolt = tenthsToVolts(m.rxVoltTenths);
}

void storeExponentials(const Bytes b, ConfigModel &m)
{
    for (int k = 0; k < 4; ++k)
        m.DR_UpExp[k] = b[3 + k] - 100;
    for (int k = 0; k < 4; ++k)
        m.DR_DownExp[k] = b[7 + k] - 100;
}

// Stores bytes 3..10 of a known settings packet, in ascending byte order.
void decodeSettings(const Bytes b, int code, ConfigModel &m)
{
    switch (code) {
    case 0x44:
        return storeEight(b, m, kRevFields, 0);
    case 0x55:
        return storeEight(b, m, kSubFields, 120);
    case 0x66:
        return storeEight(b, m, kLepaFields, 0);
    case 0x77:
        return storeEight(b, m, kRepaFields, 0);
    case 0x88:
        return storeEight(b, m, kFsFields, 0);
    case 0x99:
        return storeVoltAndMode(b, m);
    case 0xA1:
        return storeAttitude(b, m);
    case 0xA2:
        return storeElevon(b, m);
    case 0xA3:
        return storeVtailAndRateMix(b, m);
    case 0xA4:
        return storeEight(b, m, kDelayFields, 0);
    case 0xA5:
        return storeRates(b, m);
    case 0xA6:
        return storeMixes12(b, m);
    case 0xA7:
        return storeMixes12AndSteps(b, m);
    case 0xA8:
        return storeMixes34(b, m);
    case 0xA9:
        return storeMix4AndThrottle(b, m);
    case 0xAA:
        return storeThrottleCurve(b, m);
    case 0xAB:
        return storeSwitchAndReceiver(b, m);
    case 0xAC:
        return storeExponentials(b, m);
    default:
        return;
    }
}

} // namespace

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
            decodeAux(b, m);
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
                decodeSettings(b, code, m);
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
