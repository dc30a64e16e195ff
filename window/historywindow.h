#pragma once

// The history window: every kept state, newest first, with its time,
// event, port and the settings that differ from the entry before; from
// the chosen entry, compare it with the pages, put it on the pages, save
// it as a file or show it in its folder.

#include "configmodel.h"

#include <QDialog>
#include <functional>

class HistoryStore;
class QTreeWidget;

class HistoryWindow : public QDialog
{
public:
    struct Uses
    {
        std::function<void(const ConfigModel &, const QString &name)> compare;
        std::function<void(const ConfigModel &)> put;
    };
    HistoryWindow(QWidget *parent, HistoryStore &store, Uses uses);

    // Lists the folder anew.
    void fill();

private:
    QString chosenPath() const;
    ConfigModel chosenState() const;

    HistoryStore &store;
    Uses uses;
    QTreeWidget *list;
};
