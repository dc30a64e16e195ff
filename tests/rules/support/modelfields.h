#pragma once

#include <QString>
#include <QStringList>

struct ConfigModel;
struct MonitorState;

// Names of the fields that differ between two models (or two sets of live
// values), for "nothing else changed" checks with a readable failure.
QStringList modelDiff(const ConfigModel &a, const ConfigModel &b);
QStringList monitorDiff(const MonitorState &a, const MonitorState &b);
