#include "sanity.h"

#include "configmodel.h"

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

} // namespace

void applySanity(ConfigModel &m)
{
    // Channel groups.  rev3 and FS3 (the throttle) have their own fallbacks.
    for (int k = 0; k < 8; ++k)
        upTo(m.*kRevFields[k], 1, k == 2 ? 1 : 0);
    for (int k = 0; k < 8; ++k)
        percent(m.*kSubFields[k], 0);
    for (int k = 0; k < 8; ++k)
        upTo(m.*kLepaFields[k], 120, 96);
    for (int k = 0; k < 8; ++k)
        upTo(m.*kRepaFields[k], 120, 96);
    for (int k = 0; k < 8; ++k)
        upTo(m.*kFsFields[k], 100, k == 2 ? 0 : 50);
    for (int k = 0; k < 8; ++k)
        upTo(m.*kDelayFields[k], 100, 100);

    // Dual rate: selectors, working rates and the rate arrays.
    upTo(m.DR_MIX, 1, 0);
    upTo(m.DR_CH, 4, 0);
    upTo(m.DR_SW, 2, 0);
    upTo(m.DR_UP1, 100, 100);
    for (int &v : m.DR_UpRate)
        upTo(v, 100, 100);
    upTo(m.DR_DOWN1, 100, 100);
    for (int &v : m.DR_DownRate)
        upTo(v, 100, 100);

    // Attitude, elevon and V-tail mixes fall back to their initial values.
    static const int kAttiInit[6] = {14, 29, 44, 56, 69, 88};
    static const int kElevInit[6] = {100, 100, 100, -100, 100, 100};
    static const int kRuInit[4] = {50, -50, 50, 50};
    upTo(m.AttiM, 5, 4);
    for (int k = 0; k < 6; ++k)
        upTo(m.*kAttiFields[k], 100, kAttiInit[k]);
    upTo(m.EleMix, 1, 0);
    for (int k = 0; k < 6; ++k)
        percent(m.*kElevFields[k], kElevInit[k]);
    upTo(m.RuMix, 1, 0);
    for (int k = 0; k < 4; ++k)
        percent(m.*kRuFields[k], kRuInit[k]);

    static const int kAuxInit[4] = {1, 3, 0, 2};
    for (int k = 0; k < 4; ++k)
        upTo(m.*kAuxFields[k], 5, kAuxInit[k]);

    volts(m.Volt, 50.0, 0.0);
    upTo(m.VoltTenths, 500, 37);
    upTo(m.Mode, 4, 1);

    static const int kMasterInit[4] = {0, 1, 0, 1};
    static const int kSlaveInit[4] = {3, 5, 3, 5};
    const auto mix = [&m](int k) {
        const PrmFields &f = kPrmFields[k];
        upTo(m.*f.mix, 2, 0);
        upTo(m.*f.master, 10, kMasterInit[k]);
        upTo(m.*f.slave, 10, kSlaveInit[k]);
        percent(m.*f.data1, 0);
        percent(m.*f.data2, 0);
        percent(m.*f.data3, 0);
    };
    mix(0);
    mix(1);

    volts(m.rxVolt, 100.0, 4.0);
    upTo(m.rxVoltTenths, 1000, 40);
    volts(m.extVolt, 100.0, 11.0);
    upTo(m.extVoltTenths, 1000, 110);
    // -100..0, shifted into 0..100.
    if (static_cast<unsigned>(m.Rssi) + 100u > 100u)
        m.Rssi = -100;

    static const int kCurveInit[7] = {0, 16, 33, 50, 67, 84, 100};
    upTo(m.THCURE_MIX, 5, 0);
    upTo(m.THCURE_Opt, 4, 0);
    for (int k = 0; k < 7; ++k)
        upTo(m.*kThCurveFields[k], 100, kCurveInit[k]);

    upTo(m.DR_POSI, 4, 0);
    for (int &v : m.DR_UpExp)
        percent(v, 0);
    percent(m.DR_EXP, 0);
    for (int &v : m.DR_DownExp)
        percent(v, 0);

    mix(2);
    mix(3);
}
