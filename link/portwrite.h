#pragma once

#include <QSerialPort>

// Writes to an open port.  QSerialPort queues every write and sends it from
// its write notifier, which costs three more turns of the event loop (and
// their system calls) per command; at ~500 answers a second that was a
// third of the receive path.  So bytes go to the line at once when nothing
// is queued ahead of them; what the line does not take at once, or
// everything when bytes are queued, goes through the port's own queue,
// which also reports a failing line as before.  The order is kept.
void writeToPort(QSerialPort &port, const char *bytes, qint64 size);
