#include "rangesession.h"

#include "rangetexts.h"
#include "shortcuts.h"
#include "transmitterlink.h"

#include <QAction>
#include <QDateTime>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>

namespace {

qint64 now()
{
    return QDateTime::currentMSecsSinceEpoch();
}

}  // namespace

RangeSession::RangeSession(QMainWindow *w, TransmitterLink &link, QWidget *monitorPage)
    : QObject(w), window(w), statusLabel(new QLabel), ticker(new QTimer(this))
{
    const RangeTexts texts = rangeTexts();
    const QString key = shortcuts::graph().toString(QKeySequence::NativeText);
    statusLabel->setObjectName(QStringLiteral("statusGraph"));
    statusLabel->setContentsMargins(0, 0, 6, 0);
    statusLabel->setToolTip(QStringLiteral("%1 (%2)").arg(texts.openGraph, key));
    connect(statusLabel, &QLabel::linkActivated, this, &RangeSession::showGraph);
    window->statusBar()->addPermanentWidget(statusLabel);
    auto *shortcut = new QShortcut(shortcuts::graph(), window);
    connect(shortcut, &QShortcut::activated, this, &RangeSession::showGraph);
    // The monitor page's own menu, on its free space (its read-outs keep
    // their editing menus).
    auto *open = new QAction(texts.openGraph, monitorPage);
    open->setShortcut(shortcuts::graph());
    open->setShortcutContext(Qt::WidgetShortcut);  // the window's key does it already
    connect(open, &QAction::triggered, this, &RangeSession::showGraph);
    monitorPage->addAction(open);
    monitorPage->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(&link, &TransmitterLink::liveTaken, this, &RangeSession::take);
    connect(ticker, &QTimer::timeout, this, &RangeSession::tick);
    showStatus();
}

RangeSession::~RangeSession()
{
    QString why;
    if (recording())
        file.stop(rangeCheck.summary(now()), &why);
}

void RangeSession::showGraph()
{
    if (!graph && makeGraph)
        graph = makeGraph(*this);
    if (!graph)
        return;
    graph->show();
    graph->raise();
    graph->activateWindow();
    follow();
}

void RangeSession::follow()
{
    const bool needed = recording() || (graph && graph->isVisible());
    if (needed && !checking) {
        rangeCheck = RangeCheck(now(), limits);
        ticker->start(kTickMs);
    } else if (!needed) {
        ticker->stop();
    }
    checking = needed;
    if (graph && graph->isVisible())
        emit redrawDue(now());
}

void RangeSession::setLimits(RangeLimits l)
{
    limits = l;
    rangeCheck.setLimits(l);
}

bool RangeSession::startRecording(const QString &path)
{
    const qint64 t = now();
    if (recording())
        stopRecording();
    QString why;
    if (!file.start(path, t, &why)) {
        said = rangeTexts().recordFailed.arg(QFileInfo(path).fileName(), why);
        showStatus();
        emit recordingChanged();
        return false;
    }
    // The summary covers the recording: the counts start again, the
    // graph keeps what it shows.
    follow();
    rangeCheck.restart(t);
    recordingSince = t;
    said.clear();
    showStatus();
    emit recordingChanged();
    return true;
}

void RangeSession::stopRecording()
{
    if (!recording())
        return;
    const RangeSummary summary = rangeCheck.summary(now());
    QString why;
    const QString name = QFileInfo(file.fileName()).fileName();
    said = file.stop(summary, &why) ? summaryText(summary) : rangeTexts().recordFailed.arg(name, why);
    follow();
    showStatus();
    emit recordingChanged();
}

void RangeSession::take(const QByteArray &packet)
{
    if (!checking || !rangeCheck.take(packet, now()))
        return;
    file.add(rangeCheck.last());
}

void RangeSession::tick()
{
    const qint64 t = now();
    QString why;
    if (recording() && !file.flushDue(t, &why)) {
        // The file is closed already; the link goes on.
        said = rangeTexts().recordFailed.arg(QFileInfo(file.fileName()).fileName(), why);
        follow();
        emit recordingChanged();
    }
    showStatus();
    if (graph && graph->isVisible() && ++ticks % kGraphTicks == 0)
        emit redrawDue(t);
}

void RangeSession::showStatus()
{
    const RangeTexts texts = rangeTexts();
    QString text = texts.openGraph;
    if (recording())
        text = texts.recording.arg(QFileInfo(file.fileName()).fileName()).arg((now() - recordingSince) / 1000);
    else if (!said.isEmpty())
        text = said;
    // Long words (a summary) end in "…" here; the tool tip has them whole.
    const QString shown = statusLabel->fontMetrics().elidedText(text, Qt::ElideRight, 420);
    // A light blue that reads on the line's dark grey.
    const QString html =
        QStringLiteral("<a href=\"graph\" style=\"color: rgb(120, 190, 255);\">%1</a>").arg(shown.toHtmlEscaped());
    if (statusLabel->text() != html) {
        statusLabel->setText(html);
        statusLabel->setToolTip(text + QStringLiteral(" (") + shortcuts::graph().toString(QKeySequence::NativeText)
                                + QLatin1Char(')'));
    }
}
