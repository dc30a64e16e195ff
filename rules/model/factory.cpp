#include "factory.h"

#include "configmodel.h"

void factoryDefaultsFirst(ConfigModel &m)
{
    for (CfgField f : kRevFields)
        m.*f = 0;
    m.rev3 = 1;
    for (CfgField f : kSubFields)
        m.*f = 0;
    for (CfgField f : kLepaFields)
        m.*f = 96;
    for (CfgField f : kRepaFields)
        m.*f = 96;
    for (CfgField f : kFsFields)
        m.*f = 50;
    m.FS3 = 0;
    for (CfgField f : kDelayFields)
        m.*f = 100;
    m.DR_MIX = 0;
    m.DR_CH = 0;
    m.DR_SW = 0;
    m.DR_UP1 = 100;
    for (int &x : m.DR_UpRate)
        x = 100;
    m.DR_DOWN1 = 100;
    for (int &x : m.DR_DownRate)
        x = 100;
    m.AttiM = 4;
    const int atti[6] = {14, 29, 44, 56, 69, 88};
    for (int k = 0; k < 6; ++k)
        m.*kAttiFields[k] = atti[k];
    m.Volt = 3.7;
    m.EleMix = 0;
    const int elev[6] = {100, 100, 100, -100, 100, 100};
    for (int k = 0; k < 6; ++k)
        m.*kElevFields[k] = elev[k];
    m.RuMix = 0;
    const int ru[4] = {50, -50, 50, 50};
    for (int k = 0; k < 4; ++k)
        m.*kRuFields[k] = ru[k];
    const int aux[4] = {1, 3, 0, 2};
    for (int k = 0; k < 4; ++k)
        m.*kAuxFields[k] = aux[k];
    m.VoltTenths = 37;
    m.Mode = 2;
    m.PRM01_Mix = 0;
    m.PRM01_Master = 0;
    m.PRM01_Slave = 3;
    m.PRM01_Data1 = m.PRM01_Data2 = m.PRM01_Data3 = 0;
    m.PRM02_Mix = 0;
    m.PRM02_Master = 1;
    m.PRM02_Slave = 5;
    m.PRM02_Data1 = m.PRM02_Data2 = m.PRM02_Data3 = 0;
}

void factoryDefaultsSecond(ConfigModel &m)
{
    m.PRM03_Mix = 0;
    m.PRM03_Master = 0;
    m.PRM03_Slave = 3;
    m.rxVolt = 4.0;
    m.PRM03_Data1 = m.PRM03_Data2 = m.PRM03_Data3 = 0;
    m.PRM04_Mix = 0;
    m.PRM04_Master = 1;
    m.PRM04_Slave = 5;
    m.PRM04_Data1 = m.PRM04_Data2 = 0;
    m.extVolt = 11.0;
    m.PRM04_Data3 = 0;
    m.rxVoltTenths = 40;
    m.extVoltTenths = 110;
    m.Rssi = -100;
    m.THCURE_MIX = 0;
    m.THCURE_Opt = 0;
    const int curve[7] = {0, 16, 33, 50, 67, 84, 100};
    for (int k = 0; k < 7; ++k)
        m.*kThCurveFields[k] = curve[k];
    m.DR_POSI = 0;
    for (int &x : m.DR_UpExp)
        x = 0;
    m.DR_EXP = 0;
    for (int &x : m.DR_DownExp)
        x = 0;
    factoryTrimsAndSteps(m);
}

void factoryTrimsAndSteps(ConfigModel &m)
{
    for (int k = 3; k >= 0; --k)
        m.StkTrim[k] = 120;
    for (int k = 3; k >= 0; --k)
        m.StkStep[k] = 2;
}
