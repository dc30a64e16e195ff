#pragma once

#include <QString>

// User-facing texts of the link, reset and file commands, in the language
// of the installed catalogue (language.h); Chinese, the source, without one.
struct LinkTexts
{
    QString openText;        // openButton while no port is open
    QString closeText;       // openButton while a port is open
    QString title;           // message box title
    QString openFailed;      // a port that would not open
    QString noPort;          // a command that needs an open port
    QString lineLost;        // the open port went away (cable pulled)
    QString readIncomplete;  // a read some settings groups did not answer
    QString noAnswer;        // a read no group answered at all
    QString partial;         // below readIncomplete: %1 groups of %2 came, the pages unchanged
    QString noise;           // below readIncomplete: bytes came, none of them an answer
    // Write before the window knows what the transmitter holds.
    QString unreadQuestion;
    QString readFirst;
    QString writeAnyway;
    // A port the system does not list, typed by its path.
    QString typePath;       // the port box's context menu
    QString typePathLabel;  // the question's label
};

// After a write is read back, and before closing over unwritten changes.
struct VerifyTexts
{
    QString unverified;     // the read-back got no answer, or not every group
    QString mismatch;       // the lines "setting: sent → held" follow
    QString more;           // %1 the lines left out
    QString closeQuestion;  // closing while the pages hold unwritten changes
    QString closeButton;
    QString cancelButton;
    QString repaired;  // after a read: the lines "setting: held → shown" follow
    // Closing when the pages went out whole but the check did not run.
    QString closeUnverified;
};
VerifyTexts verifyTexts();

struct FileTexts
{
    QString saveTitle;
    QString openTitle;
    // Both dialogs open on the configuration files; "all files" is "*", as
    // a name without a dot is a file too.
    QString filters;
    QString errorTitle;
    QString errorText;
};

// Questions before a command overwrites the transmitter, and what a load
// says about the file it was given.
struct GuardTexts
{
    QString resetQuestion;  // before either factory reset
    QString yes;
    QString no;
    QString notConfiguration;  // %1 the file: no frame in it, nothing sent
    QString loadedWith;        // %1 the file; the lines below follow
    QString loadedNotSent;     // as loadedWith, when no port was open
    QString repaired;          // %1 the repairs, "; " between them
    QString shortFile;         // %1 what the missing frames carry (framesInWords)
};
GuardTexts guardTexts();

// What the frames named by their letters ("SGHI") carry, in words a user
// knows from the pages, one after another.
QString framesInWords(const QString &letters);

LinkTexts linkTexts();
FileTexts fileTexts();

// The pages' marks of settings the transmitter does not hold, taking them
// back, and the boxes' next steps after a write.
struct DifferenceTexts
{
    QString holds;           // an editor's tool tip, %1 the held value as shown
    QString holdsList;       // the lines "setting: held" follow
    QString tabTip;          // %1 the number of settings on the page that differ
    QString backOne;         // context menu, %1 the held value as shown
    QString backAll;         // context menu and shortcut: every page
    QString mismatchNext;    // below the mismatch lines, %1 the shortcut
    QString unverifiedNext;  // below "could not be verified"
    QString writeAndClose;   // the close question's answers
    QString closeWithout;
    QString notRead;  // context menu before the transmitter was read: nothing to take back
};
DifferenceTexts differenceTexts();
