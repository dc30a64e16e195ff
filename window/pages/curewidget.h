#pragma once
#include <QWidget>

#include <array>
#include <climits>

class QTimer;

// Seven-point throttle curve.  Looks at the model every 100 ms and repaints
// when a point it last drew has changed.
class cureWidget : public QWidget
{
    Q_OBJECT
public:
    explicit cureWidget(QWidget *parent = nullptr);

public slots:
    void creatData();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::array<int, 7> modelPoints() const;

    QTimer *timer;
    std::array<int, 7> drawnPoints{{INT_MIN}};
};
