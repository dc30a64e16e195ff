#include "commandtime.h"

#include "commandguard.h"

// The one class the guard lets change its time scale; the program never
// defines it.
class CommandTimeScale
{
public:
    static void set(double pauses, double answers)
    {
        CommandGuard::pauseScale = pauses;
        CommandGuard::answerScale = answers;
    }
    static int pause(int ms) { return CommandGuard::scaled(ms, CommandGuard::pauseScale); }
    static int answers(int ms) { return CommandGuard::scaled(ms, CommandGuard::answerScale); }
};

namespace commandtime {

void scaled()
{
    CommandTimeScale::set(kPauseScale, kAnswerScale);
}

void realTime()
{
    CommandTimeScale::set(1.0, 1.0);
}

int ms(int fullMs)
{
    return CommandTimeScale::pause(fullMs);
}

int quietMs(int fullMs)
{
    return CommandTimeScale::answers(fullMs);
}

} // namespace commandtime
