#include "editorranges.h"

#include "declarations.h"

#include <QDoubleSpinBox>
#include <QSpinBox>
#include <QWidget>

void rangeEditorsAsDeclared(QWidget *window)
{
    for (const SettingDecl &s : settingDecls()) {
        for (const QString &name : s.boxes) {
            if (s.shown == Shown::Number) {
                if (auto *box = window->findChild<QSpinBox *>(name))
                    box->setRange(s.editLo, s.editHi);
            } else if (s.shown == Shown::Volts) {
                // Volts are declared in tenths.
                if (auto *box = window->findChild<QDoubleSpinBox *>(name))
                    box->setRange(s.editLo / 10.0, s.editHi / 10.0);
            }
        }
    }
}
