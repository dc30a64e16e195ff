#pragma once

#include <QString>

// The texts of the kept history, the comparisons and page undo, in the
// language of the installed catalogue (language.h).
struct HistoryTexts
{
    QString holdsIn;        // a marked editor's tool tip, %1 the state compared with, %2 its value
    QString holdsInList;    // %1 the state; the lines "setting: value" follow
    QString tabTipIn;       // %1 the number of settings that differ, %2 the state
    QString takeOneFrom;    // context menu, %1 the state, %2 its value
    QString takeAllFrom;    // context menu, %1 the state
    QString compareFile;    // "Compare with file…"
    QString compareHeld;    // back to comparing with the transmitter
    QString comparing;      // the status line's button, %1 the state compared with
    QString openOnPages;    // "Open on the pages…"
    QString openedNotSent;  // lead of the box after opening a file on the pages, %1 the file
    QString history;        // opens the history window
    QString historyTitle;   // the history window's title
    QString columns;        // the history's column heads, separated by '|'
    QString events;         // the event words of the file names, separated by '|', in HistoryEvent's order
    QString differCount;    // %1 how many settings, %2 their names
    QString oldest;         // the entry no entry precedes
    QString same;           // no setting differs
    QString compareEntry;   // the history window's buttons
    QString putOnPages;
    QString saveAs;
    QString showFolder;
    QString historyEntry;  // a history entry as the state compared with, %1 its time
    QString unwritable;    // %1 why, in the system's words
    QString recent;        // the recent files' menu
    QString undo;
    QString redo;
};
HistoryTexts historyTexts();

// An event word of a history file name in the user's language.
QString historyEventText(const QString &word);
