#include "hover.h"

#include <QComboBox>
#include <QFile>
#include <QString>

const char kComboSheet[] = ":/comboBox.qss";
const char kComboSheetRev[] = ":/comboBox_REV.qss";

HoverAction hoverStep(int &counter, bool underMouse)
{
    if (underMouse) {
        if (counter + 1 < kHoverTicks) {
            ++counter;
            return HoverAction::None;
        }
        // Re-applied on every further tick while the pointer stays.
        counter = kHoverTicks;
        return HoverAction::ApplyRev;
    }
    // Counts below the threshold survive leaving, so short visits add up.
    if (counter < kHoverTicks)
        return HoverAction::None;
    counter = 0;
    return HoverAction::ApplyNormal;
}

bool applyStyleResource(QWidget *widget, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    // Text ends at the first NUL byte, as with QString(QByteArray).
    const int length = int(qstrnlen(bytes.constData(), uint(bytes.size())));
    const QString sheet = QString::fromUtf8(bytes.constData(), length);
    // The sheet is re-applied on every tick the pointer rests on a box;
    // setting the very same text again would only repolish the box for
    // nothing (about half a millisecond a tick).
    if (widget->styleSheet() != sheet)
        widget->setStyleSheet(sheet);
    file.close();
    return true;
}

void hoverHighlight(QComboBox *box, int &counter)
{
    switch (hoverStep(counter, box->underMouse())) {
    case HoverAction::ApplyRev:
        applyStyleResource(box, QString::fromLatin1(kComboSheetRev));
        break;
    case HoverAction::ApplyNormal:
        applyStyleResource(box, QString::fromLatin1(kComboSheet));
        break;
    case HoverAction::None:
        break;
    }
}
