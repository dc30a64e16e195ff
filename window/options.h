#pragma once

#include <QCommandLineOption>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include "language.h"  // kLangVariable, useLanguage

// What one start of a program asks for on its command line and in its
// environment.
struct StartOptions
{
    enum Action { Run, ShowHelp, ShowVersion, Fail };
    Action action = Run;
    QString language = QString::fromLatin1(kSourceLanguage);  // the window's: Chinese unless asked
    QString port;                                             // --port: a port name or device path, or empty
    bool verify = true;             // read back every write (off: --no-verify or ZQCONFIG_VERIFY=0)
    QString message;                // what to print when not running
    QHash<QString, QString> extra;  // the program's own options given: first name -> value ("" for a flag)
};

// The program reading them.
struct ProgramOptions
{
    QString about;                                // the line under "Usage" in --help
    bool offersPort = true;                       // whether --port is one of its options
    QList<QCommandLineOption> extraOptions = {};  // its own, judged by the program
};

// Reads the arguments as QCoreApplication::arguments() gives them (program
// first) and the value of kLangVariable (null or empty when unset).  Qt's
// own options (-platform, -style ...) are accepted and left for
// QApplication, so an unknown option or a missing value fails with or
// without a display.  Until QApplication has taken its options out of the
// arguments, qtOptionsTaken is false and a stray argument is left for it to
// judge.  The help text needs an application object; without one it stays
// empty.
StartOptions parseStartOptions(const QStringList &args, const QString &envLang, const ProgramOptions &program,
                               bool qtOptionsTaken = true);

// Prints the message of a start that does not run (help and version to
// stdout, errors to stderr) and returns the exit status: 0, or 2 for a bad
// command line.
int reportStartOptions(const StartOptions &options);

// Answers --help, --version and a bad option before QApplication exists, so
// that none of them needs a display.  True, with the exit status, when the
// program is to stop there.
bool answeredWithoutWindow(int &argc, char **argv, const ProgramOptions &program, int *status);
