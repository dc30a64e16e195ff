#pragma once

// The pages' marks of settings the transmitter is not known to hold: a
// frame over each such editor with the held value in its tool tip, a mark
// on the tab of each page holding one, and the ways to take them back (the
// editors' context menus and one shortcut for every page).

#include "differences.h"

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QVector>

#include <functional>

struct ConfigModel;
class QAction;
class QPoint;
class QTabWidget;
class QWidget;
struct ConfigModel;
struct Setting;

class DifferenceMarks : public QObject
{
public:
    // `pages`: the model the editors show; `held`: what the transmitter is
    // known to hold.  The window refreshes itself after a take-back.
    // `heldKnown`: whether `held` is what this transmitter holds; until
    // then nothing is marked and nothing offered to take back.
    DifferenceMarks(QWidget *window, ConfigModel &pages, const ConfigModel &held, const bool &heldKnown,
                    QTabWidget *tabs);

    // On a refresh tick that found the pages or what is held changed: the
    // rule is a pass over the settings table; widgets are touched only when
    // what differs, or which editor shows it, has changed since.
    void refresh();
    // Every page back to what the transmitter holds.
    void takeBackAll();
    // Compares with `state` (a file, a history entry), named `name` in the
    // tips and menus, instead of the transmitter; null: the transmitter
    // again.  `state` must outlive the comparison.
    void setReference(const ConfigModel *state, const QString &name);
    // Added below the entries of every editor's context menu.
    void addMenuActions(const QList<QAction *> &actions) { extraActions += actions; }
    // Called before a take-back changes the pages (page undo makes it a
    // step of its own).
    void beforeTakingBack(std::function<void()> f) { taking = std::move(f); }
    // How the window shows the pages after a take-back.
    void showPagesWith(std::function<void()> f) { showPages = std::move(f); }

    // Ctrl+Shift+R: no desktop binds it, and an editor with the focus lets
    // it through (Ctrl+Shift+Z is the editors' own redo, Ctrl+Backspace
    // deletes a word in them).
    static QKeySequence shortcut() { return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R); }
    // The editors' dynamic property while marked (tests look for it).
    static constexpr const char *kMarked = "differsFromTransmitter";
    // The tab text's suffix while its page holds a difference.
    static constexpr const char *kTabMark = " *";

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The editors that show `s` for the pages' current selections; when
    // the channel or position chosen on a dual-rate page hides it, the
    // selector that would show it (`direct` false).
    QVector<QWidget *> editorsOf(const Setting &s, const ConfigModel &pages, bool *direct = nullptr) const;
    QWidget *editor(const QString &name) const { return editors.value(name); }
    void mark();
    void showMenu(QWidget *editor, const QPoint &at);
    void takeBackOne(const Setting *s);

    // What the marks hold the pages against, and whether there is one.
    const ConfigModel &against() const { return reference ? *reference : held; }
    bool comparing() const { return reference || heldKnown; }

    QWidget *window;
    ConfigModel &pages;
    const ConfigModel &held;
    const bool &heldKnown;
    QTabWidget *tabs;
    QAction *backAll;
    QHash<QString, QWidget *> editors;  // every editor of a setting, by object name
    QStringList designedTabTexts;
    // What the marks show now: the differences and the selections that
    // decide which editor shows a dual-rate entry or a trim row.
    QVector<HeldDifference> marked;
    int markedSelection = 0;
    QHash<QWidget *, QWidget *> frames;  // a marked editor's frame
    const ConfigModel *reference = nullptr;
    QString referenceName;
    QList<QAction *> extraActions;
    std::function<void()> taking = [] {};
    std::function<void()> showPages;
};

// A write's verdict when it did not end well: a warning, and below the
// verdict what to do next.
void showWriteVerdict(const QString &title, const QString &text, const QString &next);
