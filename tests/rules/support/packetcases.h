#pragma once

#include <QByteArray>
#include <QVector>

#include <initializer_list>

struct ConfigModel;

// Packets as the transmitter sends them.
QByteArray servoPacket(std::initializer_list<int> servos, int txVolt);
QByteArray receiverPacket(int rssi, int rxVolt, int extVolt, int spare1, int spare2,
                          std::initializer_list<int> trimBytes10to13);
QByteArray auxPacket(int aux5, int aux6, int aux7, int aux8, char byte0 = 0, char byte1 = 0);
QByteArray settingsPacket(int code, std::initializer_list<int> bytes3to10, int byte1 = 0x0C);

// One 12-byte settings packet per code, with distinct in-range values, and
// the stores it must make (applied to a copy of the model beforehand).
struct SettingsCase
{
    const char *name;
    int code;
    int readFlag;
    QByteArray packet;
    void (*expect)(ConfigModel &);
};
const QVector<SettingsCase> &settingsCases();
