#pragma once

// The commands' waits as the suites run them.  Every wait of a command
// (the 200 ms button pause, the 800 ms frame pauses, the settle pause, the
// read's quiet time) goes through CommandWaits, which can
// run them at a fraction of their length; the framer's quiet time is the
// line's and stays real.  A suite calls scaled() in init(); the rows that
// pin the waits themselves call realTime() first.  Every test's own timing
// of a command (a gap it expects, a delay it answers with) goes through
// ms() or quietMs(), so the row means the same at either speed.
namespace commandtime {

// The pauses at a tenth: a write with its read-back in about half a
// second.
constexpr double kPauseScale = 0.1;
// The waits on answers at a half: the read's quiet time (500 ms) stays
// clear of a loaded machine's stalls between two answers (the AUX packet
// alone waits the framer's 25 ms), and a read nobody answers still ends
// in half a second.
constexpr double kAnswerScale = 0.5;

// Every later command waits that much shorter.
void scaled();
// Every later command waits as the program does.
void realTime();
// A pause of fullMs as the commands now run it.
int ms(int fullMs);
// A wait on answers of fullMs (the read's quiet time) as the commands now
// run it.
int quietMs(int fullMs);

}  // namespace commandtime
