#pragma once

// Every setting a configuration file carries, described once: where it
// sits in the file (taken from the frame layout itself), which values a
// load keeps (found by asking the sanity pass), and how the window's pages
// label and show it.  GUI-free; the labels are the form's source texts,
// translated in the "MainWindow" context like the window's own.

#include <QString>
#include <QStringList>
#include <QVector>

struct ConfigModel;

enum class FieldEncoding { Digit, Hex, ThreeDigits };

// How a page shows the value.
enum class Shown {
    Choice,   // a selector: the item at the index
    Number,   // a spin box, with a unit
    Volts,    // a voltage box, one decimal (values are kept in tenths)
    Trim,     // the trim read-out, trimText (monitortext.h)
    Plain     // no editor at all
};

struct Setting
{
    // Model name; array entries as "DR_UpRate[2]".
    QString name;
    // JSON key (the model name without the index) and the array index, or -1.
    QString jsonKey;
    int index = -1;

    // Place in the file, from the frame layout.
    int frame = 0;     // 0..3: S, G, H, I
    int position = 0;  // within the frame
    int width = 0;
    FieldEncoding encoding = FieldEncoding::Digit;
    int offset = 0;    // hex fields: value + offset is written

    // What the file can carry and a load keeps unchanged (volts in tenths).
    int lo = 0, hi = 0;

    // Presentation: the form's source texts.
    const char *page = "";
    const char *group = "";
    const char *label = "";
    QString qualifier;       // "CH1", "L", "UP"...: the window's words that tell apart settings on one row
    // Own words where no text of the window tells a setting apart (a column
    // without a header, a value no page shows): a source text of the
    // "Setting" context, translated like the window's.
    const char *own = "";
    Shown shown = Shown::Plain;
    QStringList items;       // Choice: the selector's items (source texts)
    int editLo = 0, editHi = 0;  // Number, Volts: the spin box's range (Volts in tenths)
    const char *unit = "";
    bool trimRow = false;    // StkStep/StkTrim: the row follows the stick mode

    // Model access.
    int ConfigModel::*field = nullptr;
    int (ConfigModel::*array)[4] = nullptr;
    double ConfigModel::*volts = nullptr;
    int ConfigModel::*tenths = nullptr;

    // The value in the file's terms (volts as tenths).
    int get(const ConfigModel &m) const;
    // Stores a value; for a voltage both the tenths and the volts.
    void set(ConfigModel &m, int v) const;
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
