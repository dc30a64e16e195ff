#pragma once

#include "ptypeer.h"

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;
class QTimer;

// Puts `path` into the window's port list and clicks openButton.
void openPortInWindow(QWidget *window, const QString &path);

// Watches for modal message boxes and closes them, recording what they
// said: the close question by "Close without writing", any other box by
// its first button.  Arm it before the action that shows the box.
class ModalCloser
{
public:
    explicit ModalCloser(int closeAfterMs = 0);
    ~ModalCloser();
    int count = 0;
    QString lastTitle;
    QString lastText;
    qint64 firstSeenAtMs = -1;  // from construction

private:
    QTimer *timer;
    qint64 startMs;
    int closeAfter;
    qint64 seenSince = -1;
};

// Answers the next file dialog with `path` (an empty path cancels it).
class FileDialogAnswer
{
public:
    explicit FileDialogAnswer(const QString &path);
    ~FileDialogAnswer();
    bool answered = false;
    QString title;
    QString directory;
    QStringList filters;
    // Runs while the dialog is up, just before it is answered.
    std::function<void()> whileShown;

private:
    QTimer *timer;
};

// Runs the event loop until no command runs (the busy cursor is gone).
bool waitForCommandEnd(int timeoutMs = 20000);
// Runs the event loop until the window's 100 ms refresh has run once more
// (the title's mark, the pages).
bool waitForRefresh(QWidget *window, int timeoutMs = 5000);
