#pragma once

#include <QString>

class QWidget;
struct ConfigModel;

// The settings of the configuration file at `path` as the pages would take
// them on a load (repaired), over `base` for the frames it lacks; an error
// box and false when it cannot be read or holds no frame.
bool readStateFile(QWidget *parent, const QString &path, const ConfigModel &base, ConfigModel &state);
