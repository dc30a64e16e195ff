#include "modelfields.h"

#include "configmodel.h"
#include "framefields.h"
#include "monitorstate.h"

QStringList modelDiff(const ConfigModel &a, const ConfigModel &b)
{
    QStringList out;
    ConfigModel x = a, y = b;
    for (const IntFieldInfo &f : modelIntFields())
        if (f.ref(x) != f.ref(y))
            out << f.name;
    for (const VoltFieldInfo &f : frameVoltFields())
        if (!(a.*f.volts == b.*f.volts))
            out << f.name;
    return out;
}

#define F(name)                                                                                                        \
    if (!(a.name == b.name))                                                                                           \
    out << QStringLiteral(#name)

QStringList monitorDiff(const MonitorState &a, const MonitorState &b)
{
    QStringList out;
    F(Servo1);
    F(Servo2);
    F(Servo3);
    F(Servo4);
    F(Servo5);
    F(Servo6);
    F(Servo7);
    F(Servo8);
    F(TxVoltLive);
    F(RxVoltLive);
    F(ExtVoltLive);
    F(RssiLive);
    F(Spare1Live);
    F(Spare2Live);
    return out;
}
