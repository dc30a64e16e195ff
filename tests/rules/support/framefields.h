#pragma once

// The test suites' one table of model fields: every field the
// configuration frames carry, with the range of values its frame field can
// hold, and the few no frame carries.  tst_frames checks it against the
// model's size and the frame layout, so a new field cannot be left out.

#include "configmodel.h"

#include <QString>
#include <QVector>

#include <functional>

class QRandomGenerator;

struct IntFieldInfo
{
    QString name;
    std::function<int &(ConfigModel &)> ref;
    int lo, hi;  // values the frame field can carry
    int frame;   // 0..3: S, G, H, I
};

struct VoltFieldInfo
{
    QString name;
    double ConfigModel::*volts;
    int ConfigModel::*tenths;
    int hiTenths;  // 239 for the hex-coded voltages, 999 for the three digits
    int frame;
};

const QVector<IntFieldInfo> &frameIntFields();
const QVector<VoltFieldInfo> &frameVoltFields();
// The int fields no frame carries (frame -1, no range): DR_RATE (follows
// the selected rate), DR_EXP (the selected exponential) and Vertion.
const QVector<IntFieldInfo> &unframedIntFields();
// Every int field of the model once, named as in the model: the frame
// fields, the voltages' tenths ("VoltTenths", frame and range as their
// voltage) and the unframed ones.  With the voltages' doubles that is the
// whole model.
const QVector<IntFieldInfo> &modelIntFields();

// A model whose every frame field holds a random value its frame can carry.
ConfigModel randomEncodableModel(QRandomGenerator &rng);
// A model with many fields far outside what their frames can carry
// (huge and negative ints, voltages beyond 23.9 V or below 0, NaN).
ConfigModel randomWildModel(QRandomGenerator &rng);

// Names of the frame fields in which two models differ (empty when equal).
QStringList differingFrameFields(const ConfigModel &a, const ConfigModel &b);

// A model whose frame fields each hold a value of their own (a digit field
// has only ten, so a few far-apart digits repeat), and the file a save of
// it writes, worked out by hand from the frame layout: a field moved to
// another place shows in both directions.
ConfigModel distinctModel();
extern const char kDistinctFile[];
