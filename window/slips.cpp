#include "slips.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>

namespace {

// One filter per window, installed on each editor (not on the application:
// only the editors' own events pass through it).
class WheelGuard : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Wheel)
            return false;
        auto *editor = static_cast<QWidget *>(watched);
        if (editor->hasFocus())
            return false;
        // Ignored, so the wheel goes on to what lies behind the editor.
        event->ignore();
        return true;
    }
};

}  // namespace

void keepWheelOffUnfocusedEditors(QWidget *window)
{
    auto *guard = new WheelGuard(window);
    const auto guardOne = [guard](QWidget *editor) {
        // The wheel would otherwise give focus first and then turn the value.
        if (editor->focusPolicy() == Qt::WheelFocus)
            editor->setFocusPolicy(Qt::StrongFocus);
        editor->installEventFilter(guard);
    };
    for (QAbstractSpinBox *s : window->findChildren<QAbstractSpinBox *>())
        guardOne(s);
    for (QComboBox *c : window->findChildren<QComboBox *>())
        guardOne(c);
}
