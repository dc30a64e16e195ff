#pragma once
#include <QWidget>

#include <climits>

class QTimer;
struct ConfigModel;

// Dual-rate / exponential curve of the selected channel and position.
// Looks at the model every 100 ms and repaints when the rate or the
// exponential it last drew has changed.
class mWidget : public QWidget
{
    Q_OBJECT
public:
    explicit mWidget(QWidget *parent = nullptr);
    // The model drawn; none draws nothing (the form builds the widget first).
    void setModel(const ConfigModel *m) { model = m; }

public slots:
    void creatData();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const ConfigModel *model = nullptr;
    QTimer *timer;
    int drawnRate = INT_MIN;
    int drawnExp = INT_MIN;
};
