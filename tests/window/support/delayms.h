#pragma once

// Waits the given number of milliseconds while the event loop keeps
// running (refresh, serial input and clicks are still delivered).  The
// commands wait through their CommandGuard instead, which can cut them
// short.
void DelayMs(int ms);
