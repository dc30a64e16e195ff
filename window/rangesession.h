#pragma once

#include "rangecheck.h"
#include "recording.h"

#include <QObject>
#include <QString>

#include <functional>

class QLabel;
class QMainWindow;
class QTimer;
class QWidget;
class TransmitterLink;

// The live graph and the recording behind it: while the graph is open or a
// recording runs, every live packet the link decodes goes into a range
// check (and, recording, into the CSV file); a tick twice a second
// hands the rows to the file and every other tick redraws the graph, so
// neither costs anything per packet beyond the check itself.  Once a
// second keeps the open graph near a tenth of what the window costs at
// the line's rate (bench_window); twice cost a fifth.  Its place on the status
// line opens the graph, tells how the recording goes and, at stop, what it
// found.  A recording that cannot be written stops and says why; the link
// goes on.
class RangeSession : public QObject
{
    Q_OBJECT

public:
    static constexpr int kTickMs = 500;
    static constexpr int kGraphTicks = 2;  // ticks from one redraw to the next

    RangeSession(QMainWindow *window, TransmitterLink &link, QWidget *monitorPage);
    // A recording still running when the window closes gets its summary.
    ~RangeSession() override;

    // How the graph window is made, on first use: the window layer above
    // gives it, so this session needs nothing of the graph but a widget.
    void makeGraphWith(std::function<QWidget *(RangeSession &)> make) { makeGraph = std::move(make); }
    // Shows the graph window (made on first use) and brings it to the front.
    void showGraph();
    QWidget *graphWindow() const { return graph; }
    // Starts the check when the graph opens or a recording starts; stops it
    // when neither needs it any more.
    void follow();
    // Records into `path` from now on; false (and told) when the file
    // cannot be made.
    bool startRecording(const QString &path);
    // Writes the summary as the file's last line, closes it and shows the
    // summary on the status line.
    void stopRecording();
    bool recording() const { return file.isOpen(); }
    QString recordingPath() const { return file.fileName(); }
    qint64 rowsRecorded() const { return file.rows(); }
    // What the status line said at the last stop (or failure).
    QString lastWords() const { return said; }

    const RangeCheck &check() const { return rangeCheck; }
    void setLimits(RangeLimits limits);

signals:
    // A recording started, stopped or failed.
    void recordingChanged();
    // The open graph is due to be drawn as it stands at `now`.
    void redrawDue(qint64 now);

private:
    void take(const QByteArray &packet);
    void tick();
    void showStatus();

    QMainWindow *window;
    QLabel *statusLabel;
    QTimer *ticker;
    std::function<QWidget *(RangeSession &)> makeGraph;
    QWidget *graph = nullptr;
    RangeCheck rangeCheck;
    RangeLimits limits;
    bool checking = false;
    CsvRecording file;
    qint64 recordingSince = 0;
    int ticks = 0;
    QString said;
};
