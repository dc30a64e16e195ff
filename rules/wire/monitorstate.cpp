#include "monitorstate.h"

MonitorState mon;
int trimHold = 0;

const MonField kServoFields[8] = {&MonitorState::Servo1, &MonitorState::Servo2, &MonitorState::Servo3,
                                  &MonitorState::Servo4, &MonitorState::Servo5, &MonitorState::Servo6,
                                  &MonitorState::Servo7, &MonitorState::Servo8};
