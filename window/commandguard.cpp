#include "commandguard.h"

#include <QGraphicsOpacityEffect>
#include <QGuiApplication>
#include <QWidget>

CommandGuard::CommandGuard(QWidget *w, const QVector<QWidget *> &list, CommandWaits &commandWaits)
    : QObject(w), window(w), waits(commandWaits)
{
    for (QWidget *c : list)
        controls.append(c);
}

CommandGuard::~CommandGuard()
{
    if (running && !asked)
        QGuiApplication::restoreOverrideCursor();
}

bool CommandGuard::begin()
{
    if (running || waits.closePending())
        return false;
    running = true;
    waits.start();
    wasEnabled.clear();
    for (const QPointer<QWidget> &c : std::as_const(controls)) {
        wasEnabled.append(c && c->isEnabled());
        if (c && c->isEnabled())
            c->setEnabled(false), showDisabled(c, true);
    }
    // The busy-but-usable cursor: edits stay allowed while a command runs.
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    asked = false;
    if (window)
        window->installEventFilter(this);
    emit started();
    return true;
}

void CommandGuard::end()
{
    if (!running)
        return;
    running = false;
    waits.finish();
    for (int i = 0; i < controls.size(); ++i) {
        if (controls[i] && wasEnabled.value(i))
            controls[i]->setEnabled(true), showDisabled(controls[i], false);
    }
    if (window)
        window->removeEventFilter(this);
    if (!asked)
        QGuiApplication::restoreOverrideCursor();
    asked = false;
    emit ended();
    if (waits.closePending() && window) {
        closingLost = waits.cutShort();
        window->close();
        closingLost = false;
    }
}

// The designed sheets draw a disabled tool button as an enabled one; a
// faded button says "not now" without touching the sheets.
void CommandGuard::showDisabled(QWidget *control, bool disabled)
{
    if (!disabled) {
        control->setGraphicsEffect(nullptr);
        return;
    }
    auto *fade = new QGraphicsOpacityEffect(control);
    fade->setOpacity(0.35);
    control->setGraphicsEffect(fade);
}

bool CommandGuard::eventFilter(QObject *watched, QEvent *event)
{
    // A modal box or dialog blocks every other window while it shows, a
    // native file dialog included; one over another keeps it blocked.
    const QEvent::Type type = event->type();
    if (running && type == QEvent::WindowBlocked && !asked) {
        asked = true;
        QGuiApplication::restoreOverrideCursor();
        emit asking();
    } else if (running && type == QEvent::WindowUnblocked && asked) {
        asked = false;
        QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    }
    return QObject::eventFilter(watched, event);
}

bool CommandGuard::allowClose()
{
    return waits.askClose();
}

TrimHoldScope::TrimHoldScope(int &flag, bool hold) : trimHold(flag), holding(hold)
{
    if (holding)
        trimHold = 1;
}

TrimHoldScope::~TrimHoldScope()
{
    if (holding)
        trimHold = 0;
}
