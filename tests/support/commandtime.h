#pragma once

// The commands' waits as the window suites run them.  Every wait of a
// command (the 200 ms button pause, the 800 ms frame pauses, the settle
// pause, the read's quiet time) goes through the command guard, which can
// run them at a fraction of their length; the framer's quiet time is the
// line's and stays real.  A suite calls scaled() in init(); the rows that
// pin the waits themselves call realTime() first.  Every test's own timing
// of a command (a gap it expects, a delay it answers with) goes through
// ms(), so the row means the same at either speed.
namespace commandtime {

// A tenth: a write with its read-back in about half a second, and the
// read's quiet time (100 ms) still well clear of a loaded machine's stalls.
constexpr double kScaled = 0.1;

// Every later command waits a tenth as long.
void scaled();
// Every later command waits as the program does.
void realTime();
bool isRealTime();
// A wait of fullMs as the commands now run it.
int ms(int fullMs);

} // namespace commandtime
