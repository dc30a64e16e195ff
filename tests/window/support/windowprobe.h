#pragma once

#include "mainwindow.h"
#include "rangesession.h"
#include "transmitterlink.h"

// The window's own state, for the suites and benchmarks that set it up or
// look at it; the program has no use for it.
struct WindowProbe
{
    static MonitorState &monitor(MainWindow &w) { return w.mon; }
    static TransmitterLink &link(MainWindow &w) { return *w.link; }
    static int &trimHold(MainWindow &w) { return w.link->trimHold(); }
    static QString &frame(MainWindow &w, FrameKind kind) { return w.link->storedFrame(kind); }
    static HoverCounters &hover(MainWindow &w) { return w.hoverCounters; }
    static bool verifiesWrites(const MainWindow &w) { return w.verifyWrites; }
    // The running read's answers, as sent (null while no read runs).
    static const ConfigModel *readAnswers(MainWindow &w)
    {
        return w.link->takingAnswers() ? &w.link->answers() : nullptr;
    }
    // Whether the window knows what the transmitter holds; a suite that
    // writes without reading first sets it, as a read of the start-up
    // settings would.
    static bool &heldKnown(MainWindow &w) { return w.heldKnown; }
    // The live graph and its recording.
    static RangeSession &range(MainWindow &w) { return *w.range; }
};
