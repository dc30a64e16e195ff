#include "selector.h"

#include <QComboBox>
#include <QSignalBlocker>

void showSelection(QComboBox *box, int index)
{
    const bool listed = index >= 0 && index < box->count();
    if (box->currentIndex() == (listed ? index : -1))
        return;
    if (listed) {
        // A changed index emits the change signal, and the handler stores
        // the same value again.
        box->setCurrentIndex(index);
        return;
    }
    const QSignalBlocker quiet(box);
    box->setCurrentIndex(-1);
}
