#include "commandtime.h"

#include "commandwaits.h"

// The one class the waits let change their time scale; the program never
// defines it.
class CommandTimeScale
{
public:
    static void set(double pauses, double answers)
    {
        CommandWaits::pauseScale = pauses;
        CommandWaits::answerScale = answers;
    }
    static int pause(int ms) { return CommandWaits::scaled(ms, CommandWaits::pauseScale); }
    static int answers(int ms) { return CommandWaits::scaled(ms, CommandWaits::answerScale); }
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

}  // namespace commandtime
