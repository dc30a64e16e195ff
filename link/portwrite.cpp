#include "portwrite.h"

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

void writeToPort(QSerialPort &port, const char *bytes, qint64 size)
{
    qint64 done = 0;
#ifdef Q_OS_UNIX
    if (port.bytesToWrite() == 0) {
        const ssize_t n = ::write(int(port.handle()), bytes, size_t(size));
        if (n > 0)
            done = n;
    }
#endif
    if (done < size)
        port.write(bytes + done, size - done);
}
