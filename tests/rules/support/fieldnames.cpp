#include "fieldnames.h"

#include "configmodel.h"

#include <vector>

namespace {

struct Named
{
    const char *name;
    int &(*ref)(ConfigModel &);
};

#define F(f) Named{#f, [](ConfigModel &m) -> int & { return m.f; }}
#define A(f, i) Named{#f "[" #i "]", [](ConfigModel &m) -> int & { return m.f[i]; }}
#define F8(p) F(p##1), F(p##2), F(p##3), F(p##4), F(p##5), F(p##6), F(p##7), F(p##8)
#define A4(f) A(f, 0), A(f, 1), A(f, 2), A(f, 3)
#define PRM(n) F(PRM##n##_Mix), F(PRM##n##_Master), F(PRM##n##_Slave), \
    F(PRM##n##_Data1), F(PRM##n##_Data2), F(PRM##n##_Data3)

const std::vector<Named> &namedFields()
{
    static const std::vector<Named> fields = {
        F8(rev), F8(sub), F8(Lepa), F8(Repa), F8(FS), F8(delay),
        F(AUX5), F(AUX6), F(AUX7), F(AUX8),
        F(DR_MIX), F(DR_CH), F(DR_SW), F(DR_POSI),
        A4(DR_UpRate), A4(DR_DownRate), A4(DR_UpExp), A4(DR_DownExp),
        F(DR_UP1), F(DR_DOWN1), F(DR_RATE), F(DR_EXP),
        F(AttiM), F(Atti1), F(Atti2), F(Atti3), F(Atti4), F(Atti5), F(Atti6),
        F(EleMix), F(Elev01), F(Elev02), F(Elev03), F(Elev04), F(Elev05), F(Elev06),
        F(RuMix), F(Ru1), F(Ru2), F(Ru3), F(Ru4),
        PRM(01), PRM(02), PRM(03), PRM(04),
        F(THCURE_MIX), F(THCURE_Opt),
        F(THCURE_Data01), F(THCURE_Data02), F(THCURE_Data03), F(THCURE_Data04),
        F(THCURE_Data05), F(THCURE_Data06), F(THCURE_Data07),
        F(VoltTenths), F(rxVoltTenths), F(extVoltTenths),
        F(Rssi), F(Mode), F(Vertion),
        A4(StkTrim), A4(StkStep),
    };
    return fields;
}

#undef PRM
#undef A4
#undef F8
#undef A
#undef F

bool startsWith(const std::string &s, const char *prefix)
{
    return s.rfind(prefix, 0) == 0;
}

bool endsWith(const std::string &s, const char *suffix)
{
    const std::string t(suffix);
    return s.size() >= t.size() && s.compare(s.size() - t.size(), t.size(), t) == 0;
}

} // namespace

int *modelField(ConfigModel &m, const std::string &name)
{
    for (const Named &f : namedFields())
        if (name == f.name)
            return &f.ref(m);
    return nullptr;
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
