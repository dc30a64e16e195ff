#include "pagesteps.h"

#include "differences.h"

#include <QApplication>
#include <QUndoCommand>
#include <QUndoStack>
#include <QWidget>

namespace {

QVector<const Setting *> changed(const ConfigModel &from, const ConfigModel &to)
{
    QVector<const Setting *> out;
    for (const HeldDifference &d : heldDifferences(to, from))
        out << d.setting;
    return out;
}

class PageStep : public QUndoCommand
{
public:
    PageStep(PageSteps *owner, const ConfigModel &before, const ConfigModel &after, QWidget *editor, int turn)
        : owner(owner), before(before), after(after), settings(changed(before, after)), editor(editor), turn(turn)
    {
    }
    void undo() override { owner->apply(before); }
    void redo() override
    {
        // Pushed after the change was made.
        if (!done)
            done = true;
        else
            owner->apply(after);
    }
    int id() const override { return 1; }
    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *o = static_cast<const PageStep *>(other);
        if (!editor || o->editor != editor || o->turn != turn || o->settings != settings)
            return false;
        after = o->after;
        return true;
    }

private:
    PageSteps *owner;
    ConfigModel before, after;
    QVector<const Setting *> settings;
    QWidget *editor;
    int turn;
    bool done = false;
};

}  // namespace

PageSteps::PageSteps(QWidget *window, ConfigModel &pages)
    : QObject(window), window(window), pages(pages), undo(new QUndoStack(this)), seen(pages)
{
    connect(qApp, &QApplication::focusChanged, this, [this] { ++focusTurn; });
}

void PageSteps::notice()
{
    if (held || heldDifferences(pages, seen).isEmpty())
        return;
    QWidget *focus = QApplication::focusWidget();
    const bool inWindow = focus && focus->window() == window;
    undo->push(new PageStep(this, seen, pages, inWindow ? focus : nullptr, focusTurn));
    seen = pages;
}

void PageSteps::restart()
{
    undo->clear();
    seen = pages;
}

void PageSteps::apply(const ConfigModel &state)
{
    takeBack(pages, state);
    seen = pages;
    if (showPages)
        showPages();
    // What the refresh itself settled is part of the step.
    seen = pages;
}
