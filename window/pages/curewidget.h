#pragma once
#include "curvewidget.h"

#include <array>

// Seven-point throttle curve.
class cureWidget : public CurveWidget
{
    Q_OBJECT
public:
    explicit cureWidget(QWidget *parent = nullptr) : CurveWidget(parent) {}

protected:
    std::vector<int> inputs() const override;
    void draw(QPainter &p) override;

private:
    std::array<int, 7> modelPoints() const;
};
