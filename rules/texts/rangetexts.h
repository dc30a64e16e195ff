#pragma once

#include "rangecheck.h"

#include <QString>

// The live graph's and the recording's words, in the window's language.
struct RangeTexts
{
    QString windowTitle;  // the graph window
    QString openGraph;    // the key, the status line's link and the monitor page's menu entry
    QString signal;       // chart and trace names
    QString voltages;
    QString channels;
    QString tx, rx, ext;                                             // the three batteries
    QString channel;                                                 // %1 the channel's number
    QString span;                                                    // "time shown"
    QString gapLimit;                                                // the gap limit's box
    QString lowLimit;                                                // the weak-signal limit's box
    QString record;                                                  // start recording
    QString stopRecord;                                              // stop it
    QString savePicture;                                             // save the chart as PNG
    QString recordTitle, recordFilter, pictureTitle, pictureFilter;  // the file dialogs
    QString recording;         // status line while recording: %1 the file, %2 the seconds
    QString recordFailed;      // %1 the file, %2 why: the recording stopped, the link goes on
    QString pictureFailed;     // %1 the file
    QString counts;            // %1 gaps, %2 longest (seconds), %3 weak stretches
    QString gapMark, lowMark;  // the marks' legend
    QString seconds;           // a number of seconds' suffix
    QString minutes;           // %1 a number of minutes
    QString noSignal;          // the signal's value before or without any
    QString ago;               // the time axis: seconds before now
};
RangeTexts rangeTexts();

// The summary at stop, for the status line: duration, packets, gaps,
// lowest signal and voltages, each with its clock time.
QString summaryText(const RangeSummary &s);
