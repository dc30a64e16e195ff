#include "startup.h"

int main(int argc, char *argv[])
{
    const ProgramOptions program{
        QStringLiteral("Reads, edits, saves and writes back the settings of the Zarvik&Quorel 8-channel "
                       "radio-control transmitter over its serial line, and shows its live channel outputs."),
        true};
    return runToolWindow(argc, argv, program);
}
