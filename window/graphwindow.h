#pragma once

#include "rangecheck.h"

#include <QWidget>

#include <memory>
#include <vector>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;
class RangeSession;
struct Strip;

// The live graph: strip charts of the signal strength, the three
// batteries and the eight channel outputs over the chosen span, each
// trace's current value beside it, the gaps and the weak signal shaded and
// counted; the limits, the recording's start and stop and saving the
// chart as a picture.  Drawn by Qt Charts, redrawn on the session's tick.
class GraphWindow : public QWidget
{
    Q_OBJECT

public:
    GraphWindow(RangeSession &session, QWidget *parent);
    ~GraphWindow() override;

    // Draws what the range check holds up to `nowMs`.
    void refresh(qint64 nowMs);
    // Writes the charts as a PNG picture; false when it could not.
    bool savePicture(const QString &path);

signals:
    void shownOrHidden();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void limitsChanged();
    void recordClicked();
    void pictureClicked();
    void recordingChanged();

    RangeSession &session;
    QComboBox *span;
    QDoubleSpinBox *gapLimit;
    QSpinBox *lowLimit;
    QPushButton *record;
    QPushButton *picture;
    QLabel *counts;
    QLabel *words;  // the last summary, or why a recording stopped
    QWidget *charts;
    std::vector<std::unique_ptr<Strip>> strips;
};
