#pragma once

// Every transmitter setting the tool reads, shows, edits, sends, saves and
// loads.  The window's instance is the single source of truth: pages copy it into their widgets on every refresh tick
// and the editors' handlers write straight back.  Fields are named after their editing widget without the class prefix.
constexpr int kTrimCentre = 120;

struct ConfigModel
{
    // Channel settings.
    int rev1 = 0, rev2 = 0, rev3 = 1, rev4 = 0, rev5 = 0, rev6 = 0, rev7 = 0, rev8 = 0;
    int sub1 = 0, sub2 = 0, sub3 = 0, sub4 = 0, sub5 = 0, sub6 = 0, sub7 = 0, sub8 = 0;
    int Lepa1 = 96, Lepa2 = 96, Lepa3 = 96, Lepa4 = 96, Lepa5 = 96, Lepa6 = 96, Lepa7 = 96, Lepa8 = 96;
    int Repa1 = 96, Repa2 = 96, Repa3 = 96, Repa4 = 96, Repa5 = 96, Repa6 = 96, Repa7 = 96, Repa8 = 96;
    int FS1 = 50, FS2 = 50, FS3 = 0, FS4 = 50, FS5 = 50, FS6 = 50, FS7 = 50, FS8 = 50;
    int delay1 = 100, delay2 = 100, delay3 = 100, delay4 = 100, delay5 = 100, delay6 = 100, delay7 = 100, delay8 = 100;

    // Auxiliary channel sources (channels 5..8).
    int AUX5 = 1, AUX6 = 3, AUX7 = 0, AUX8 = 2;

    // Dual rate and exponential: arrays per channel CH1..CH4, plus the
    // working fields of the selected channel and position.
    int DR_MIX = 0, DR_CH = 0, DR_SW = 0, DR_POSI = 0;
    int DR_UpRate[4] = {100, 100, 100, 100};
    int DR_DownRate[4] = {100, 100, 100, 100};
    int DR_UpExp[4] = {0, 0, 0, 0};
    int DR_DownExp[4] = {0, 0, 0, 0};
    int DR_UP1 = 100, DR_DOWN1 = 100, DR_RATE = 100, DR_EXP = 0;

    // Attitude outputs.
    int AttiM = 4;
    int Atti1 = 14, Atti2 = 29, Atti3 = 44, Atti4 = 56, Atti5 = 69, Atti6 = 88;

    // Elevon and V-tail mixing.
    int EleMix = 0;
    int Elev01 = 100, Elev02 = 100, Elev03 = 100, Elev04 = -100, Elev05 = 100, Elev06 = 100;
    int RuMix = 0;
    int Ru1 = 50, Ru2 = -50, Ru3 = 50, Ru4 = 50;

    // Programmable mixes: Data1 offset, Data2 upper rate, Data3 lower rate.
    int PRM01_Mix = 0, PRM01_Master = 0, PRM01_Slave = 3, PRM01_Data1 = 0, PRM01_Data2 = 0, PRM01_Data3 = 0;
    int PRM02_Mix = 0, PRM02_Master = 1, PRM02_Slave = 5, PRM02_Data1 = 0, PRM02_Data2 = 0, PRM02_Data3 = 0;
    int PRM03_Mix = 0, PRM03_Master = 0, PRM03_Slave = 3, PRM03_Data1 = 0, PRM03_Data2 = 0, PRM03_Data3 = 0;
    int PRM04_Mix = 0, PRM04_Master = 1, PRM04_Slave = 5, PRM04_Data1 = 0, PRM04_Data2 = 0, PRM04_Data3 = 0;

    // Throttle curve.  THCURE_Opt has no editor: it is only received and
    // sent back unchanged.
    int THCURE_MIX = 0, THCURE_Opt = 0;
    int THCURE_Data01 = 0, THCURE_Data02 = 16, THCURE_Data03 = 33, THCURE_Data04 = 50, THCURE_Data05 = 67,
        THCURE_Data06 = 84, THCURE_Data07 = 100;

    // System settings.  The alarm voltages are doubles in volts; the tenths
    // fields are their wire encoding, refreshed whenever a frame is built.
    double Volt = 11.0, rxVolt = 4.0, extVolt = 11.0;
    int VoltTenths = 37, rxVoltTenths = 40, extVoltTenths = 110;
    int Rssi = -100;
    int Mode = 2;
    int Vertion = 0;
    // Indexed by stick channel 0..3, not by display row.  StkTrim is stored
    // with kTrimCentre as the centre.
    int StkTrim[4] = {kTrimCentre, kTrimCentre, kTrimCentre, kTrimCentre};
    int StkStep[4] = {2, 2, 2, 2};
};

// Field tables for code that walks a group of numbered fields in order.
using CfgField = int ConfigModel::*;
extern const CfgField kRevFields[8];
extern const CfgField kSubFields[8];
extern const CfgField kLepaFields[8];
extern const CfgField kRepaFields[8];
extern const CfgField kFsFields[8];
extern const CfgField kDelayFields[8];
extern const CfgField kAuxFields[4];      // AUX5..AUX8
extern const CfgField kAttiFields[6];     // Atti1..Atti6
extern const CfgField kElevFields[6];     // Elev01..Elev06
extern const CfgField kRuFields[4];       // Ru1..Ru4
extern const CfgField kThCurveFields[7];  // THCURE_Data01..THCURE_Data07

// One programmable mix's six fields.
struct PrmFields
{
    CfgField mix, master, slave, data1, data2, data3;
};
extern const PrmFields kPrmFields[4];  // PRM01..PRM04

// Copies the dual-rate entries selected by DR_CH and DR_POSI into the
// working fields DR_UP1, DR_DOWN1, DR_RATE and DR_EXP.  A DR_CH outside
// 0..3 leaves everything as it is.
void selectDualRate(ConfigModel &m);

// Stick channel (0..3) shown in display row 1..4 for a stick mode; modes
// other than 1..3 use the identity order.
int trimRowChannel(int mode, int row);

// Wire encoding of voltages in tenths of a volt.  The single-precision
// rounding makes values entered in 0.1 steps come out exact.
int voltsToTenths(double volts);
double tenthsToVolts(int tenths);
