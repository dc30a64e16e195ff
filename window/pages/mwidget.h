#pragma once
#include <QWidget>

#include <climits>

class QTimer;

// Dual-rate / exponential curve of the selected channel and position.
// Looks at the model every 100 ms and repaints when the rate or the
// exponential it last drew has changed.
class mWidget : public QWidget
{
    Q_OBJECT
public:
    explicit mWidget(QWidget *parent = nullptr);

public slots:
    void creatData();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTimer *timer;
    int drawnRate = INT_MIN;
    int drawnExp = INT_MIN;
};
