#pragma once
#include <QWidget>

class QTimer;

// Seven-point throttle curve.  Repaints itself every 100 ms straight from
// the model.
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
    QTimer *timer;
};
