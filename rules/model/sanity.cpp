#include "sanity.h"

#include "configmodel.h"
#include "declarations.h"

namespace {

// lo..hi, as the distance from lo in unsigned arithmetic: one comparison
// covers both ends, and no value can overflow on the way.
void within(int &v, int lo, int hi, int fallback)
{
    if (static_cast<unsigned>(v) - static_cast<unsigned>(lo) > static_cast<unsigned>(hi - lo))
        v = fallback;
}

} // namespace

// Each setting is checked on its own value alone, against its declaration,
// so the order is free.  An alarm voltage is checked both as volts and as
// tenths; anything else in volts, NaN included, falls back.
void applySanity(ConfigModel &m)
{
    for (const SettingDecl &s : settingDecls()) {
        if (!s.checked())
            continue;
        const int lo = s.keptLo(), hi = s.keptHi();
        if (s.field) {
            within(m.*s.field, lo, hi, s.fallback);
        } else if (s.array) {
            within((m.*s.array)[s.index], lo, hi, s.fallback);
        } else {
            double &v = m.*s.volts;
            if (!(v >= lo / 10.0 && v <= hi / 10.0))
                v = s.fallbackVolts;
            within(m.*s.tenths, lo, hi, s.fallback);
        }
    }
}
