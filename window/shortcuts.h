#pragma once

#include <QKeySequence>
#include <QList>

class QTabWidget;
class QWidget;
namespace Ui {
class MainWindow;
}

// The keys of the window's commands.  Each presses its button, so a key
// does exactly what a click does: nothing while a command runs or the
// button is disabled.  None is a key desktops keep for themselves or that
// most programs use for something else (Ctrl+W, Ctrl+Q, Ctrl+P).
namespace shortcuts {
inline QKeySequence openClose()
{
    return QKeySequence(Qt::CTRL | Qt::Key_L);
}  // the line
inline QKeySequence read()
{
    return QKeySequence(Qt::CTRL | Qt::Key_R);
}
inline QKeySequence write()
{
    return QKeySequence(Qt::CTRL | Qt::Key_T);
}  // transmit
inline QKeySequence save()
{
    return QKeySequence(Qt::CTRL | Qt::Key_S);
}
inline QKeySequence load()
{
    return QKeySequence(Qt::CTRL | Qt::Key_O);
}  // opens a file

// The keys that turn the pages, from anywhere in the window and whatever
// has focus: a focused box would otherwise take Ctrl+PgDn as its own.
inline QList<QKeySequence> nextPage()
{
    return {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)};
}
inline QList<QKeySequence> previousPage()
{
    return {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
            QKeySequence(Qt::CTRL | Qt::Key_PageUp)};
}
inline QKeySequence graph()
{
    return QKeySequence(Qt::CTRL | Qt::Key_G);
}  // the live graph and its recording
}  // namespace shortcuts

// Gives the command buttons of `window` their keys, each named in its
// button's tool tip.
void giveCommandShortcuts(QWidget *window, Ui::MainWindow *ui);
// Gives the window the keys that turn its pages, round at either end.
void givePageKeys(QWidget *window, QTabWidget *pages);
