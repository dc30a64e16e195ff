#include "fieldnames.h"

#include "configmodel.h"
#include "framefields.h"

#include <unordered_map>

namespace {

bool startsWith(const std::string &s, const char *prefix)
{
    return s.rfind(prefix, 0) == 0;
}

bool endsWith(const std::string &s, const char *suffix)
{
    const std::string t(suffix);
    return s.size() >= t.size() && s.compare(s.size() - t.size(), t.size(), t) == 0;
}

}  // namespace

int *modelField(ConfigModel &m, const std::string &name)
{
    // Indexed once: the simulator suites look up every field thousands of
    // times.
    static const std::unordered_map<std::string, const IntFieldInfo *> byName = [] {
        std::unordered_map<std::string, const IntFieldInfo *> map;
        for (const IntFieldInfo &f : modelIntFields())
            map.emplace(f.name.toStdString(), &f);
        return map;
    }();
    const auto it = byName.find(name);
    return it == byName.end() ? nullptr : &it->second->ref(m);
}

IntRange fieldRange(const std::string &name, bool editable)
{
    const auto pick = [editable](IntRange accepted, IntRange edited) { return editable ? edited : accepted; };
    const IntRange percent{-100, 100};

    // Programmable mixes first: their names contain other fields' prefixes.
    if (startsWith(name, "PRM")) {
        if (endsWith(name, "_Mix"))
            return {0, 2};
        if (endsWith(name, "_Master") || endsWith(name, "_Slave"))
            return pick({0, 9}, {0, 7});  // one digit on the wire; eight channels to pick
        const bool upperMixes = startsWith(name, "PRM03") || startsWith(name, "PRM04");
        if (upperMixes && (endsWith(name, "_Data2") || endsWith(name, "_Data3")))
            return pick(percent, {0, 100});
        return percent;
    }
    if (startsWith(name, "THCURE_Data"))
        return {0, 100};
    if (name == "THCURE_MIX")
        return pick({0, 5}, {0, 1});
    if (name == "THCURE_Opt")
        return {0, 4};

    if (startsWith(name, "rev"))
        return {0, 1};
    if (startsWith(name, "sub"))
        return percent;
    if (startsWith(name, "Lepa") || startsWith(name, "Repa"))
        return {0, 120};
    if (startsWith(name, "FS") || startsWith(name, "delay"))
        return {0, 100};
    if (startsWith(name, "AUX"))
        return {0, 5};

    if (name == "DR_MIX")
        return {0, 1};
    if (name == "DR_CH")
        return pick({0, 4}, {0, 3});
    if (name == "DR_SW")
        return pick({0, 2}, {0, 0});
    if (name == "DR_POSI")
        return pick({0, 4}, {0, 1});
    if (startsWith(name, "DR_UpExp") || startsWith(name, "DR_DownExp") || name == "DR_EXP")
        return percent;
    if (startsWith(name, "DR_"))
        return {0, 100};

    if (name == "AttiM")
        return pick({0, 5}, {0, 4});
    if (startsWith(name, "Atti"))
        return {0, 100};
    if (name == "EleMix" || name == "RuMix")
        return {0, 1};
    if (startsWith(name, "Elev") || startsWith(name, "Ru"))
        return percent;

    // Two hex digits with an offset of 16 carry up to 23.9 V; the power
    // battery travels as three decimal digits.
    if (name == "VoltTenths" || name == "rxVoltTenths")
        return {0, 239};
    if (name == "extVoltTenths")
        return {0, 999};
    if (name == "Rssi")
        return {-100, 0};
    if (name == "Mode")
        return pick({0, 4}, {1, 4});
    if (name == "Vertion")
        return {0, 1000};
    // The live packet reports a trim byte of 239 or more as 240, which no
    // frame can carry back.
    if (startsWith(name, "StkTrim"))
        return pick({0, 239}, {0, 238});
    if (startsWith(name, "StkStep"))
        return {1, 20};
    return {0, 0};
}
