#include "packetcases.h"

#include "configmodel.h"

namespace {

void put16(QByteArray &p, int at, int v)
{
    p[at] = char((v >> 8) & 0xFF);
    p[at + 1] = char(v & 0xFF);
}

}  // namespace

QByteArray servoPacket(std::initializer_list<int> servos, int txVolt)
{
    QByteArray p(20, '\0');
    p[0] = char(0xFE);
    p[1] = char(0x18);
    int at = 2;
    for (int v : servos) {
        put16(p, at, v);
        at += 2;
    }
    put16(p, 18, txVolt);
    return p;
}

QByteArray receiverPacket(int rssi, int rxVolt, int extVolt, int spare1, int spare2,
                          std::initializer_list<int> trimBytes10to13)
{
    QByteArray p(20, '\0');
    p[0] = char(0xFE);
    p[1] = char(0x19);
    p[2] = char(rssi);
    p[3] = char(rxVolt);
    put16(p, 4, extVolt);
    put16(p, 6, spare1);
    put16(p, 8, spare2);
    int at = 10;
    for (int v : trimBytes10to13)
        p[at++] = char(v);
    for (int i = 14; i < 20; ++i)
        p[i] = char(0xA0 + i);  // ignored tail
    return p;
}

QByteArray auxPacket(int aux5, int aux6, int aux7, int aux8, char byte0, char byte1)
{
    QByteArray p(8, '\0');
    p[0] = byte0;
    p[1] = byte1;
    p[2] = char(0xAA);
    p[3] = char(aux5);
    p[4] = char(aux6);
    p[5] = char(aux7);
    p[6] = char(aux8);
    p[7] = char(0x5A);
    return p;
}

QByteArray settingsPacket(int code, std::initializer_list<int> bytes3to10, int byte1)
{
    QByteArray p(12, '\0');
    p[0] = char(0xFE);
    p[1] = char(byte1);
    p[2] = char(code);
    int at = 3;
    for (int v : bytes3to10)
        p[at++] = char(v);
    p[11] = char(0xFE);
    return p;
}

const QVector<SettingsCase> &settingsCases()
{
    static const QVector<SettingsCase> cases = {
        {"rev 0x44", 0x44, 1, settingsPacket(0x44, {1, 0, 0, 1, 0, 1, 1, 0}),
         [](ConfigModel &m) {
             m.rev1 = 1, m.rev2 = 0, m.rev3 = 0, m.rev4 = 1, m.rev5 = 0, m.rev6 = 1, m.rev7 = 1, m.rev8 = 0;
         }},
        {"sub 0x55", 0x55, 2, settingsPacket(0x55, {220, 20, 121, 119, 130, 170, 60, 200}),
         [](ConfigModel &m) {
             m.sub1 = 100, m.sub2 = -100, m.sub3 = 1, m.sub4 = -1, m.sub5 = 10, m.sub6 = 50, m.sub7 = -60, m.sub8 = 80;
         }},
        {"Lepa 0x66", 0x66, 3, settingsPacket(0x66, {0, 120, 11, 22, 33, 44, 55, 66}),
         [](ConfigModel &m) {
             m.Lepa1 = 0, m.Lepa2 = 120, m.Lepa3 = 11, m.Lepa4 = 22, m.Lepa5 = 33, m.Lepa6 = 44, m.Lepa7 = 55,
             m.Lepa8 = 66;
         }},
        {"Repa 0x77", 0x77, 4, settingsPacket(0x77, {120, 0, 7, 17, 27, 37, 47, 57}),
         [](ConfigModel &m) {
             m.Repa1 = 120, m.Repa2 = 0, m.Repa3 = 7, m.Repa4 = 17, m.Repa5 = 27, m.Repa6 = 37, m.Repa7 = 47,
             m.Repa8 = 57;
         }},
        {"FS 0x88", 0x88, 5, settingsPacket(0x88, {100, 0, 99, 1, 12, 34, 56, 78}),
         [](ConfigModel &m) {
             m.FS1 = 100, m.FS2 = 0, m.FS3 = 99, m.FS4 = 1, m.FS5 = 12, m.FS6 = 34, m.FS7 = 56, m.FS8 = 78;
         }},
        // The voltage at the top of what the S frame carries and its page takes.
        {"system 0x99", 0x99, 6, settingsPacket(0x99, {0x00, 0xEF, 0x00, 0x03, 0x01, 0x02, 0xAB, 0xCD}),
         [](ConfigModel &m) { m.VoltTenths = 239, m.Volt = 23.9, m.Mode = 3, m.Vertion = 258; }},
        {"attitude 0xA1", 0xA1, 8, settingsPacket(0xA1, {2, 10, 20, 30, 40, 50, 60, 0x77}),
         [](ConfigModel &m) {
             m.AttiM = 2, m.Atti1 = 10, m.Atti2 = 20, m.Atti3 = 30, m.Atti4 = 40, m.Atti5 = 50, m.Atti6 = 60;
         }},
        {"elevon 0xA2", 0xA2, 9, settingsPacket(0xA2, {1, 20, 125, 122, 126, 123, 220, 0x33}),
         [](ConfigModel &m) {
             // Interleaved: 01, 05, 02, 06, 03, 04.
             m.EleMix = 1, m.Elev01 = -100, m.Elev05 = 5, m.Elev02 = 2, m.Elev06 = 6, m.Elev03 = 3, m.Elev04 = 100;
         }},
        {"vtail 0xA3", 0xA3, 10, settingsPacket(0xA3, {1, 0, 200, 150, 90, 1, 0x44, 0x55}),
         [](ConfigModel &m) { m.RuMix = 1, m.Ru1 = -100, m.Ru2 = 100, m.Ru3 = 50, m.Ru4 = -10, m.DR_MIX = 1; }},
        {"delay 0xA4", 0xA4, 11, settingsPacket(0xA4, {0, 100, 5, 15, 25, 35, 45, 55}),
         [](ConfigModel &m) {
             m.delay1 = 0, m.delay2 = 100, m.delay3 = 5, m.delay4 = 15, m.delay5 = 25, m.delay6 = 35, m.delay7 = 45,
             m.delay8 = 55;
         }},
        {"rates 0xA5", 0xA5, 12, settingsPacket(0xA5, {10, 20, 30, 40, 50, 60, 70, 80}),
         [](ConfigModel &m) {
             m.DR_UpRate[0] = 10, m.DR_UpRate[1] = 20, m.DR_UpRate[2] = 30, m.DR_UpRate[3] = 40;
             m.DR_DownRate[0] = 50, m.DR_DownRate[1] = 60, m.DR_DownRate[2] = 70, m.DR_DownRate[3] = 80;
         }},
        {"mix 1+2 0xA6", 0xA6, 13, settingsPacket(0xA6, {150, 60, 110, 0, 200, 95, 7, 6}),
         [](ConfigModel &m) {
             m.PRM01_Data2 = 50, m.PRM02_Data2 = -40, m.PRM01_Data3 = 10, m.PRM02_Data3 = -100, m.PRM01_Data1 = 100,
             m.PRM02_Data1 = -5, m.PRM01_Master = 7, m.PRM02_Master = 6;
         }},
        {"mix 1+2, steps 0xA7", 0xA7, 14, settingsPacket(0xA7, {2, 4, 1, 2, 5, 6, 7, 8}),
         [](ConfigModel &m) {
             m.PRM01_Slave = 2, m.PRM02_Slave = 4, m.PRM01_Mix = 1, m.PRM02_Mix = 2;
             m.StkStep[3] = 5, m.StkStep[2] = 6, m.StkStep[1] = 7, m.StkStep[0] = 8;
         }},
        {"mix 3 0xA8", 0xA8, 15, settingsPacket(0xA8, {2, 3, 4, 130, 160, 170, 1, 5}),
         [](ConfigModel &m) {
             m.PRM03_Mix = 2, m.PRM03_Master = 3, m.PRM03_Slave = 4, m.PRM03_Data1 = 30, m.PRM03_Data2 = 60,
             m.PRM03_Data3 = 70, m.PRM04_Mix = 1, m.PRM04_Master = 5;
         }},
        {"mix 4, curve 0xA9", 0xA9, 16, settingsPacket(0xA9, {6, 101, 102, 199, 1, 3, 5, 25}),
         [](ConfigModel &m) {
             m.PRM04_Slave = 6, m.PRM04_Data1 = 1, m.PRM04_Data2 = 2, m.PRM04_Data3 = 99, m.THCURE_MIX = 1,
             m.THCURE_Opt = 3, m.THCURE_Data01 = 5, m.THCURE_Data02 = 25;
         }},
        {"curve 0xAA", 0xAA, 17, settingsPacket(0xAA, {35, 45, 55, 65, 75, 0x99, 0x98, 0x97}),
         [](ConfigModel &m) {
             m.THCURE_Data03 = 35, m.THCURE_Data04 = 45, m.THCURE_Data05 = 55, m.THCURE_Data06 = 65,
             m.THCURE_Data07 = 75;
         }},
        {"alarms 0xAB", 0xAB, 18, settingsPacket(0xAB, {0, 1, 0x01, 0xF4, 40, 48, 0x66, 0x67}),
         [](ConfigModel &m) {
             m.DR_SW = 0, m.DR_POSI = 1, m.extVoltTenths = 500, m.extVolt = 50.0, m.Rssi = -60, m.rxVoltTenths = 48,
             m.rxVolt = 4.8;
         }},
        {"exponentials 0xAC", 0xAC, 19, settingsPacket(0xAC, {0, 200, 110, 90, 150, 50, 101, 99}),
         [](ConfigModel &m) {
             m.DR_UpExp[0] = -100, m.DR_UpExp[1] = 100, m.DR_UpExp[2] = 10, m.DR_UpExp[3] = -10;
             m.DR_DownExp[0] = 50, m.DR_DownExp[1] = -50, m.DR_DownExp[2] = 1, m.DR_DownExp[3] = -1;
         }},
    };
    return cases;
}
