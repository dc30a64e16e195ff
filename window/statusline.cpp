#include "statusline.h"

#include "commandguard.h"
#include "readprogress.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QSerialPort>
#include <QStatusBar>
#include <QTimer>

StatusLine::StatusLine(QMainWindow *window, const QSerialPort &p, const ReadProgress &r, CommandGuard *guard)
    : QObject(window), port(p), progress(r), commandLabel(new QLabel), bar(new QProgressBar), linkLabel(new QLabel),
      ticker(new QTimer(this))
{
    clock.start();
    commandLabel->setObjectName(QStringLiteral("statusCommand"));
    bar->setObjectName(QStringLiteral("statusProgress"));
    linkLabel->setObjectName(QStringLiteral("statusLink"));
    // Clear of the window's edges.
    commandLabel->setContentsMargins(6, 0, 0, 0);
    linkLabel->setContentsMargins(0, 0, 6, 0);
    bar->setMaximumWidth(160);
    bar->setTextVisible(false);
    bar->hide();
    QStatusBar *line = window->statusBar();
    line->setSizeGripEnabled(false);
    // The form's dark grey and light text, not the platform's light line
    // under it.
    line->setStyleSheet(
        QStringLiteral("QStatusBar { background-color: rgb(40, 40, 40); }"
                       "QStatusBar::item { border: none; }"
                       "QLabel, QToolButton { color: rgb(230, 230, 230); }"));
    line->addWidget(commandLabel, 1);
    line->addPermanentWidget(bar);
    line->addPermanentWidget(linkLabel);
    // The form keeps its designed size: the window grows by the line.
    window->resize(window->width(), window->height() + line->sizeHint().height());
    connect(guard, &CommandGuard::started, this, &StatusLine::started);
    connect(guard, &CommandGuard::ended, this, &StatusLine::ended);
    // A box coming up during a command shows the verdict as far as known.
    connect(guard, &CommandGuard::asking, this, &StatusLine::showEnd);
    connect(ticker, &QTimer::timeout, this, &StatusLine::refresh);
    ticker->setInterval(100);
    refresh();
}

void StatusLine::started()
{
    running = true;
    step = CommandStep();
    step.checks = checks;
    end = CommandEnd();
    endFacts.clear();
    verdictShown = false;
    end.portOpen = step.portOpen = port.isOpen();
    refresh();
}

void StatusLine::command(StatusCommand c)
{
    if (running && step.command == StatusCommand::None)
        step.command = end.command = c;
}

void StatusLine::frame(int n)
{
    if (!running)
        return;
    step.frame = n;
    if (port.isOpen() && !end.lost)
        end.framesSent = n;
    refresh();
}

void StatusLine::file(const QString &name, bool failed)
{
    end.file = name;
    end.failed = failed;
}

void StatusLine::checked(int differences)
{
    end.checked = true;
    end.differences = differences;
}

void StatusLine::packet()
{
    rate.note(clock.elapsed());
}

void StatusLine::lineHeard()
{
    lastHeard = clock.elapsed();
}

void StatusLine::becomes(StatusCommand c)
{
    if (running)
        step.command = end.command = c;
}

void StatusLine::closingSent()
{
    if (running && port.isOpen() && !end.lost)
        end.closingSent = true;
}

void StatusLine::heardOnly()
{
    end.heardOnly = true;
}

void StatusLine::notOpened(const QString &port)
{
    lastEnd = portNotOpenedText(port, QTime::currentTime());
    commandLabel->setText(lastEnd);
}

void StatusLine::lost()
{
    if (running)
        end.lost = true;
    showEnd();
}

QString StatusLine::lossDetail() const
{
    if (!running || !end.portOpen
        || (end.command != StatusCommand::Write && end.command != StatusCommand::Load
            && end.command != StatusCommand::Reset)
        || step.frame == 0)
        return QString();
    return QLatin1Char('\n') + framesLeftText(end.framesSent, end.closingSent);
}

void StatusLine::ended()
{
    showEnd();
    running = false;
    bar->hide();
    refresh();
}

// The verdict as far as it is known: at the end, and as soon as a box
// comes up, so the line and the box agree.
void StatusLine::showEnd()
{
    if (!running)
        return;
    end.answers = progress.groupsArrived();
    // The time is when the verdict was reached: a box that tells it and
    // is dismissed later does not move it.
    CommandEnd facts = end;
    facts.at = QTime();
    const QString unstamped = commandEndText(facts);
    if (unstamped != endFacts) {
        endFacts = unstamped;
        end.at = QTime::currentTime();
    }
    const QString text = commandEndText(end);
    if (!text.isEmpty()) {
        verdictShown = true;
        lastEnd = text;
        commandLabel->setText(text);
        bar->hide();
    }
}

void StatusLine::opened()
{
    refresh();
}

void StatusLine::refresh()
{
    const qint64 now = clock.elapsed();
    QWidget *modal = QApplication::activeModalWidget();
    if (running && modal && !verdictShown) {
        // A question or a file dialog before the command's work: say so
        // rather than name a step that is not happening.
        step.waiting = qobject_cast<QFileDialog *>(modal) ? CommandStep::ForFile : CommandStep::ForAnswer;
        commandLabel->setText(commandStepText(step));
        bar->hide();
    } else if (running && !modal) {
        step.waiting = CommandStep::NotWaiting;
        step.reading = progress.active();
        step.answers = progress.groupsArrived();
        commandLabel->setText(commandStepText(step));
        bar->setRange(0, commandStepTotal(step));
        bar->setValue(commandStepDone(step));
        bar->show();
    } else if (!running) {
        commandLabel->setText(lastEnd);
    }
    const QString open = port.isOpen() ? port.portName() : QString();
    if (open != openPort) {
        openPort = open;
        openedAt = now;
        rate.reset();
        lastHeard = -1;
    }
    LinkFacts link;
    link.port = openPort;
    link.openForMs = now - openedAt;
    // Junk and late answers are not silence: any byte counts here.
    link.quietForMs = now - qMax(openedAt, qMax(rate.lastMs(), lastHeard));
    link.packetsPerSecond = rate.perSecond(now);
    linkLabel->setText(linkStatusText(link));
    // The packet rate and the silence are counted against the clock.
    if (running || !openPort.isEmpty()) {
        if (!ticker->isActive())
            ticker->start();
    } else {
        ticker->stop();
    }
    // A long port name is shortened on the line; the whole one is here.
    linkLabel->setToolTip(linkStatusText(link, true));
}
