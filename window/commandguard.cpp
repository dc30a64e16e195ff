#include "commandguard.h"

#include <QApplication>
#include <QDialog>
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
    if (running && dialogsUp == 0)
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
    dialogsUp = 0;
    qApp->installEventFilter(this);
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
    qApp->removeEventFilter(this);
    if (dialogsUp == 0)
        QGuiApplication::restoreOverrideCursor();
    dialogsUp = 0;
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
    const QEvent::Type type = event->type();
    if (running && (type == QEvent::Show || type == QEvent::Hide) && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->isWindow() && qobject_cast<QDialog *>(watched)) {
        if (type == QEvent::Show && dialogsUp++ == 0)
            QGuiApplication::restoreOverrideCursor();
        else if (type == QEvent::Hide && dialogsUp > 0 && --dialogsUp == 0)
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
