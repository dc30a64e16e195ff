#include "portoffer.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QSerialPortInfo>
#include <QTimer>

void keepPortOffered(QComboBox *box, const QString &path)
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

void preselectPort(QComboBox *box, const QString &nameOrPath)
{
    if (!box || nameOrPath.isEmpty())
        return;
    int index = box->findText(nameOrPath);
    if (index < 0) {
        const auto ports = QSerialPortInfo::availablePorts();
        for (const QSerialPortInfo &info : ports)
            if (info.systemLocation() == nameOrPath)
                index = box->findText(info.portName());
    }
    if (index >= 0)
        box->setCurrentIndex(index);
    else
        keepPortOffered(box, nameOrPath);
}
