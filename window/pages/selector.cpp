#include "selector.h"

#include <QComboBox>
#include <QSignalBlocker>

void showSelection(QComboBox *box, int index)
{
    if (index >= 0 && index < box->count()) {
        // A changed index emits the change signal, and the handler stores
        // the same value again.
        box->setCurrentIndex(index);
        return;
    }
    const QSignalBlocker quiet(box);
    box->setCurrentIndex(-1);
}
