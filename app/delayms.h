#pragma once

// Waits the given number of milliseconds while the event loop keeps
// running (refresh, serial input and clicks are still delivered).
void DelayMs(int ms);
