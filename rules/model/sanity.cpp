#include "sanity.h"

#include "configmodel.h"

#include <cstddef>

namespace {

// lo..hi, as the distance from lo in unsigned arithmetic: one comparison
// covers both ends, and no value can overflow on the way.
void within(int &v, int lo, int hi, int fallback)
{
    if (static_cast<unsigned>(v) - static_cast<unsigned>(lo) > static_cast<unsigned>(hi - lo))
        v = fallback;
}

void upTo(int &v, int max, int fallback)
{
    within(v, 0, max, fallback);
}

void percent(int &v, int fallback)
{
    within(v, -100, 100, fallback);
}

// An alarm voltage 0..maxTenths, both as volts and as tenths; anything
// else, NaN included, falls back.
void alarm(double &v, int &tenths, int maxTenths, double fallback, int fallbackTenths)
{
    if (!(v >= 0.0 && v <= maxTenths / 10.0))
        v = fallback;
    upTo(tenths, maxTenths, fallbackTenths);
}

// An out-of-range value falls back to the field's initial value; only Volt
// and Mode have fallbacks of their own, written where they are checked.
constexpr ConfigModel kInitial{};

template <std::size_t N> void groupUpTo(ConfigModel &m, const CfgField (&fields)[N], int max)
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
    // Four channels, one switch, two positions to pick from.
    upTo(m.DR_CH, 3, kInitial.DR_CH);
    upTo(m.DR_SW, 0, kInitial.DR_SW);
    upTo(m.DR_POSI, 1, kInitial.DR_POSI);
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
    upTo(m.AttiM, 4, kInitial.AttiM);  // CH5..CH8, off
    groupUpTo(m, kAttiFields, 100);
    upTo(m.EleMix, 1, kInitial.EleMix);
    groupPercent(m, kElevFields);
    upTo(m.RuMix, 1, kInitial.RuMix);
    groupPercent(m, kRuFields);
    for (int k = 0; k < 4; ++k) {
        const PrmFields &f = kPrmFields[k];
        upTo(m.*f.mix, 2, kInitial.*f.mix);
        upTo(m.*f.master, 7, kInitial.*f.master);  // CH1..CH8
        upTo(m.*f.slave, 7, kInitial.*f.slave);
        percent(m.*f.data1, kInitial.*f.data1);
        // The last two mixes only mix in one direction.
        const int lower = k < 2 ? -100 : 0;
        within(m.*f.data2, lower, 100, kInitial.*f.data2);
        within(m.*f.data3, lower, 100, kInitial.*f.data3);
    }
    upTo(m.THCURE_MIX, 1, kInitial.THCURE_MIX);
    upTo(m.THCURE_Opt, 4, kInitial.THCURE_Opt);
    groupUpTo(m, kThCurveFields, 100);
}

// System settings: the alarm voltages, signal strength, stick mode, trim
// steps.  The transmitter and receiver alarms travel as two hex digits
// (offset 16), which end at 23.9 V; the power battery as three decimal
// digits, which end at 99.9 V.
void checkSystem(ConfigModel &m)
{
    alarm(m.Volt, m.VoltTenths, 239, 0.0, kInitial.VoltTenths);  // not the initial 11.0 V
    alarm(m.rxVolt, m.rxVoltTenths, 239, kInitial.rxVolt, kInitial.rxVoltTenths);
    alarm(m.extVolt, m.extVoltTenths, 999, kInitial.extVolt, kInitial.extVoltTenths);
    within(m.Rssi, -100, 0, kInitial.Rssi);
    within(m.Mode, 1, 4, 1);  // not the initial 2
    for (int k = 0; k < 4; ++k)
        within(m.StkStep[k], 1, 20, kInitial.StkStep[k]);
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
