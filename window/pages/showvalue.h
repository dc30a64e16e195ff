#pragma once

class QDoubleSpinBox;
class QLineEdit;
class QProgressBar;
class QSpinBox;
class QString;

// The display steps' way into a widget: a widget that already shows the
// model's value is left alone, anything else is written as before (and
// emits its change signal when its value moves).  Qt rewrites a spin box's
// text and repaints it on every setValue, even of the value it holds, which
// both threw away what the user was typing (a lone "-", "6.", an emptied
// box: none is a value yet, so the box still holds the model's) and kept
// every shown editor repainting ten times a second.  See also
// showSelection (selector.h) for combo boxes.
void showValue(QSpinBox *box, int value);
// Compared as the box would hold it: rounded to its decimals, within its range.
void showValue(QDoubleSpinBox *box, double value);
void showValue(QProgressBar *bar, int value);
void showText(QLineEdit *edit, const QString &text);
