#pragma once

// Hover highlight of the settings pages' combo boxes: a box shows the green
// hover colour of its sheet only until the pointer has rested on it for
// kHoverTicks refresh ticks; then it gets a sheet whose hover state keeps
// the normal colours, and the normal sheet comes back once the pointer
// leaves.  Short visits add up.

class QComboBox;
class QString;
class QWidget;

constexpr int kHoverTicks = 20;

extern const char kComboSheet[];     // normal sheet, green hover
extern const char kComboSheetRev[];  // hover looks like rest

enum class HoverAction { None, ApplyRev, ApplyNormal };

// One refresh tick of the rule for one box: advances or resets `counter`
// (0..kHoverTicks) and says which sheet, if any, to apply now.
HoverAction hoverStep(int &counter, bool underMouse);

// Sets the file's text as the widget's own sheet.  A file that does not
// open leaves the widget's sheet as it was; returns whether it opened.
bool applyStyleResource(QWidget *widget, const QString &path);

// hoverStep for the box's under-mouse state, then the sheet it asks for.
void hoverHighlight(QComboBox *box, int &counter);

// The window's tick counters, one per combo box with the highlight.
struct HoverCounters
{
    // "基础菜单"
    int rev[8] = {};
    int aux[8] = {};
    // "高级菜单1"
    int drMix1 = 0, drCh1 = 0, drSw1 = 0;
    int attiM = 0, eleMix = 0, ruMix = 0;
    // "混控设置": mix 01 Mix, Master, Slave, then 02 .. 04
    int prm[12] = {};
    // "高级菜单2"
    int drMix2 = 0, drCh2 = 0, drSw2 = 0, drPosi = 0, thcureMix = 0;
};
