#pragma once

#include <QString>

class QWidget;

// The save and load dialogs of the window.  Both start in `folder` (the
// working folder when it is empty), with the designed titles and filters.

// A name without a suffix gets ".txt", whichever filter is chosen: what
// is saved is always the text configuration.  A name with any suffix
// stays.  Empty when cancelled.
QString askSavePath(QWidget *parent, const QString &folder);
// Empty when cancelled.
QString askLoadPath(QWidget *parent, const QString &folder);
// Where the next dialog starts after `path` was saved or loaded.
QString folderOf(const QString &path);
