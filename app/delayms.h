#pragma once

// Waits the given number of milliseconds while the event loop keeps
// running (refresh, serial input and clicks are still delivered).
void DelayMs(int ms);

// Ends the waits in progress and lets every later one return at once,
// until resumeDelays(): the running command has nobody left to wait for
// (the transmitter went away).
void skipDelays();
void resumeDelays();
bool delaysSkipped();
