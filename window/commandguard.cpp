#include "commandguard.h"


#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QGraphicsOpacityEffect>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>

double CommandGuard::pauseScale = 1.0;
double CommandGuard::answerScale = 1.0;

int CommandGuard::scaled(int ms, double scale)
{
    return scale == 1.0 ? ms : qMax(0, qRound(ms * scale));
}

CommandGuard::CommandGuard(QWidget *w, const QVector<QWidget *> &list)
    : QObject(w), window(w), quiet(new QTimer(this))
{
    for (QWidget *c : list)
        controls.append(c);
    quiet->setSingleShot(true);
    quiet->setTimerType(Qt::PreciseTimer);
    connect(quiet, &QTimer::timeout, this, [this] {
        if (answerWait)
            answerWait->quit();
    });
}

CommandGuard::~CommandGuard()
{
    if (running && dialogsUp == 0)
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
    for (int i = 0; i < controls.size(); ++i) {
        if (controls[i] && wasEnabled.value(i))
            controls[i]->setEnabled(true), showDisabled(controls[i], false);
    }
    qApp->removeEventFilter(this);
    if (dialogsUp == 0)
        QGuiApplication::restoreOverrideCursor();
    dialogsUp = 0;
    emit ended();
    if (closeRequested && window) {
        closingLost = abandoned;
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

bool CommandGuard::wait(int ms, bool restartable, int limitMs)
{
    if (abandoned)
        return false;
    ms = scaled(ms, restartable ? answerScale : pauseScale);
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    // A coarse timer may fire 5 % early: a frame's 800 ms must be 800 ms.
    timer.setTimerType(Qt::PreciseTimer);
    connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    waits.append(&loop);
    QEventLoop *outer = answerWait;
    if (restartable) {
        answerWait = &loop;
        quiet->start(ms);
        timer.start(scaled(limitMs, answerScale));
    } else {
        timer.start(ms);
    }
    loop.exec();
    waits.removeOne(&loop);
    if (restartable) {
        quiet->stop();
        answerWait = outer;
    }
    return !abandoned;
}

bool CommandGuard::pause(int ms)
{
    return wait(ms, false);
}

bool CommandGuard::awaitAnswers(int quietMs, int limitMs)
{
    if (closeRequested)
        return !abandoned;
    return wait(quietMs, true, limitMs);
}

void CommandGuard::answered(bool last)
{
    if (!answerWait)
        return;
    if (last)
        answerWait->quit();
    else
        quiet->start();
}

void CommandGuard::abandon()
{
    if (!running || abandoned)
        return;
    abandoned = true;
    for (QEventLoop *loop : std::as_const(waits))
        loop->quit();
}

bool CommandGuard::allowClose()
{
    closeRequested = running;
    if (answerWait)
        answerWait->quit();
    return !running;
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
