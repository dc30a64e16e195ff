#pragma once

// Configuration files as people read them: every setting with the window's
// label and the value as its page shows it, the settings two files differ
// in, the file as JSON and back.  GUI-free; the file is read by the same
// decoder, sanity pass and encoder the window uses.

#include "configfile.h"
#include "configmodel.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Anything longer is not a configuration file (one is 324 bytes); reading
// stops there, so a huge or endless input cannot exhaust memory.
constexpr qint64 kMaxInputBytes = 1 << 20;

// Reads a whole input of at most kMaxInputBytes: a file, a pipe, or "-"
// for standard input.  False, with the reason, for a missing file, a
// directory, a device, an empty input or anything larger.
bool readInput(const QString &path, QByteArray &bytes, QString &error);

// Replaces the file at `path` by `content` as the window's save does:
// whole or not at all, its permissions kept.  False, with the reason.
bool writeOutput(const QString &path, const QByteArray &content, QString &error);

struct ConfigFileRead
{
    int length = 0;         // characters, as the window counts them
    DecodedFrames frames;   // which frames a load takes
    ConfigModel file;       // the fields of those frames (others: start-up values)
    ConfigModel afterLoad;  // what a save right after loading would write

    bool has(int frame) const;
    bool any() const { return has(0) || has(1) || has(2) || has(3); }
    QString missingFrames() const;  // "H I"
};

// Decodes file content the way a load does.
ConfigFileRead readConfigFile(const QByteArray &content);

// A configuration file is ASCII: each byte one character, the same on every
// Qt version.  Any other byte reads as U+FFFD, which no frame letter or hex
// digit matches, so the field or frame it sits in is read as a damaged
// one is.
QString configFileText(const QByteArray &content);

// A load's frames onto the model: the fields of each frame the file
// delivered whole; the other frames' fields stay as the model has them.
void takeLoadedFrames(ConfigModel &m, const ConfigFileRead &f);

// The sanity pass, then a trip through the frames: the model as a save
// writes it after repairs.
ConfigModel repairedAndSaved(ConfigModel m);

// The file content for a model: the four frames over their templates.
QByteArray configFileOf(ConfigModel m);

// The factory configuration.
ConfigModel factoryModel();

// `show`: the header (naming the file unless `name` is empty) and every
// setting page by page.
QString showConfig(const ConfigFileRead &f, const QString &name);
// `diff`: one line per setting that differs; empty when none does.
QStringList diffConfigs(const ConfigFileRead &a, const ConfigFileRead &b);
// What a load of the file repairs, one "label value -> value" each.
QStringList loadRepairs(const ConfigFileRead &f);
// `check`: "fine", "repaired: ...", "short: ..." (empty text when no frame at all).
QString checkConfig(const ConfigFileRead &f, bool *fine);

// `export`: one JSON object, model names as keys, values in model terms;
// the settings of the frames the file holds, a value out of range as a
// load repairs it.
QByteArray exportJson(const ConfigFileRead &f);
// `import`: the file for a JSON object holding every setting of one or more
// frames in range (a frame without settings is a row of '-'); on any fault
// false, with a one-line reason naming the field.
bool importJson(const QByteArray &json, QByteArray &fileContent, QString &error);
