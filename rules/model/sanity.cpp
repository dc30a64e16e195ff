#include "sanity.h"

#include "configmodel.h"

#include <cstddef>

namespace {

// Ranges starting at 0 are compared unsigned, so negative values fail too.
void upTo(int &v, unsigned max, int fallback)
{
    if (static_cast<unsigned>(v) > max)
        v = fallback;
}

// -100..100, shifted into 0..200 (in unsigned arithmetic, so no value can
// overflow on the way).
void percent(int &v, int fallback)
{
    if (static_cast<unsigned>(v) + 100u > 200u)
        v = fallback;
}

// A voltage 0..max; anything else, NaN included, falls back.
void volts(double &v, double max, double fallback)
{
    if (!(v >= 0.0 && v <= max))
        v = fallback;
}

// An out-of-range value falls back to the field's initial value; only Volt
// and Mode have fallbacks of their own, written where they are checked.
constexpr ConfigModel kInitial{};

template <std::size_t N> void groupUpTo(ConfigModel &m, const CfgField (&fields)[N], unsigned max)
{
    for (CfgField f : fields)
        upTo(m.*f, max, kInitial.*f);
}

template <std::size_t N> void groupPercent(ConfigModel &m, const CfgField (&fields)[N])
{
    for (CfgField f : fields)
        percent(m.*f, kInitial.*f);
}

void checkChannels(ConfigModel &m)
{
    groupUpTo(m, kRevFields, 1);
    groupPercent(m, kSubFields);
    groupUpTo(m, kLepaFields, 120);
    groupUpTo(m, kRepaFields, 120);
    groupUpTo(m, kFsFields, 100);
    groupUpTo(m, kDelayFields, 100);
    groupUpTo(m, kAuxFields, 5);
}

// Selectors, working rates and exponential, and the per-channel arrays.
void checkDualRate(ConfigModel &m)
{
    upTo(m.DR_MIX, 1, kInitial.DR_MIX);
    upTo(m.DR_CH, 4, kInitial.DR_CH);
    upTo(m.DR_SW, 2, kInitial.DR_SW);
    upTo(m.DR_POSI, 4, kInitial.DR_POSI);
    upTo(m.DR_UP1, 100, kInitial.DR_UP1);
    upTo(m.DR_DOWN1, 100, kInitial.DR_DOWN1);
    percent(m.DR_EXP, kInitial.DR_EXP);
    for (int k = 0; k < 4; ++k) {
        upTo(m.DR_UpRate[k], 100, kInitial.DR_UpRate[k]);
        upTo(m.DR_DownRate[k], 100, kInitial.DR_DownRate[k]);
        percent(m.DR_UpExp[k], kInitial.DR_UpExp[k]);
        percent(m.DR_DownExp[k], kInitial.DR_DownExp[k]);
    }
}

// Attitude, elevon, V-tail, the four programmable mixes, the throttle curve.
void checkMixes(ConfigModel &m)
{
    upTo(m.AttiM, 5, kInitial.AttiM);
    groupUpTo(m, kAttiFields, 100);
    upTo(m.EleMix, 1, kInitial.EleMix);
    groupPercent(m, kElevFields);
    upTo(m.RuMix, 1, kInitial.RuMix);
    groupPercent(m, kRuFields);
    for (const PrmFields &f : kPrmFields) {
        upTo(m.*f.mix, 2, kInitial.*f.mix);
        upTo(m.*f.master, 10, kInitial.*f.master);
        upTo(m.*f.slave, 10, kInitial.*f.slave);
        percent(m.*f.data1, kInitial.*f.data1);
        percent(m.*f.data2, kInitial.*f.data2);
        percent(m.*f.data3, kInitial.*f.data3);
    }
    upTo(m.THCURE_MIX, 5, kInitial.THCURE_MIX);
    upTo(m.THCURE_Opt, 4, kInitial.THCURE_Opt);
    groupUpTo(m, kThCurveFields, 100);
}

// System settings: the alarm voltages, signal strength, stick mode.
void checkSystem(ConfigModel &m)
{
    volts(m.Volt, 50.0, 0.0);  // not the initial 11.0 V
    upTo(m.VoltTenths, 500, kInitial.VoltTenths);
    upTo(m.Mode, 4, 1);  // not the initial 2
    volts(m.rxVolt, 100.0, kInitial.rxVolt);
    upTo(m.rxVoltTenths, 1000, kInitial.rxVoltTenths);
    volts(m.extVolt, 100.0, kInitial.extVolt);
    upTo(m.extVoltTenths, 1000, kInitial.extVoltTenths);
    // -100..0, shifted into 0..100.
    if (static_cast<unsigned>(m.Rssi) + 100u > 100u)
        m.Rssi = kInitial.Rssi;
}

} // namespace

// Each field is checked on its own value alone, so the order is free.
void applySanity(ConfigModel &m)
{
    checkChannels(m);
    checkDualRate(m);
    checkMixes(m);
    checkSystem(m);
}
