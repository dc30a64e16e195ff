#include "showvalue.h"

#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QSpinBox>
#include <QString>
#include <QtGlobal>

void showValue(QSpinBox *box, int value)
{
    // A value outside the range would be bounded to the one the box holds.
    if (box->value() != qBound(box->minimum(), value, box->maximum()))
        box->setValue(value);
}

void showValue(QDoubleSpinBox *box, double value)
{
    // The box rounds a new value through its text form before bounding it.
    const double held = QString::number(value, 'f', box->decimals()).toDouble();
    if (box->value() != qBound(box->minimum(), held, box->maximum()))
        box->setValue(value);
}

// A progress bar repaints itself at once on every new value, so sixteen
// moving bars meant sixteen separate paints of the window each refresh.
// With its updates held the bar only marks itself for the next paint, which
// draws every changed bar and text together.
void showValue(QProgressBar *bar, int value)
{
    // A value outside the bar's range is refused and the bar keeps what it
    // showed.
    if (bar->value() == value || value < bar->minimum() || value > bar->maximum())
        return;
    bar->setUpdatesEnabled(false);
    bar->setValue(value);
    bar->setUpdatesEnabled(true);
}

void showText(QLineEdit *edit, const QString &text)
{
    if (edit->text() != text)
        edit->setText(text);
}
