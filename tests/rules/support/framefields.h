#pragma once

// Every model field the configuration frames carry, with the range of
// values its frame field can hold, for tests that walk the whole model.

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
