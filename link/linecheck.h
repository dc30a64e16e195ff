#pragma once

#include <QSerialPort>
#include <QString>

// Whether an open serial line is still there.  Used on every port error
// and once a second while a port is open, so a pulled cable is noticed
// even when the port itself stays silent about it.

// Where the device file of a port named as in the port list lives
// (empty where ports are not files).
QString portFileLocation(const QString &portName);

// True when the device behind the open handle is gone: the line hung up,
// the handle went bad, or the device file vanished.  A full output buffer
// on a live line reports errors too, but is not a loss.
bool serialLineGone(qintptr handle, const QString &fileLocation, QSerialPort::SerialPortError lastError);
