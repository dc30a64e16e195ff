#include "transmittersettings.h"

namespace zqsim {

#define ZQ_F(f)                                                                                                        \
    SettingsField                                                                                                      \
    {                                                                                                                  \
#f, [](TransmitterSettings & s) -> int & { return s.f; }                                                       \
    }
#define ZQ_A(f, i)                                                                                                     \
    SettingsField                                                                                                      \
    {                                                                                                                  \
#f "[" #i "]", [](TransmitterSettings & s) -> int & { return s.f[i]; }                                         \
    }
#define ZQ_8(p) ZQ_F(p##1), ZQ_F(p##2), ZQ_F(p##3), ZQ_F(p##4), ZQ_F(p##5), ZQ_F(p##6), ZQ_F(p##7), ZQ_F(p##8)
#define ZQ_A4(f) ZQ_A(f, 0), ZQ_A(f, 1), ZQ_A(f, 2), ZQ_A(f, 3)
#define ZQ_PRM(n)                                                                                                      \
    ZQ_F(PRM##n##_Mix), ZQ_F(PRM##n##_Master), ZQ_F(PRM##n##_Slave), ZQ_F(PRM##n##_Data1), ZQ_F(PRM##n##_Data2),       \
        ZQ_F(PRM##n##_Data3)

const std::vector<SettingsField> &settingsFields()
{
    static const std::vector<SettingsField> fields = {
        ZQ_8(rev),           ZQ_8(sub),           ZQ_8(Lepa),          ZQ_8(Repa),          ZQ_8(FS),
        ZQ_8(delay),         ZQ_F(AUX5),          ZQ_F(AUX6),          ZQ_F(AUX7),          ZQ_F(AUX8),
        ZQ_F(VoltTenths),    ZQ_F(Mode),          ZQ_F(Vertion),       ZQ_F(AttiM),         ZQ_F(Atti1),
        ZQ_F(Atti2),         ZQ_F(Atti3),         ZQ_F(Atti4),         ZQ_F(Atti5),         ZQ_F(Atti6),
        ZQ_F(EleMix),        ZQ_F(Elev01),        ZQ_F(Elev02),        ZQ_F(Elev03),        ZQ_F(Elev04),
        ZQ_F(Elev05),        ZQ_F(Elev06),        ZQ_F(RuMix),         ZQ_F(Ru1),           ZQ_F(Ru2),
        ZQ_F(Ru3),           ZQ_F(Ru4),           ZQ_F(DR_MIX),        ZQ_F(DR_CH),         ZQ_F(DR_SW),
        ZQ_F(DR_POSI),       ZQ_F(DR_UP1),        ZQ_F(DR_DOWN1),      ZQ_A4(DR_UpRate),    ZQ_A4(DR_DownRate),
        ZQ_A4(DR_UpExp),     ZQ_A4(DR_DownExp),   ZQ_PRM(01),          ZQ_PRM(02),          ZQ_PRM(03),
        ZQ_PRM(04),          ZQ_F(THCURE_MIX),    ZQ_F(THCURE_Opt),    ZQ_F(THCURE_Data01), ZQ_F(THCURE_Data02),
        ZQ_F(THCURE_Data03), ZQ_F(THCURE_Data04), ZQ_F(THCURE_Data05), ZQ_F(THCURE_Data06), ZQ_F(THCURE_Data07),
        ZQ_F(extVoltTenths), ZQ_F(rxVoltTenths),  ZQ_F(Rssi),          ZQ_A4(StkTrim),      ZQ_A4(StkStep),
    };
    return fields;
}

#undef ZQ_PRM
#undef ZQ_A4
#undef ZQ_8
#undef ZQ_A
#undef ZQ_F

int *fieldByName(TransmitterSettings &s, const std::string &name)
{
    for (const SettingsField &f : settingsFields())
        if (name == f.name)
            return &f.ref(s);
    return nullptr;
}

std::vector<std::string> differingFields(const TransmitterSettings &a, const TransmitterSettings &b)
{
    // The accessors need non-const objects; work on copies.
    TransmitterSettings x = a, y = b;
    std::vector<std::string> out;
    for (const SettingsField &f : settingsFields())
        if (f.ref(x) != f.ref(y))
            out.push_back(f.name);
    return out;
}

bool TransmitterSettings::operator==(const TransmitterSettings &o) const
{
    return differingFields(*this, o).empty();
}

}  // namespace zqsim
