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
// system's port names at the last look and now, in the system's order;
// handAdded: the ports put there by hand (a pseudo-terminal, a
// /dev/serial/by-id/ link), which the system does not list.  The result
// holds the ports now listed in the system's order, with each hand-added
// port kept at its row (a new one on top).  A port that appeared, in the
// system or by hand, becomes the selection (it is the device just plugged
// in or just asked for); otherwise the selection stays while its entry does.
PortListUpdate followPorts(const QStringList &shown, int current, const QStringList &before, const QStringList &now,
                           const QStringList &handAdded);

// What the 120 px port box shows of a port, so that the part telling ports
// apart stays visible: a name as it is ("ttyUSB0"), a device path without
// "/dev/" ("pts/3"), and of a deeper path only its last part
// ("/dev/serial/by-id/usb-X-if00-port0" -> "usb-X-if00-port0").  The list
// and the tool tip show the whole path.
QString shortPortName(const QString &port);
