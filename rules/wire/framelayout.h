#pragma once

// The field layout of the four configuration frames, written once and
// walked by both the encoder (model -> frame text) and the file decoder
// (frame text -> model), so the two can never disagree about a position.
//
// A visitor provides:
//   lead(char)                 the frame's lead letter (one character)
//   digit(int &)               one decimal digit
//   hex(int &, int offset)     two hex digits holding value + offset
//   constant(const char *)     fixed text that carries no field
//   tenths(int &, double &)    a voltage as hex of its tenths, offset 16
//   tenthsDigits(int &, double &)  a voltage as three decimal digits of its tenths

#include "configmodel.h"

#include <initializer_list>

enum FrameKind { FrameS = 0, FrameG = 1, FrameH = 2, FrameI = 3 };

// Every frame is kFrameLength characters: its lead letter, its fields, a
// tail the transmitter keeps, and its end letter as the last character.
constexpr int kFrameLength = 81;
constexpr char kFrameLead[4] = {'S', 'G', 'H', 'I'};
constexpr char kFrameEnd[4] = {'Y', 'Z', 'X', 'V'};

namespace framelayout {

template <typename V> void walkS(V &v, ConfigModel &m)
{
    v.lead(kFrameLead[FrameS]);
    for (CfgField f : kRevFields)
        v.digit(m.*f);
    for (CfgField f : kSubFields)
        v.hex(m.*f, 120);
    for (CfgField f : kLepaFields)
        v.hex(m.*f, 16);
    for (CfgField f : kRepaFields)
        v.hex(m.*f, 16);
    for (CfgField f : kFsFields)
        v.hex(m.*f, 16);
    for (CfgField f : kAuxFields)
        v.digit(m.*f);
    v.tenths(m.VoltTenths, m.Volt);
    v.digit(m.Mode);
}

template <typename V> void walkG(V &v, ConfigModel &m)
{
    v.lead(kFrameLead[FrameG]);
    v.digit(m.AttiM);
    for (CfgField f : kAttiFields)
        v.hex(m.*f, 16);
    v.digit(m.EleMix);
    // The elevon rates go out in the transmitter's order, not by number.
    for (CfgField f : {&ConfigModel::Elev01, &ConfigModel::Elev05, &ConfigModel::Elev02, &ConfigModel::Elev06,
                       &ConfigModel::Elev03, &ConfigModel::Elev04})
        v.hex(m.*f, 120);
    v.digit(m.RuMix);
    for (CfgField f : kRuFields)
        v.hex(m.*f, 116);
    v.constant("6");
    for (CfgField f : kDelayFields)
        v.hex(m.*f, 16);
    v.digit(m.DR_MIX);
    v.digit(m.DR_CH);
    v.hex(m.DR_UP1, 16);
    v.hex(m.DR_DOWN1, 16);
    for (CfgField f : {&ConfigModel::PRM01_Data2, &ConfigModel::PRM02_Data2, &ConfigModel::PRM01_Data3,
                       &ConfigModel::PRM02_Data3, &ConfigModel::PRM01_Data1, &ConfigModel::PRM02_Data1})
        v.hex(m.*f, 116);
    for (CfgField f : {&ConfigModel::PRM01_Master, &ConfigModel::PRM02_Master, &ConfigModel::PRM01_Slave,
                       &ConfigModel::PRM02_Slave, &ConfigModel::PRM01_Mix, &ConfigModel::PRM02_Mix})
        v.digit(m.*f);
}

template <typename V> void walkH(V &v, ConfigModel &m)
{
    v.lead(kFrameLead[FrameH]);
    for (int &x : m.DR_UpRate)
        v.hex(x, 16);
    for (int &x : m.DR_DownRate)
        v.hex(x, 16);
    for (const PrmFields &p : {kPrmFields[2], kPrmFields[3]}) {
        v.digit(m.*p.mix);
        v.digit(m.*p.master);
        v.digit(m.*p.slave);
        v.hex(m.*p.data1, 116);
        v.hex(m.*p.data2, 116);
        v.hex(m.*p.data3, 116);
    }
    v.digit(m.THCURE_MIX);
    v.digit(m.THCURE_Opt);
    for (CfgField f : kThCurveFields)
        v.hex(m.*f, 16);
    v.digit(m.DR_POSI);
    for (int &x : m.DR_UpExp)
        v.hex(x, 116);
    for (int &x : m.DR_DownExp)
        v.hex(x, 116);
    v.tenthsDigits(m.extVoltTenths, m.extVolt);
    v.hex(m.Rssi, 120);
    v.digit(m.DR_SW);
    v.tenths(m.rxVoltTenths, m.rxVolt);
}

template <typename V> void walkI(V &v, ConfigModel &m)
{
    v.lead(kFrameLead[FrameI]);
    for (int k = 3; k >= 0; --k)
        v.hex(m.StkTrim[k], 16);
    for (int k = 3; k >= 0; --k)
        v.hex(m.StkStep[k], 16);
}

// The walk of one frame.
template <typename V> void walk(FrameKind kind, V &v, ConfigModel &m)
{
    switch (kind) {
    case FrameS:
        walkS(v, m);
        break;
    case FrameG:
        walkG(v, m);
        break;
    case FrameH:
        walkH(v, m);
        break;
    case FrameI:
        walkI(v, m);
        break;
    }
}

}  // namespace framelayout
