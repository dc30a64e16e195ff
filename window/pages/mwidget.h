#pragma once
#include "curvewidget.h"

// Dual-rate / exponential curve of the selected channel and position.
class mWidget : public CurveWidget
{
    Q_OBJECT
public:
    explicit mWidget(QWidget *parent = nullptr) : CurveWidget(parent) {}

protected:
    std::vector<int> inputs() const override;
    void draw(QPainter &p) override;
};
