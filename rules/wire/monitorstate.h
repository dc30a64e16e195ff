#pragma once

// Live values reported by the transmitter, shown by the live monitor.
struct MonitorState
{
    int Servo1 = 1000, Servo2 = 1000, Servo3 = 1000, Servo4 = 1000, Servo5 = 1000, Servo6 = 1000, Servo7 = 1000,
        Servo8 = 1000;
    int TxVoltLive = 0;   // hundredths of a volt
    int RxVoltLive = 0;   // tenths of a volt
    int ExtVoltLive = 0;  // tenths of a volt
    int RssiLive = 0;     // raw signal byte; 0 means no signal
    int Spare1Live = 0, Spare2Live = 0;
};

using MonField = int MonitorState::*;
extern const MonField kServoFields[8];
