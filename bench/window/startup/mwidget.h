#pragma once

// The bare form's stand-in for the dual-rate curve: a plain widget.
#include <QWidget>

class mWidget : public QWidget
{
public:
    using QWidget::QWidget;
};
