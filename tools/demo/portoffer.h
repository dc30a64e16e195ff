#pragma once

#include <QAbstractItemModel>
#include <QComboBox>
#include <QString>
#include <QTimer>

// Keeps a port that the system's port list never shows (a pseudo-terminal)
// in a port combo box: first in the list and selected from the start, and
// put back (and selected again) whenever the window refills the list from
// the system, as it does after every close.  A port the user picked
// meanwhile stays picked as long as the offered one is still listed.
inline void keepPortOffered(QComboBox *box, const QString &path)
{
    const auto ensure = [box, path] {
        if (box->findText(path) >= 0)
            return;
        box->insertItem(0, path);
        box->setCurrentIndex(0);
    };
    ensure();
    // A refill clears the list and then adds the ports one by one; look
    // once it is over, not half-way through.
    const auto afterRefill = [box, ensure] { QTimer::singleShot(0, box, ensure); };
    QObject::connect(box->model(), &QAbstractItemModel::rowsRemoved, box, afterRefill);
    QObject::connect(box->model(), &QAbstractItemModel::modelReset, box, afterRefill);
}
