#include "graphwindow.h"

#include "rangesession.h"
#include "rangetexts.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTime>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <map>

// Qt 5 keeps the charts in a namespace of their own; Qt 6 does not.
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
QT_CHARTS_USE_NAMESPACE
#endif

// One strip chart: its traces over the span, the gaps shaded (and, for the
// signal, the weak stretches and the limit).
struct Strip
{
    QChart *chart = new QChart;
    QChartView *view = new QChartView(chart);
    // The chart and, beside it, each trace's name and current value in the
    // trace's colour: labels, as a legend whose texts change every tick
    // would lay the whole chart out again each time.
    QWidget *panel = new QWidget;
    QVBoxLayout *values = new QVBoxLayout;
    QValueAxis *x = new QValueAxis;
    QValueAxis *y = new QValueAxis;
    struct Trace
    {
        int trace;
        double scale;
        int decimals;
        QString name, unit;
        QLineSeries *line;
        QLabel *label;
    };
    std::vector<Trace> traces;
    QLineSeries *gapEdge = nullptr, *gapFloor = nullptr;
    QLineSeries *weakEdge = nullptr, *weakFloor = nullptr;
    QLineSeries *limit = nullptr;
    bool fixedRange = true;

    Strip(const QString &title, double low, double high)
    {
        chart->setTitle(title);
        chart->setMargins(QMargins(2, 2, 2, 2));
        chart->legend()->hide();
        chart->addAxis(x, Qt::AlignBottom);
        chart->addAxis(y, Qt::AlignLeft);
        x->setLabelFormat(QStringLiteral("%d"));
        y->setRange(low, high);
        y->setLabelFormat(QStringLiteral("%g"));
        view->setRenderHint(QPainter::Antialiasing, false);
        view->setMinimumHeight(150);
        auto *row = new QHBoxLayout(panel);
        row->setContentsMargins(0, 0, 0, 0);
        row->addWidget(view, 1);
        row->addLayout(values);
        values->addStretch(1);
    }

    QLabel *addLabel(const QString &text, const QColor &colour)
    {
        auto *label = new QLabel(text);
        QPalette p = label->palette();
        p.setColor(QPalette::WindowText, colour);
        label->setPalette(p);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("\u25A0 MMMMMM 20.00 dBm")));
        values->insertWidget(values->count() - 1, label);
        return label;
    }

    void attach(QAbstractSeries *s)
    {
        chart->addSeries(s);
        s->attachAxis(x);
        s->attachAxis(y);
    }

    void addTrace(int trace, const QString &name, double scale, int decimals, const QString &unit)
    {
        auto *line = new QLineSeries;
        line->setName(name);
        attach(line);
        // One pixel wide: the raster engine draws those without stroking.
        QPen pen = line->pen();
        pen.setWidth(1);
        line->setPen(pen);
        QColor colour = line->color();
        traces.push_back({trace, scale, decimals, name, unit, line, addLabel(name, colour.darker(130))});
    }

    // A shaded band over every stretch, drawn as one step-shaped area.
    void addBand(QLineSeries *&edge, QLineSeries *&floor, const QString &name, const QColor &colour)
    {
        edge = new QLineSeries;
        floor = new QLineSeries;
        auto *band = new QAreaSeries(edge, floor);
        // An area series does not own the lines it spans.
        edge->setParent(band);
        floor->setParent(band);
        band->setName(name);
        band->setPen(Qt::NoPen);
        band->setColor(colour);
        attach(band);
        QColor solid = colour;
        solid.setAlpha(255);
        addLabel(QStringLiteral("\u25A0 ") + name, solid);
    }

    // What each band and limit series shows now, to leave it alone while
    // that stays the same.
    std::map<QLineSeries *, QVector<QPointF>> shown;
    void replaceIfChanged(QLineSeries *series, const QVector<QPointF> &points)
    {
        QVector<QPointF> &now = shown[series];
        if (now == points)
            return;
        now = points;
        series->replace(points);
    }

    void showBand(QLineSeries *edge, QLineSeries *floor, const QVector<Stretch> &stretches, qint64 nowMs,
                  double spanSecs)
    {
        if (!edge)
            return;
        const double low = y->min(), high = y->max();
        QVector<QPointF> points{{-spanSecs, low}};
        for (const Stretch &s : stretches) {
            const double a = std::max(-spanSecs, (s.startMs - nowMs) / 1000.0);
            const double b = std::min(0.0, (s.endMs - nowMs) / 1000.0);
            if (b < a)
                continue;
            points << QPointF(a, low) << QPointF(a, high) << QPointF(b, high) << QPointF(b, low);
        }
        points << QPointF(0, low);
        // Unchanged (no stretch in sight, most of the time): nothing to redraw.
        replaceIfChanged(edge, points);
        replaceIfChanged(floor, {{-spanSecs, low}, {0, low}});
    }
};

namespace {

constexpr int kSpans[] = {10, 30, 60, 120, 300, 600};
constexpr int kPointsAcross = 120;  // per trace, each its least and greatest value: about one per five pixels

}  // namespace

GraphWindow::GraphWindow(RangeSession &s, QWidget *parent)
    : QWidget(parent, Qt::Window), session(s), span(new QComboBox), gapLimit(new QDoubleSpinBox),
      lowLimit(new QSpinBox), record(new QPushButton), picture(new QPushButton), counts(new QLabel), words(new QLabel),
      charts(new QWidget)
{
    connect(this, &GraphWindow::shownOrHidden, &session, &RangeSession::follow);
    connect(&session, &RangeSession::redrawDue, this, &GraphWindow::refresh);
    const RangeTexts t = rangeTexts();
    setObjectName(QStringLiteral("graphWindow"));
    setWindowTitle(t.windowTitle);
    span->setObjectName(QStringLiteral("graphSpan"));
    for (int secs : kSpans)
        span->addItem(secs < 60 ? QString::number(secs) + t.seconds : t.minutes.arg(secs / 60), secs);
    span->setCurrentIndex(2);
    gapLimit->setObjectName(QStringLiteral("graphGapLimit"));
    gapLimit->setRange(0.1, 10.0);
    gapLimit->setDecimals(1);
    gapLimit->setSingleStep(0.1);
    gapLimit->setSuffix(t.seconds);
    gapLimit->setValue(RangeLimits().gapMs / 1000.0);
    lowLimit->setObjectName(QStringLiteral("graphLowLimit"));
    lowLimit->setRange(-100, 0);
    lowLimit->setSuffix(QStringLiteral(" dBm"));
    lowLimit->setValue(RangeLimits().lowSignalDbm);
    record->setObjectName(QStringLiteral("graphRecord"));
    picture->setObjectName(QStringLiteral("graphPicture"));
    picture->setText(t.savePicture);
    counts->setObjectName(QStringLiteral("graphCounts"));
    words->setObjectName(QStringLiteral("graphWords"));
    words->setWordWrap(true);

    auto *controls = new QHBoxLayout;
    controls->addWidget(new QLabel(t.span));
    controls->addWidget(span);
    controls->addSpacing(12);
    controls->addWidget(new QLabel(t.gapLimit));
    controls->addWidget(gapLimit);
    controls->addSpacing(12);
    controls->addWidget(new QLabel(t.lowLimit));
    controls->addWidget(lowLimit);
    controls->addStretch(1);
    controls->addWidget(record);
    controls->addWidget(picture);

    strips.push_back(std::make_unique<Strip>(t.signal, -100, 0));
    strips.push_back(std::make_unique<Strip>(t.voltages, 0, 15));
    strips.push_back(std::make_unique<Strip>(t.channels, 0, 2000));
    Strip &signal = *strips[0], &volts = *strips[1], &outputs = *strips[2];
    for (auto &strip : strips)
        strip->addBand(strip->gapEdge, strip->gapFloor, t.gapMark, QColor(220, 40, 40, 70));
    signal.addBand(signal.weakEdge, signal.weakFloor, t.lowMark, QColor(255, 150, 0, 80));
    signal.addTrace(SignalTrace, t.signal, 1, 0, QStringLiteral(" dBm"));
    signal.limit = new QLineSeries;
    signal.limit->setPen(QPen(QColor(255, 120, 0), 1, Qt::DashLine));
    signal.attach(signal.limit);
    volts.fixedRange = false;
    volts.y->setTickCount(4);
    signal.y->setTickCount(5);
    outputs.y->setTickCount(5);
    volts.addTrace(TxTrace, t.tx, 100, 2, QStringLiteral(" V"));
    volts.addTrace(RxTrace, t.rx, 10, 1, QStringLiteral(" V"));
    volts.addTrace(ExtTrace, t.ext, 10, 1, QStringLiteral(" V"));
    outputs.x->setTitleText(t.ago);
    for (int k = 0; k < 8; ++k)
        outputs.addTrace(FirstChannelTrace + k, t.channel.arg(k + 1), 1, 0, QString());

    auto *chartLayout = new QVBoxLayout(charts);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    chartLayout->addWidget(signal.panel, 1);
    chartLayout->addWidget(volts.panel, 1);
    chartLayout->addWidget(outputs.panel, 2);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(counts);
    layout->addWidget(charts, 1);
    layout->addWidget(words);
    resize(900, 760);

    connect(span, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this] { limitsChanged(); });
    connect(gapLimit, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, [this] { limitsChanged(); });
    connect(lowLimit, QOverload<int>::of(&QSpinBox::valueChanged), this, [this] { limitsChanged(); });
    connect(record, &QPushButton::clicked, this, &GraphWindow::recordClicked);
    connect(picture, &QPushButton::clicked, this, &GraphWindow::pictureClicked);
    connect(&session, &RangeSession::recordingChanged, this, &GraphWindow::recordingChanged);
    recordingChanged();
}

GraphWindow::~GraphWindow() = default;

void GraphWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    emit shownOrHidden();
}

void GraphWindow::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    emit shownOrHidden();
}

void GraphWindow::limitsChanged()
{
    session.setLimits(RangeLimits{int(std::lround(gapLimit->value() * 1000)), lowLimit->value()});
}

void GraphWindow::recordingChanged()
{
    const RangeTexts t = rangeTexts();
    record->setText(session.recording() ? t.stopRecord : t.record);
    words->setText(session.lastWords());
}

void GraphWindow::recordClicked()
{
    if (session.recording()) {
        session.stopRecording();
        return;
    }
    const RangeTexts t = rangeTexts();
    QFileDialog dialog(this, t.recordTitle, QString(), t.recordFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.selectFile(
        QStringLiteral("range-%1.csv").arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"))));
    if (dialog.exec() == QDialog::Accepted)
        session.startRecording(dialog.selectedFiles().value(0));
}

void GraphWindow::pictureClicked()
{
    const RangeTexts t = rangeTexts();
    QFileDialog dialog(this, t.pictureTitle, QString(), t.pictureFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("png"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString path = dialog.selectedFiles().value(0);
    if (!savePicture(path))
        words->setText(t.pictureFailed.arg(path));
}

bool GraphWindow::savePicture(const QString &path)
{
    return charts->grab().save(path, "PNG");
}

void GraphWindow::refresh(qint64 nowMs)
{
    const RangeCheck &check = session.check();
    const RangeTexts t = rangeTexts();
    const int spanSecs = span->currentData().toInt();
    const qint64 since = nowMs - qint64(spanSecs) * 1000;
    const QVector<Bucket> &buckets = check.buckets();
    const auto first = std::lower_bound(buckets.begin(), buckets.end(), since,
                                        [](const Bucket &b, qint64 t) { return b.startMs < t; });
    const int perPoint = std::max(1, spanSecs * 1000 / kBucketMs / kPointsAcross);
    const bool any = check.summary(nowMs).packets > 0;
    const QVector<Stretch> gaps = check.gapsSince(since, nowMs);
    const QVector<Stretch> weak = check.weakSince(since, nowMs);

    double voltTop = 0;
    for (auto &strip : strips) {
        if (strip->x->min() != -spanSecs)
            strip->x->setRange(-spanSecs, 0);
        for (Strip::Trace &trace : strip->traces) {
            QVector<QPointF> points;
            points.reserve(2 * kPointsAcross + 2);
            // Each point's least and greatest value, so a twitch between
            // two points still shows.
            for (auto b = first; b < buckets.end(); b += std::min<qint64>(perPoint, buckets.end() - b)) {
                const auto end = b + std::min<qint64>(perPoint, buckets.end() - b);
                int low = b->low[trace.trace], high = b->high[trace.trace];
                for (auto k = b + 1; k < end; ++k)
                    low = std::min(low, k->low[trace.trace]), high = std::max(high, k->high[trace.trace]);
                const double x = (b->startMs - nowMs) / 1000.0;
                points << QPointF(x, low / trace.scale);
                if (high != low)
                    points << QPointF(x + (end - b) * kBucketMs / 2000.0, high / trace.scale);
                voltTop = std::max(voltTop, strip->fixedRange ? 0.0 : high / trace.scale);
            }
            trace.line->replace(points);
            const int value = traceValue(check.last(), trace.trace);
            QString name = QStringLiteral("\u25A0 ") + trace.name + QLatin1Char(' ');
            if (!any)
                name += QStringLiteral("—");
            else if (trace.trace == SignalTrace && value == kNoSignal)
                name += t.noSignal;
            else
                name += QString::number(value / trace.scale, 'f', trace.decimals) + trace.unit;
            if (trace.label->text() != name)
                trace.label->setText(name);
        }
        if (!strip->fixedRange) {
            const double top = std::max(5.0, std::ceil((voltTop + 0.5) / 5.0) * 5.0);
            if (strip->y->max() != top) {
                strip->y->setRange(0, top);
                strip->y->setTickCount(int(top / 5) + 1);
            }
        }
        strip->showBand(strip->gapEdge, strip->gapFloor, gaps, nowMs, spanSecs);
        strip->showBand(strip->weakEdge, strip->weakFloor, weak, nowMs, spanSecs);
        if (strip->limit) {
            const double l = check.currentLimits().lowSignalDbm;
            strip->replaceIfChanged(strip->limit, {{double(-spanSecs), l}, {0.0, l}});
        }
    }
    const RangeSummary s = check.summary(nowMs);
    counts->setText(
        t.counts.arg(s.gaps).arg(QString::number(s.longestGap.length() / 1000.0, 'f', 1)).arg(s.lowSignals));
}
