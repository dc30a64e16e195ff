#include "monitorstate.h"

const MonField kServoFields[8] = {&MonitorState::Servo1, &MonitorState::Servo2, &MonitorState::Servo3,
                                  &MonitorState::Servo4, &MonitorState::Servo5, &MonitorState::Servo6,
                                  &MonitorState::Servo7, &MonitorState::Servo8};
