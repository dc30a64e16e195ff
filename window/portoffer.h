#pragma once

#include <QString>

#include <functional>

class QComboBox;

// The name the system's port list gives a device path (/dev/ttyUSB0 ->
// ttyUSB0); anything else as it is.
QString portNameOf(const QString &nameOrPath);

// Lets the fixed-width port box show whole names: the box itself paints
// shortPortName() of the selection (cut at the front with "…" if that is
// still too wide), its tool tip holds the full path, and the drop-down list
// is as wide as its longest entry.  The entries stay the full names.
void showPortNamesInFull(QComboBox *box);

// Lets a port the system does not list (a pseudo-terminal, a by-id name) be
// typed: the box's context menu, or "/" typed into the focused box, asks
// for the path and hands it to `take`.  The box keeps its designed look.
void letPortPathBeTyped(QComboBox *box, const std::function<void(const QString &)> &take);
