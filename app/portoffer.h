#pragma once

#include <QString>

class QComboBox;

// Keeps a port that the system's port list never shows (a pseudo-terminal,
// a /dev/serial/by-id/ link) in a port combo box: first in the list and
// selected from the start, and put back (and selected again) whenever the
// window refills the list from the system, as it does after every close.
// A port the user picked meanwhile stays picked as long as the offered one
// is still listed.
void keepPortOffered(QComboBox *box, const QString &path);

// Selects the port given on the command line, by the name the list shows
// or by its device path; one the system does not list is offered as above.
void preselectPort(QComboBox *box, const QString &nameOrPath);
