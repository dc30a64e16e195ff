#pragma once

// The bare form's stand-in for the throttle curve: a plain widget.
#include <QWidget>

class cureWidget : public QWidget
{
public:
    using QWidget::QWidget;
};
