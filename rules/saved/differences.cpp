#include "differences.h"

#include "configmodel.h"
#include "readback.h"
#include "sanity.h"
#include "settingstable.h"

QVector<HeldDifference> heldDifferences(const ConfigModel &pages, const ConfigModel &known)
{
    QVector<HeldDifference> list;
    for (const Setting &s : settingsTable()) {
        const int shown = s.get(pages), held = s.get(known);
        if (shown != held && readBackAnswersFor(s))
            list.append({&s, shown, held});
    }
    return list;
}

void takeBack(ConfigModel &pages, const ConfigModel &known, const Setting *only)
{
    for (const Setting &s : settingsTable())
        if ((only ? &s == only : true) && readBackAnswersFor(s))
            s.set(pages, s.get(known));
    applySanity(pages);
    selectDualRate(pages);
}
