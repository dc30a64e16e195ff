#include "commandguard.h"

#include "delayms.h"

#include <QGuiApplication>
#include <QWidget>

CommandGuard::CommandGuard(QWidget *w, const QVector<QWidget *> &list) : QObject(w), window(w)
{
    for (QWidget *c : list)
        controls.append(c);
}

CommandGuard::~CommandGuard()
{
    if (running)
        QGuiApplication::restoreOverrideCursor();
}

bool CommandGuard::begin()
{
    if (running || closeRequested)
        return false;
    running = true;
    abandoned = false;
    wasEnabled.clear();
    for (const QPointer<QWidget> &c : std::as_const(controls)) {
        wasEnabled.append(c && c->isEnabled());
        if (c)
            c->setEnabled(false);
    }
    // The busy-but-usable cursor: edits stay allowed while a command runs.
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    return true;
}

void CommandGuard::end()
{
    if (!running)
        return;
    running = false;
    for (int i = 0; i < controls.size(); ++i) {
        if (controls[i] && wasEnabled.value(i))
            controls[i]->setEnabled(true);
    }
    QGuiApplication::restoreOverrideCursor();
    if (abandoned) {
        abandoned = false;
        resumeDelays();
    }
    if (closeRequested && window)
        window->close();
}

bool CommandGuard::pause(int ms)
{
    DelayMs(ms);
    return !abandoned;
}

void CommandGuard::abandon()
{
    if (!running || abandoned)
        return;
    abandoned = true;
    skipDelays();
}

bool CommandGuard::allowClose()
{
    closeRequested = running;
    return !running;
}
