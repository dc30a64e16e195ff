#include "curewidget.h"
#include "mwidget.h"

#include <QTimer>

mWidget::mWidget(QWidget *parent) : QWidget(parent), timer(new QTimer(this))
{
    connect(timer, &QTimer::timeout, this, &mWidget::creatData);
    timer->start(100);
}

void mWidget::creatData() { update(); }

void mWidget::paintEvent(QPaintEvent *) {}

cureWidget::cureWidget(QWidget *parent) : QWidget(parent), timer(new QTimer(this))
{
    connect(timer, &QTimer::timeout, this, &cureWidget::creatData);
    timer->start(100);
}

void cureWidget::creatData() { update(); }

void cureWidget::paintEvent(QPaintEvent *) {}
