#include "portlist.h"

#include <algorithm>

PortListUpdate followPorts(const QStringList &shown, int current, const QStringList &before, const QStringList &now,
                           const QStringList &handAdded)
{
    PortListUpdate u;
    u.items = now;
    QString appeared;
    for (const QString &name : now)
        if (appeared.isEmpty() && !before.contains(name))
            appeared = name;
    for (const QString &name : handAdded) {
        if (u.items.contains(name))
            continue;
        const int row = int(shown.indexOf(name));
        u.items.insert(row < 0 ? 0 : std::min(row, int(u.items.size())), name);
        if (row < 0 && appeared.isEmpty())
            appeared = name;
    }
    const QString selected = current >= 0 && current < shown.size() ? shown[current] : QString();
    u.current = int(u.items.indexOf(appeared.isEmpty() ? selected : appeared));
    if (u.current < 0 && !u.items.isEmpty())
        u.current = 0;
    u.changed = u.items != shown || u.current != current;
    return u;
}

QString shortPortName(const QString &port)
{
    const QLatin1String dev("/dev/");
    if (!port.startsWith(QLatin1Char('/')))
        return port;
    const QString rest = port.startsWith(dev) ? port.mid(dev.size()) : port;
    if (port.startsWith(dev) && rest.count(QLatin1Char('/')) <= 1)
        return rest;
    return rest.mid(rest.lastIndexOf(QLatin1Char('/')) + 1);
}
