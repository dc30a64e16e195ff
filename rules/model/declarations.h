#pragma once

// Every setting declared once: its name, how the window's pages label and
// edit it, the values the tool keeps and what it falls back to.  The sanity
// pass checks the model against these declarations, the settings table of
// files and read-backs (rules/saved/settingstable.h) adds each one's place
// in the frames, and the window sets its editors' ranges from them.  The
// texts are the form's source texts, translated by the layers that show
// them.

#include <QString>
#include <QStringList>
#include <QVector>

struct ConfigModel;

// How a page shows the value.
enum class Shown {
    Choice,  // a selector: the item at the index
    Number,  // a spin box, with a unit
    Volts,   // a voltage box, one decimal (values are kept in tenths)
    Trim,    // the trim read-out, trimText (monitortext.h)
    Plain    // no editor at all
};

struct SettingDecl
{
    // Model name; array entries as "DR_UpRate[2]".
    QString name;
    // JSON key (the model name without the index) and the array index, or -1.
    QString jsonKey;
    int index = -1;

    // Presentation: the form's source texts.
    const char *page = "";
    const char *group = "";
    const char *label = "";
    QString qualifier;  // "CH1", "L", "UP"...: the window's words that tell apart settings on one row
    // Own words where no text of the window tells a setting apart (a column
    // without a header, a value no page shows): a source text of the
    // "Setting" context, translated like the window's.
    const char *own = "";
    Shown shown = Shown::Plain;
    QStringList items;  // Choice: the selector's items (source texts)
    // Number, Volts: the spin box's range (Volts in tenths); Plain: the
    // values kept all the same.
    int editLo = 0, editHi = 0;
    const char *unit = "";
    // The object names of the editors on the form that show it: a
    // selector on each page it appears on, or its box.  An array entry
    // names the box that edits it when it is selected (the dual-rate boxes)
    // or shown in that row (the trim steps).
    QStringList boxes;
    bool trimRow = false;  // StkStep/StkTrim: the row follows the stick mode
    // A working copy of the selected entries (DR_EXP): checked, but the
    // frames carry the entries instead.
    bool working = false;

    // What an out-of-range value is replaced with: the model's initial
    // value (configmodel.h) unless declared otherwise.  A voltage falls
    // back in tenths and in volts, which need not agree.
    int fallback = 0;
    double fallbackVolts = 0.0;

    // Model access.
    int ConfigModel::*field = nullptr;
    int (ConfigModel::*array)[4] = nullptr;
    double ConfigModel::*volts = nullptr;
    int ConfigModel::*tenths = nullptr;

    // The values the sanity pass keeps, which are those the editor can show
    // (an item of the selector, the box's range); the trim read-out is
    // never checked.
    bool checked() const { return shown != Shown::Trim; }
    int keptLo() const { return shown == Shown::Choice ? 0 : editLo; }
    int keptHi() const { return shown == Shown::Choice ? int(items.size()) - 1 : editHi; }

    // The value in the file's terms (volts as tenths).
    int get(const ConfigModel &m) const;
    // Stores a value; for a voltage both the tenths and the volts.
    void set(ConfigModel &m, int v) const;
};

// Page by page, in the order the window shows them.
const QVector<SettingDecl> &settingDecls();
