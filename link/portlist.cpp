#include "portlist.h"

#include <algorithm>

PortListUpdate followPorts(const QStringList &shown, int current, const QStringList &before,
                           const QStringList &now)
{
    PortListUpdate u;
    if (now == before)
        return u;
    u.changed = true;
    u.items = now;
    for (int row = 0; row < shown.size(); ++row) {
        const QString &name = shown[row];
        if (!before.contains(name) && !u.items.contains(name))
            u.items.insert(std::min(row, int(u.items.size())), name);
    }
    for (const QString &name : now)
        if (!before.contains(name))
            return u.current = int(u.items.indexOf(name)), u;
    const QString selected = current >= 0 && current < shown.size() ? shown[current] : QString();
    u.current = selected.isEmpty() ? -1 : int(u.items.indexOf(selected));
    if (u.current < 0 && !u.items.isEmpty())
        u.current = 0;
    return u;
}
