#include "editorranges.h"

#include "declarations.h"

#include <QDoubleSpinBox>
#include <QHash>
#include <QSpinBox>
#include <QWidget>

void rangeEditorsAsDeclared(QWidget *window)
{
    // One walk of the form for all the boxes, not one search per name.
    QHash<QString, QAbstractSpinBox *> boxes;
    for (QAbstractSpinBox *box : window->findChildren<QAbstractSpinBox *>())
        boxes.insert(box->objectName(), box);
    for (const SettingDecl &s : settingDecls()) {
        for (const QString &name : s.boxes) {
            if (s.shown == Shown::Number) {
                if (auto *box = qobject_cast<QSpinBox *>(boxes.value(name)))
                    box->setRange(s.editLo, s.editHi);
            } else if (s.shown == Shown::Volts) {
                // Volts are declared in tenths.
                if (auto *box = qobject_cast<QDoubleSpinBox *>(boxes.value(name)))
                    box->setRange(s.editLo / 10.0, s.editHi / 10.0);
            }
        }
    }
}
