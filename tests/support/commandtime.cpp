#include "commandtime.h"

#include "commandguard.h"

// The one class the guard lets change its time scale; the program never
// defines it.
class CommandTimeScale
{
public:
    static void set(double scale) { CommandGuard::timeScale = scale; }
    static double get() { return CommandGuard::timeScale; }
    static int of(int ms) { return CommandGuard::scaled(ms); }
};

namespace commandtime {

void scaled()
{
    CommandTimeScale::set(kScaled);
}

void realTime()
{
    CommandTimeScale::set(1.0);
}

bool isRealTime()
{
    return CommandTimeScale::get() == 1.0;
}

int ms(int fullMs)
{
    return CommandTimeScale::of(fullMs);
}

} // namespace commandtime
