#include "configmodel.h"

#include <climits>

const CfgField kRevFields[8] = {&ConfigModel::rev1, &ConfigModel::rev2, &ConfigModel::rev3, &ConfigModel::rev4,
                                &ConfigModel::rev5, &ConfigModel::rev6, &ConfigModel::rev7, &ConfigModel::rev8};
const CfgField kSubFields[8] = {&ConfigModel::sub1, &ConfigModel::sub2, &ConfigModel::sub3, &ConfigModel::sub4,
                                &ConfigModel::sub5, &ConfigModel::sub6, &ConfigModel::sub7, &ConfigModel::sub8};
const CfgField kLepaFields[8] = {&ConfigModel::Lepa1, &ConfigModel::Lepa2, &ConfigModel::Lepa3, &ConfigModel::Lepa4,
                                 &ConfigModel::Lepa5, &ConfigModel::Lepa6, &ConfigModel::Lepa7, &ConfigModel::Lepa8};
const CfgField kRepaFields[8] = {&ConfigModel::Repa1, &ConfigModel::Repa2, &ConfigModel::Repa3, &ConfigModel::Repa4,
                                 &ConfigModel::Repa5, &ConfigModel::Repa6, &ConfigModel::Repa7, &ConfigModel::Repa8};
const CfgField kFsFields[8] = {&ConfigModel::FS1, &ConfigModel::FS2, &ConfigModel::FS3, &ConfigModel::FS4,
                               &ConfigModel::FS5, &ConfigModel::FS6, &ConfigModel::FS7, &ConfigModel::FS8};
const CfgField kDelayFields[8] = {&ConfigModel::delay1, &ConfigModel::delay2, &ConfigModel::delay3,
                                  &ConfigModel::delay4, &ConfigModel::delay5, &ConfigModel::delay6,
                                  &ConfigModel::delay7, &ConfigModel::delay8};
const CfgField kAuxFields[4] = {&ConfigModel::AUX5, &ConfigModel::AUX6, &ConfigModel::AUX7, &ConfigModel::AUX8};
const CfgField kAttiFields[6] = {&ConfigModel::Atti1, &ConfigModel::Atti2, &ConfigModel::Atti3,
                                 &ConfigModel::Atti4, &ConfigModel::Atti5, &ConfigModel::Atti6};
const CfgField kElevFields[6] = {&ConfigModel::Elev01, &ConfigModel::Elev02, &ConfigModel::Elev03,
                                 &ConfigModel::Elev04, &ConfigModel::Elev05, &ConfigModel::Elev06};
const CfgField kRuFields[4] = {&ConfigModel::Ru1, &ConfigModel::Ru2, &ConfigModel::Ru3, &ConfigModel::Ru4};
const CfgField kThCurveFields[7] = {
    &ConfigModel::THCURE_Data01, &ConfigModel::THCURE_Data02, &ConfigModel::THCURE_Data03, &ConfigModel::THCURE_Data04,
    &ConfigModel::THCURE_Data05, &ConfigModel::THCURE_Data06, &ConfigModel::THCURE_Data07};

const PrmFields kPrmFields[4] = {
    {&ConfigModel::PRM01_Mix, &ConfigModel::PRM01_Master, &ConfigModel::PRM01_Slave, &ConfigModel::PRM01_Data1,
     &ConfigModel::PRM01_Data2, &ConfigModel::PRM01_Data3},
    {&ConfigModel::PRM02_Mix, &ConfigModel::PRM02_Master, &ConfigModel::PRM02_Slave, &ConfigModel::PRM02_Data1,
     &ConfigModel::PRM02_Data2, &ConfigModel::PRM02_Data3},
    {&ConfigModel::PRM03_Mix, &ConfigModel::PRM03_Master, &ConfigModel::PRM03_Slave, &ConfigModel::PRM03_Data1,
     &ConfigModel::PRM03_Data2, &ConfigModel::PRM03_Data3},
    {&ConfigModel::PRM04_Mix, &ConfigModel::PRM04_Master, &ConfigModel::PRM04_Slave, &ConfigModel::PRM04_Data1,
     &ConfigModel::PRM04_Data2, &ConfigModel::PRM04_Data3},
};

void selectDualRate(ConfigModel &m)
{
    const int ch = m.DR_CH;
    if (ch < 0 || ch > 3)
        return;
    m.DR_UP1 = m.DR_UpRate[ch];
    m.DR_DOWN1 = m.DR_DownRate[ch];
    if (m.DR_POSI == 0) {
        m.DR_RATE = m.DR_UpRate[ch];
        m.DR_EXP = m.DR_UpExp[ch];
    } else {
        m.DR_RATE = m.DR_DownRate[ch];
        m.DR_EXP = m.DR_DownExp[ch];
    }
}

int trimRowChannel(int mode, int row)
{
    static const int kRows[4][4] = {
        {3, 2, 1, 0},  // mode 1
        {3, 1, 2, 0},  // mode 2
        {0, 2, 1, 3},  // mode 3
        {0, 1, 2, 3},  // mode 4 and anything else
    };
    const int m = (mode >= 1 && mode <= 3) ? mode - 1 : 3;
    const int r = (row >= 1 && row <= 4) ? row - 1 : 0;
    return kRows[m][r];
}

int voltsToTenths(double volts)
{
    const float f = static_cast<float>(volts * 10.0);
    // Saturate instead of overflowing on values no editor can produce.
    if (!(f > -2147483520.0f))
        return f < 0 ? INT_MIN : 0;  // also NaN -> 0
    if (f >= 2147483520.0f)
        return INT_MAX;
    return static_cast<int>(f);
}

double tenthsToVolts(int tenths)
{
    return tenths / 10.0;
}
