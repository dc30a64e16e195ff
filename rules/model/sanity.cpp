#include "sanity.h"

#include "configmodel.h"
#include "declarations.h"

#include <vector>

namespace {

// One checked int of the model: where it lies, its range lo..hi as the
// distance from lo in unsigned arithmetic (one comparison covers both ends,
// and no value can overflow on the way), and its fallback.
struct IntCheck
{
    int ConfigModel::*field;       // a field, or
    int (ConfigModel::*array)[4];  // an array's entry
    int index;
    unsigned lo, span;
    int fallback;

    explicit IntCheck(const SettingDecl &s)
        : field(s.field), array(s.array), index(s.index), lo(static_cast<unsigned>(s.keptLo())),
          span(static_cast<unsigned>(s.keptHi()) - static_cast<unsigned>(s.keptLo())), fallback(s.fallback)
    {
    }

    void apply(ConfigModel &m) const { apply(field ? m.*field : (m.*array)[index]); }

    void apply(int &v) const
    {
        if (static_cast<unsigned>(v) - lo > span)
            v = fallback;
    }
};

struct VoltsCheck
{
    double ConfigModel::*volts;
    int ConfigModel::*tenths;
    IntCheck tenthsCheck;
    double lo, hi;  // in volts
    double fallbackVolts;
};

struct Checks
{
    std::vector<IntCheck> ints;
    std::vector<VoltsCheck> volts;
};

// The declarations, read once into a form the pass runs through quickly:
// it runs for every packet the transmitter sends.
const Checks &checks()
{
    static const Checks c = [] {
        Checks c;
        for (const SettingDecl &s : settingDecls()) {
            if (!s.checked())
                continue;
            if (s.volts)
                c.volts.push_back(
                    {s.volts, s.tenths, IntCheck(s), s.keptLo() / 10.0, s.keptHi() / 10.0, s.fallbackVolts});
            else
                c.ints.emplace_back(s);
        }
        return c;
    }();
    return c;
}

}  // namespace

// Each setting is checked on its own value alone, against its declaration,
// so the order is free.  An alarm voltage 0..hi is checked both as volts
// and as tenths; anything else in volts, NaN included, falls back.
void applySanity(ConfigModel &m)
{
    const Checks &c = checks();
    for (const IntCheck &k : c.ints)
        k.apply(m);
    for (const VoltsCheck &k : c.volts) {
        double &v = m.*k.volts;
        if (!(v >= k.lo && v <= k.hi))
            v = k.fallbackVolts;
        k.tenthsCheck.apply(m.*k.tenths);
    }
}
