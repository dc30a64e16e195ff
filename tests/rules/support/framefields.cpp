#include "framefields.h"

#include <QRandomGenerator>
#include <QStringList>

#include <climits>
#include <cmath>
#include <limits>

namespace {

// Encodable value range of a two-hex-digit field with the given offset.
constexpr int hexLo(int offset)
{
    return 0x10 - offset;
}
constexpr int hexHi(int offset)
{
    return 0xFF - offset;
}

QVector<IntFieldInfo> buildIntFields()
{
    QVector<IntFieldInfo> v;
    enum { S, G, H, I };
    auto scalar = [&v](const QString &name, CfgField f, int lo, int hi, int frame) {
        v.append({name, [f](ConfigModel &m) -> int & { return m.*f; }, lo, hi, frame});
    };
    auto array = [&v](const QString &name, int(ConfigModel::*a)[4], int k, int lo, int hi, int frame) {
        v.append({QStringLiteral("%1[%2]").arg(name).arg(k), [a, k](ConfigModel &m) -> int & { return (m.*a)[k]; }, lo,
                  hi, frame});
    };
    auto digit = [&](const QString &name, CfgField f, int frame) { scalar(name, f, 0, 9, frame); };
    auto hex = [&](const QString &name, CfgField f, int off, int frame) {
        scalar(name, f, hexLo(off), hexHi(off), frame);
    };

    for (int k = 0; k < 8; ++k) {
        const QString n = QString::number(k + 1);
        digit("rev" + n, kRevFields[k], S);
        hex("sub" + n, kSubFields[k], 120, S);
        hex("Lepa" + n, kLepaFields[k], 16, S);
        hex("Repa" + n, kRepaFields[k], 16, S);
        hex("FS" + n, kFsFields[k], 16, S);
        hex("delay" + n, kDelayFields[k], 16, G);
    }
    for (int k = 0; k < 4; ++k) {
        digit(QStringLiteral("AUX%1").arg(k + 5), kAuxFields[k], S);
        hex(QStringLiteral("Ru%1").arg(k + 1), kRuFields[k], 116, G);
    }
    for (int k = 0; k < 6; ++k) {
        hex(QStringLiteral("Atti%1").arg(k + 1), kAttiFields[k], 16, G);
        hex(QStringLiteral("Elev0%1").arg(k + 1), kElevFields[k], 120, G);
    }
    for (int k = 0; k < 7; ++k)
        hex(QStringLiteral("THCURE_Data0%1").arg(k + 1), kThCurveFields[k], 16, H);
    for (int p = 0; p < 4; ++p) {
        const QString n = QStringLiteral("PRM0%1_").arg(p + 1);
        const int frame = p < 2 ? G : H;
        digit(n + "Mix", kPrmFields[p].mix, frame);
        digit(n + "Master", kPrmFields[p].master, frame);
        digit(n + "Slave", kPrmFields[p].slave, frame);
        hex(n + "Data1", kPrmFields[p].data1, 116, frame);
        hex(n + "Data2", kPrmFields[p].data2, 116, frame);
        hex(n + "Data3", kPrmFields[p].data3, 116, frame);
    }
    digit("Mode", &ConfigModel::Mode, S);
    digit("AttiM", &ConfigModel::AttiM, G);
    digit("EleMix", &ConfigModel::EleMix, G);
    digit("RuMix", &ConfigModel::RuMix, G);
    digit("DR_MIX", &ConfigModel::DR_MIX, G);
    digit("DR_CH", &ConfigModel::DR_CH, G);
    hex("DR_UP1", &ConfigModel::DR_UP1, 16, G);
    hex("DR_DOWN1", &ConfigModel::DR_DOWN1, 16, G);
    digit("DR_SW", &ConfigModel::DR_SW, H);
    digit("DR_POSI", &ConfigModel::DR_POSI, H);
    digit("THCURE_MIX", &ConfigModel::THCURE_MIX, H);
    digit("THCURE_Opt", &ConfigModel::THCURE_Opt, H);
    hex("Rssi", &ConfigModel::Rssi, 120, H);
    for (int k = 0; k < 4; ++k) {
        array("DR_UpRate", &ConfigModel::DR_UpRate, k, hexLo(16), hexHi(16), H);
        array("DR_DownRate", &ConfigModel::DR_DownRate, k, hexLo(16), hexHi(16), H);
        array("DR_UpExp", &ConfigModel::DR_UpExp, k, hexLo(116), hexHi(116), H);
        array("DR_DownExp", &ConfigModel::DR_DownExp, k, hexLo(116), hexHi(116), H);
        array("StkTrim", &ConfigModel::StkTrim, k, hexLo(16), hexHi(16), I);
        array("StkStep", &ConfigModel::StkStep, k, hexLo(16), hexHi(16), I);
    }
    return v;
}

int wildInt(QRandomGenerator &rng, int lo, int hi)
{
    switch (rng.bounded(6)) {
    case 0:
        return INT_MIN;
    case 1:
        return INT_MAX;
    case 2:
        return int(rng.generate());
    case 3:
        return lo - 1 - rng.bounded(500);
    case 4:
        return hi + 1 + rng.bounded(500);
    default:
        return lo + rng.bounded(hi - lo + 1);
    }
}

double wildVolts(QRandomGenerator &rng)
{
    switch (rng.bounded(6)) {
    case 0:
        return std::numeric_limits<double>::quiet_NaN();
    case 1:
        return -rng.bounded(1000.0);
    case 2:
        return 24.0 + rng.bounded(76.0);  // beyond 23.9 V, within the editor
    case 3:
        return rng.bounded(1.0e12);
    default:
        return rng.bounded(1000) / 10.0;
    }
}

}  // namespace

const QVector<IntFieldInfo> &frameIntFields()
{
    static const QVector<IntFieldInfo> fields = buildIntFields();
    return fields;
}

const QVector<VoltFieldInfo> &frameVoltFields()
{
    static const QVector<VoltFieldInfo> fields = {
        {"Volt", &ConfigModel::Volt, &ConfigModel::VoltTenths, 239, 0},
        {"rxVolt", &ConfigModel::rxVolt, &ConfigModel::rxVoltTenths, 239, 2},
        {"extVolt", &ConfigModel::extVolt, &ConfigModel::extVoltTenths, 999, 2},
    };
    return fields;
}

const QVector<IntFieldInfo> &unframedIntFields()
{
    static const QVector<IntFieldInfo> fields = {
        {"DR_RATE", [](ConfigModel &m) -> int & { return m.DR_RATE; }, 0, 0, -1},
        {"DR_EXP", [](ConfigModel &m) -> int & { return m.DR_EXP; }, 0, 0, -1},
        {"Vertion", [](ConfigModel &m) -> int & { return m.Vertion; }, 0, 0, -1},
    };
    return fields;
}

const QVector<IntFieldInfo> &modelIntFields()
{
    static const QVector<IntFieldInfo> fields = [] {
        QVector<IntFieldInfo> v = frameIntFields();
        for (const VoltFieldInfo &f : frameVoltFields()) {
            const auto tenths = f.tenths;
            v.append(
                {f.name + "Tenths", [tenths](ConfigModel &m) -> int & { return m.*tenths; }, 0, f.hiTenths, f.frame});
        }
        return v + unframedIntFields();
    }();
    return fields;
}

ConfigModel randomEncodableModel(QRandomGenerator &rng)
{
    ConfigModel m;
    for (const IntFieldInfo &f : frameIntFields())
        f.ref(m) = f.lo + rng.bounded(f.hi - f.lo + 1);
    for (const VoltFieldInfo &f : frameVoltFields()) {
        m.*f.tenths = rng.bounded(f.hiTenths + 1);
        m.*f.volts = tenthsToVolts(m.*f.tenths);
    }
    return m;
}

ConfigModel randomWildModel(QRandomGenerator &rng)
{
    ConfigModel m;
    for (const IntFieldInfo &f : frameIntFields())
        f.ref(m) = wildInt(rng, f.lo, f.hi);
    for (const VoltFieldInfo &f : frameVoltFields()) {
        m.*f.volts = wildVolts(rng);
        m.*f.tenths = int(rng.generate());
    }
    return m;
}

QStringList differingFrameFields(const ConfigModel &a, const ConfigModel &b)
{
    QStringList out;
    ConfigModel x = a, y = b;
    for (const IntFieldInfo &f : frameIntFields())
        if (f.ref(x) != f.ref(y))
            out << QStringLiteral("%1: %2 vs %3").arg(f.name).arg(f.ref(x)).arg(f.ref(y));
    for (const VoltFieldInfo &f : frameVoltFields()) {
        const double va = x.*f.volts, vb = y.*f.volts;
        const bool sameVolts = va == vb || (std::isnan(va) && std::isnan(vb));
        if (x.*f.tenths != y.*f.tenths || !sameVolts)
            out << QStringLiteral("%1: %2 (%3) vs %4 (%5)")
                       .arg(f.name)
                       .arg(x.*f.volts)
                       .arg(x.*f.tenths)
                       .arg(y.*f.volts)
                       .arg(y.*f.tenths);
    }
    return out;
}

ConfigModel distinctModel()
{
    ConfigModel m;
    for (int k = 0; k < 8; ++k) {
        m.*kRevFields[k] = k + 1;
        m.*kSubFields[k] = -11 * (k + 1);
        m.*kLepaFields[k] = 101 + k;
        m.*kRepaFields[k] = 111 + k;
        m.*kFsFields[k] = 51 + k;
        m.*kDelayFields[k] = 1 + k;
    }
    for (int k = 0; k < 6; ++k) {
        m.*kAttiFields[k] = 31 + k;
        m.*kElevFields[k] = -10 * (k + 1);
    }
    for (int k = 0; k < 7; ++k)
        m.*kThCurveFields[k] = 3 + 7 * k;
    for (int k = 0; k < 4; ++k) {
        m.*kAuxFields[k] = (9 + k) % 10;
        m.*kRuFields[k] = 21 + k;
        m.*kPrmFields[k].mix = k;
        m.*kPrmFields[k].master = 6 + k;
        m.*kPrmFields[k].slave = (8 + k) % 10;
        m.*kPrmFields[k].data1 = 70 + 3 * k;
        m.*kPrmFields[k].data2 = 71 + 3 * k;
        m.*kPrmFields[k].data3 = 72 + 3 * k;
        m.DR_UpRate[k] = 81 + k;
        m.DR_DownRate[k] = 85 + k;
        m.DR_UpExp[k] = -21 - k;
        m.DR_DownExp[k] = -31 - k;
        m.StkTrim[k] = 100 + 11 * k;
        m.StkStep[k] = 5 + 4 * k;
    }
    m.Mode = 3;
    m.AttiM = 2;
    m.EleMix = 3;
    m.RuMix = 4;
    m.DR_MIX = 5;
    m.DR_CH = 1;
    m.DR_UP1 = 91;
    m.DR_DOWN1 = 92;
    m.THCURE_MIX = 4;
    m.THCURE_Opt = 5;
    m.DR_POSI = 6;
    m.DR_SW = 7;
    m.Rssi = -57;
    m.Volt = 12.6;
    m.VoltTenths = 126;
    m.rxVolt = 7.5;
    m.rxVoltTenths = 75;
    m.extVolt = 48.7;
    m.extVoltTenths = 487;
    return m;
}

const char kDistinctFile[] =
    "S12345678"
    "6D62574C41362B20"
    "75767778797A7B7C"
    "7F80818283848586"
    "434445464748494A"
    "9012"
    "8E"
    "3"
    "Y"
    "G2"
    "2F3031323334"
    "3"
    "6E46643C5A50"
    "4"
    "898A8B8C"
    "6"
    "1112131415161718"
    "51"
    "6B"
    "6C"
    "BBBEBCBFBABD"
    "678901"
    "6D2Z"
    "H"
    "61626364"
    "65666768"
    "280"
    "C0C1C2"
    "391"
    "C3C4C5"
    "45"
    "131A21282F363D"
    "6"
    "5F5E5D5C"
    "55545352"
    "487"
    "3F"
    "7"
    "5B"
    "0000X"
    "I"
    "958A7F74"
    "211D1915"
    "000000000000000000000000000000000000000000000000000000000000000V";
