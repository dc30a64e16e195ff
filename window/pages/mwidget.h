#pragma once
#include <QWidget>

class QTimer;

// Dual-rate / exponential curve of the selected channel and position.
// Repaints itself every 100 ms straight from the model.
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
};
