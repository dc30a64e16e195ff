#include "linecheck.h"

#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <poll.h>
#endif

QString portFileLocation(const QString &portName)
{
#ifdef Q_OS_UNIX
    if (portName.startsWith(QLatin1Char('/')))
        return portName;
    return QStringLiteral("/dev/") + portName;
#else
    Q_UNUSED(portName);
    return QString();
#endif
}

bool serialLineGone(qintptr handle, const QString &fileLocation, QSerialPort::SerialPortError lastError)
{
    if (!fileLocation.isEmpty() && !QFileInfo::exists(fileLocation))
        return true;
#ifdef Q_OS_UNIX
    Q_UNUSED(lastError);
    if (handle < 0)
        return true;
    // A hung-up terminal (USB device removed, pseudo-terminal master
    // closed) reports POLLHUP for good; a merely full one does not.
    pollfd p{int(handle), POLLOUT, 0};
    return ::poll(&p, 1, 0) == 1 && (p.revents & (POLLHUP | POLLERR | POLLNVAL));
#else
    Q_UNUSED(handle);
    // Elsewhere the port reports a removed device as a resource error.
    return lastError == QSerialPort::ResourceError;
#endif
}
