#pragma once

// Every setting a configuration file carries, as declared
// (declarations.h), with where it sits in the file (taken from the frame
// layout itself) and which values a load keeps (found by asking the sanity
// pass).  GUI-free; the labels are the form's source texts, translated in
// the "MainWindow" context like the window's own.

#include "declarations.h"

#include <QString>
#include <QStringList>
#include <QVector>

struct ConfigModel;

enum class FieldEncoding { Digit, Hex, ThreeDigits };

// A declared setting (declarations.h) with its place in the file.
struct Setting : SettingDecl
{
    // Place in the file, from the frame layout.
    int frame = 0;     // 0..3: S, G, H, I
    int position = 0;  // within the frame
    int width = 0;
    FieldEncoding encoding = FieldEncoding::Digit;
    int offset = 0;  // hex fields: value + offset is written

    // What the file can carry and a load keeps unchanged (volts in tenths).
    int lo = 0, hi = 0;

    // The answer to a read that carries it back, by its ReadFlag, and the
    // byte it starts at (answerlayout.h); 0 for a setting no answer carries.
    int answer = 0;
    int answerAt = 0;
};

// Page by page, in the order the window shows them.
const QVector<Setting> &settingsTable();
const Setting *findSetting(const QString &name);

// Frame letters and the characters never read back (tails, constants).
QChar frameLead(int frame);
QChar frameEnd(int frame);

// The window's texts, in the language useLanguage (language.h) chose.
QString windowText(const char *source);

// "中点微调 CH1": group, row label and qualifier in the current language.
QString settingLabel(const Setting &s, int mode);
// The value as its page shows it, with unit ("-20 %", "反相", "3.7 V"); a
// selector's value without an item as its number.
QString settingValueText(const Setting &s, int value);
// Display row 1..4 of a trim setting for a stick mode.
int settingTrimRow(const Setting &s, int mode);

// The table in the order the pages show it; the trim rows follow the mode.
QVector<const Setting *> settingsInPageOrder(int mode);

// A setting of one model as the window shows it, in the current language.
struct SettingText
{
    const Setting *setting;
    QString label;  // settingLabel
    QString value;  // settingValueText
};
// Every setting of `m` in page order; the trim rows are ordered and
// labelled by `mode` (m.Mode for a model the transmitter sent).
QVector<SettingText> settingTexts(const ConfigModel &m, int mode);
