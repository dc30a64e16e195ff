#pragma once

// Where each setting lies in the transmitter's answers to a read, written
// once and walked by the packet decoder (answer -> model) and the settings
// table (which settings an answer carries back), so the two can never
// disagree.  An answer is named by its ReadFlag (packetformat.h): a
// settings packet by its code, the AUX packet by kAuxReadFlag.  Each
// answer is walked in ascending byte order.
//
// A visitor provides:
//   byte(int &, int at, int offset)         one byte holding value + offset
//   word(int &, int at)                     two bytes, high byte first
//   tenthsWord(int &, double &, int at)     a voltage as two bytes of its tenths
//   tenthsByte(int &, double &, int at)     a voltage as one byte of its tenths
//
// The stick trims arrive in the live receiver packet, not in an answer
// (decodeTrims, packetdecoder.h).

#include "configmodel.h"
#include "packetformat.h"

namespace answerlayout {

// Eight numbered fields in bytes 3..10, each holding value + offset.
template <typename V> void eight(V &v, ConfigModel &m, const CfgField (&fields)[8], int offset)
{
    for (int k = 0; k < 8; ++k)
        v.byte(m.*fields[k], 3 + k, offset);
}

template <typename V> void walk(int flag, V &v, ConfigModel &m)
{
    switch (flag) {
    case packet::settingsReadFlag(0x44):
        return eight(v, m, kRevFields, 0);
    case packet::settingsReadFlag(0x55):
        return eight(v, m, kSubFields, 120);
    case packet::settingsReadFlag(0x66):
        return eight(v, m, kLepaFields, 0);
    case packet::settingsReadFlag(0x77):
        return eight(v, m, kRepaFields, 0);
    case packet::settingsReadFlag(0x88):
        return eight(v, m, kFsFields, 0);
    case packet::settingsReadFlag(0x99):
        v.tenthsWord(m.VoltTenths, m.Volt, 3);
        v.word(m.Mode, 5);
        v.word(m.Vertion, 7);
        return;
    case packet::kAuxReadFlag:
        for (int k = 0; k < 4; ++k)
            v.byte(m.*kAuxFields[k], 3 + k, 0);
        return;
    case packet::settingsReadFlag(0xA1):
        v.byte(m.AttiM, 3, 0);
        for (int k = 0; k < 6; ++k)
            v.byte(m.*kAttiFields[k], 4 + k, 0);
        return;
    case packet::settingsReadFlag(0xA2):
        // The elevon rates arrive interleaved.
        v.byte(m.EleMix, 3, 0);
        v.byte(m.Elev01, 4, 120);
        v.byte(m.Elev05, 5, 120);
        v.byte(m.Elev02, 6, 120);
        v.byte(m.Elev06, 7, 120);
        v.byte(m.Elev03, 8, 120);
        v.byte(m.Elev04, 9, 120);
        return;
    case packet::settingsReadFlag(0xA3):
        v.byte(m.RuMix, 3, 0);
        for (int k = 0; k < 4; ++k)
            v.byte(m.*kRuFields[k], 4 + k, 100);
        v.byte(m.DR_MIX, 8, 0);
        return;
    case packet::settingsReadFlag(0xA4):
        return eight(v, m, kDelayFields, 0);
    case packet::settingsReadFlag(0xA5):
        for (int k = 0; k < 4; ++k)
            v.byte(m.DR_UpRate[k], 3 + k, 0);
        for (int k = 0; k < 4; ++k)
            v.byte(m.DR_DownRate[k], 7 + k, 0);
        return;
    case packet::settingsReadFlag(0xA6):
        v.byte(m.PRM01_Data2, 3, 100);
        v.byte(m.PRM02_Data2, 4, 100);
        v.byte(m.PRM01_Data3, 5, 100);
        v.byte(m.PRM02_Data3, 6, 100);
        v.byte(m.PRM01_Data1, 7, 100);
        v.byte(m.PRM02_Data1, 8, 100);
        v.byte(m.PRM01_Master, 9, 0);
        v.byte(m.PRM02_Master, 10, 0);
        return;
    case packet::settingsReadFlag(0xA7):
        v.byte(m.PRM01_Slave, 3, 0);
        v.byte(m.PRM02_Slave, 4, 0);
        v.byte(m.PRM01_Mix, 5, 0);
        v.byte(m.PRM02_Mix, 6, 0);
        // The trim steps from the last stick channel down.
        for (int k = 0; k < 4; ++k)
            v.byte(m.StkStep[3 - k], 7 + k, 0);
        return;
    case packet::settingsReadFlag(0xA8):
        v.byte(m.PRM03_Mix, 3, 0);
        v.byte(m.PRM03_Master, 4, 0);
        v.byte(m.PRM03_Slave, 5, 0);
        v.byte(m.PRM03_Data1, 6, 100);
        v.byte(m.PRM03_Data2, 7, 100);
        v.byte(m.PRM03_Data3, 8, 100);
        v.byte(m.PRM04_Mix, 9, 0);
        v.byte(m.PRM04_Master, 10, 0);
        return;
    case packet::settingsReadFlag(0xA9):
        v.byte(m.PRM04_Slave, 3, 0);
        v.byte(m.PRM04_Data1, 4, 100);
        v.byte(m.PRM04_Data2, 5, 100);
        v.byte(m.PRM04_Data3, 6, 100);
        v.byte(m.THCURE_MIX, 7, 0);
        v.byte(m.THCURE_Opt, 8, 0);
        v.byte(m.THCURE_Data01, 9, 0);
        v.byte(m.THCURE_Data02, 10, 0);
        return;
    case packet::settingsReadFlag(0xAA):
        for (int k = 0; k < 5; ++k)
            v.byte(m.*kThCurveFields[2 + k], 3 + k, 0);
        return;
    case packet::settingsReadFlag(0xAB):
        v.byte(m.DR_SW, 3, 0);
        v.byte(m.DR_POSI, 4, 0);
        v.tenthsWord(m.extVoltTenths, m.extVolt, 5);
        v.byte(m.Rssi, 7, 100);
        v.tenthsByte(m.rxVoltTenths, m.rxVolt, 8);
        return;
    case packet::settingsReadFlag(0xAC):
        for (int k = 0; k < 4; ++k)
            v.byte(m.DR_UpExp[k], 3 + k, 100);
        for (int k = 0; k < 4; ++k)
            v.byte(m.DR_DownExp[k], 7 + k, 100);
        return;
    default:
        return;
    }
}

}  // namespace answerlayout
