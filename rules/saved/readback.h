#pragma once

// Knowing what the transmitter holds: what a write's four frames carried,
// what the read-back after it answered, and which settings differ.
// GUI-free; the window runs the command and shows the verdict.

#include "packetdecoder.h"

#include <QString>
#include <QStringList>

struct ConfigModel;
struct MonitorState;
struct Setting;

// Turns the read-back after a write off when set to 0 (as --no-verify does).
extern const char kVerifyVariable[];

// Whether a complete read answers for this setting: whether an answer
// carries it (answerlayout.h).  Not the dual-rate
// page's channel choice and its two working rates (the G frame's copy of
// that channel's entries, which the read carries in the rate arrays), and
// not the stick trims: those are the transmitter's own, moved by its trim
// switches at any time and reported by live packets, so a trim that moved
// between the I frame and the answers is no fault of the write and a
// difference there would be a false alarm.
bool readBackAnswersFor(const Setting &s);

// The settings as the four stored frames carry them (fields no frame
// carries are taken from `base`).
ConfigModel modelOfFrames(const ConfigModel &base, const QString &s, const QString &g, const QString &h,
                          const QString &i);

// One chunk while a read runs: the awaited answers go into `held` as the
// transmitter sent them (a read-back's answers never reach the pages), live
// values into `live`; trims come with their own chunk.
DecodeResult decodeReadAnswer(const QByteArray &chunk, ConfigModel &held, MonitorState &live,
                              const AwaitedAnswers &awaited);

// "label: held → shown" for each setting a read brought that the sanity
// pass had to repair before the pages could show it.
QStringList readRepairs(const ConfigModel &held);

// "label: sent → held" for each answered setting that differs, page by page.
QStringList readBackDifferences(const ConfigModel &sent, const ConfigModel &held);

// A read asked for instead of a write: every setting the user changed on
// the pages (where `pages` differs from `before`, what the transmitter was
// known to hold) goes onto `read` again, so the user's edits stay on top
// of what the transmitter now says it holds.
void keepEditsOnTop(ConfigModel &read, const ConfigModel &pages, const ConfigModel &before);

// Whether the pages hold a setting the transmitter is not known to hold.
bool unwrittenSettings(const ConfigModel &pages, const ConfigModel &known);

// At most `max` lines, then `more` with %1 the number left out.
QString firstLines(const QStringList &lines, int max, const QString &more);
