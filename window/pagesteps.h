#pragma once

// Undo and redo of page edits: each change of the settings the pages hold
// becomes one step on a QUndoStack, however it came (an editor, a
// take-back, a file or history entry put on the pages).  Typing in one
// editor is one step.  Steps only change the pages; nothing is sent.

#include "configmodel.h"

#include <QObject>

#include <functional>
#include <QVector>

class QUndoStack;
class QWidget;
struct Setting;

class PageSteps : public QObject
{
public:
    PageSteps(QWidget *window, ConfigModel &pages);

    QUndoStack *stack() const { return undo; }
    // After the pages were refreshed: what changed since the last look
    // becomes a step (or joins the last one, for the same setting in the
    // same editor without the focus having left it).
    void notice();
    // While a command runs nothing becomes a step.
    void hold(bool on) { held = on; }
    bool holding() const { return held; }
    // A fresh history starting from the pages as they are.
    void restart();
    // What changed so far is a step; the next change starts another.
    void separate()
    {
        notice();
        ++focusTurn;
    }
    // How the window shows the pages after a step put them back.
    void showPagesWith(std::function<void()> f) { showPages = std::move(f); }
    // Puts `state` on the pages (undo and redo).
    void apply(const ConfigModel &state);

private:
    std::function<void()> showPages;
    QWidget *window;
    ConfigModel &pages;
    QUndoStack *undo;
    ConfigModel seen;  // the pages at the last look
    bool held = false;
    int focusTurn = 0;  // counts focus changes, so an editor left and taken again starts a step
};
