#pragma once

#include <QStringList>

// The port list while no port is open follows the ports the system lists.
struct PortListUpdate
{
    bool changed = false;  // false: leave the list as it is
    QStringList items;
    int current = -1;
};

// shown/current: the list as shown and its selected row; before/now: the
// system's port names at the last look and now, in the system's order.
// Only a change of the system's ports changes the list: the result holds
// the ports now listed in the system's order, with any other entry (a port
// put there by hand, such as a pseudo-terminal) kept at its row.  A port
// that appeared becomes the selection (it is the device just plugged in);
// otherwise the selection stays while its entry does.
PortListUpdate followPorts(const QStringList &shown, int current, const QStringList &before,
                           const QStringList &now);
