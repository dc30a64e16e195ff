#pragma once

// How the start-up benchmark's two programs say that their window is up:
// at the first turn of the event loop after the window was exposed (and so
// painted), one byte to the descriptor named by ZQ_FIRST_TURN_FD; the
// process then ends at once, since its teardown is no part of its start.

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <unistd.h>

inline void reportFirstTurn(QWidget &window)
{
    struct Watch : QObject
    {
        int fd = -1;
        bool seen = false;
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Expose && !seen) {
                seen = true;
                QTimer::singleShot(0, [fd = fd] {
                    const bool told = ::write(fd, "U", 1) == 1;
                    _exit(told ? 0 : 1);
                });
            }
            return false;
        }
    };
    bool ok = false;
    const int fd = qEnvironmentVariableIntValue("ZQ_FIRST_TURN_FD", &ok);
    if (!ok || !window.windowHandle())
        return;
    auto *watch = new Watch;
    watch->fd = fd;
    window.windowHandle()->installEventFilter(watch);
}
