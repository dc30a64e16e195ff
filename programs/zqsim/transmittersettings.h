#pragma once

#include <string>
#include <vector>

namespace zqsim {

// Everything the transmitter keeps and exchanges with the configuration
// tool.  Field names follow the tool's model so the two can be compared
// field by field.  Voltages are held in tenths of a volt only: the
// transmitter never sees the tool's doubles.
struct TransmitterSettings
{
    int rev1 = 0, rev2 = 0, rev3 = 1, rev4 = 0, rev5 = 0, rev6 = 0, rev7 = 0, rev8 = 0;
    int sub1 = 0, sub2 = 0, sub3 = 0, sub4 = 0, sub5 = 0, sub6 = 0, sub7 = 0, sub8 = 0;
    int Lepa1 = 96, Lepa2 = 96, Lepa3 = 96, Lepa4 = 96, Lepa5 = 96, Lepa6 = 96, Lepa7 = 96, Lepa8 = 96;
    int Repa1 = 96, Repa2 = 96, Repa3 = 96, Repa4 = 96, Repa5 = 96, Repa6 = 96, Repa7 = 96, Repa8 = 96;
    int FS1 = 50, FS2 = 50, FS3 = 0, FS4 = 50, FS5 = 50, FS6 = 50, FS7 = 50, FS8 = 50;
    int delay1 = 100, delay2 = 100, delay3 = 100, delay4 = 100;
    int delay5 = 100, delay6 = 100, delay7 = 100, delay8 = 100;
    int AUX5 = 1, AUX6 = 3, AUX7 = 0, AUX8 = 2;

    int VoltTenths = 37;
    int Mode = 2;
    int Vertion = 51;  // firmware number reported on a read; no frame changes it

    int AttiM = 4;
    int Atti1 = 14, Atti2 = 29, Atti3 = 44, Atti4 = 56, Atti5 = 69, Atti6 = 88;
    int EleMix = 0;
    int Elev01 = 100, Elev02 = 100, Elev03 = 100, Elev04 = -100, Elev05 = 100, Elev06 = 100;
    int RuMix = 0;
    int Ru1 = 50, Ru2 = -50, Ru3 = 50, Ru4 = 50;

    int DR_MIX = 0, DR_CH = 0, DR_SW = 0, DR_POSI = 0;
    int DR_UP1 = 100, DR_DOWN1 = 100;  // rates of the channel DR_CH, as the G frame carries them
    int DR_UpRate[4] = {100, 100, 100, 100};
    int DR_DownRate[4] = {100, 100, 100, 100};
    int DR_UpExp[4] = {0, 0, 0, 0};
    int DR_DownExp[4] = {0, 0, 0, 0};

    int PRM01_Mix = 0, PRM01_Master = 0, PRM01_Slave = 3, PRM01_Data1 = 0, PRM01_Data2 = 0, PRM01_Data3 = 0;
    int PRM02_Mix = 0, PRM02_Master = 1, PRM02_Slave = 5, PRM02_Data1 = 0, PRM02_Data2 = 0, PRM02_Data3 = 0;
    int PRM03_Mix = 0, PRM03_Master = 0, PRM03_Slave = 3, PRM03_Data1 = 0, PRM03_Data2 = 0, PRM03_Data3 = 0;
    int PRM04_Mix = 0, PRM04_Master = 1, PRM04_Slave = 5, PRM04_Data1 = 0, PRM04_Data2 = 0, PRM04_Data3 = 0;

    int THCURE_MIX = 0, THCURE_Opt = 0;
    int THCURE_Data01 = 0, THCURE_Data02 = 16, THCURE_Data03 = 33, THCURE_Data04 = 50;
    int THCURE_Data05 = 67, THCURE_Data06 = 84, THCURE_Data07 = 100;

    int extVoltTenths = 110;
    int rxVoltTenths = 40;
    int Rssi = -100;

    int StkTrim[4] = {120, 120, 120, 120};  // 120 is the centre
    int StkStep[4] = {2, 2, 2, 2};

    bool operator==(const TransmitterSettings &o) const;
    bool operator!=(const TransmitterSettings &o) const { return !(*this == o); }
};

// The factory state (what a new transmitter holds).
inline TransmitterSettings factorySettings()
{
    return TransmitterSettings();
}

// Named access to every field, for comparisons and diagnostics.  Array
// entries are named like "StkTrim[2]".
struct SettingsField
{
    const char *name;
    int &(*ref)(TransmitterSettings &);
};
const std::vector<SettingsField> &settingsFields();

// nullptr when no field has that name.
int *fieldByName(TransmitterSettings &s, const std::string &name);

// Names of the fields whose values differ, in registry order.
std::vector<std::string> differingFields(const TransmitterSettings &a, const TransmitterSettings &b);

}  // namespace zqsim
