#pragma once

// Which settings the pages hold that the transmitter is not known to hold,
// and putting them back.  GUI-free; the window marks the editors.

#include <QVector>

struct ConfigModel;
struct Setting;

// One setting the pages change: the value they show and the one held.
struct HeldDifference
{
    const Setting *setting;
    int shown;
    int held;
    bool operator==(const HeldDifference &o) const
    {
        return setting == o.setting && shown == o.shown && held == o.held;
    }
};

// In the settings table's order; the same settings unwrittenSettings
// counts (no trims, no dual-rate channel choice).
QVector<HeldDifference> heldDifferences(const ConfigModel &pages, const ConfigModel &known);

// Puts back what the transmitter holds: `only` that setting, or every one
// that counts.  What the pages cannot show goes through the sanity pass,
// and the dual-rate working values follow their channel again.
void takeBack(ConfigModel &pages, const ConfigModel &known, const Setting *only = nullptr);
