#include "monitortext.h"

#include "configmodel.h"
#include "monitorstate.h"

#include <climits>

namespace {

constexpr int kCentre = 1000;
constexpr int kUpperTop = 1010;
constexpr int kLowerTop = 1000;

int toInt(long long v)
{
    // Out of every bar's range either way; only keeps the arithmetic defined.
    return v > INT_MAX ? INT_MAX : (v < INT_MIN ? INT_MIN : static_cast<int>(v));
}

QChar digit(int v, int div)
{
    return QChar('0' + (v / div) % 10);
}

}  // namespace

ServoBars servoBars(int servo)
{
    if (servo < kCentre)
        return {toInt(static_cast<long long>(kUpperTop) - servo), kLowerTop};
    if (servo == kCentre)
        return {kUpperTop - kCentre, kLowerTop};
    return {kUpperTop - kCentre, toInt(2LL * kCentre - servo)};
}

QString txVoltText(int t)
{
    if (t < 0)
        t = 0;  // a BE16 field; nothing negative ever arrives
    QString s;
    if (t <= 999) {
        s += QLatin1Char(' ');
    } else {
        s += digit(t, 1000);
    }
    s += digit(t, 100);
    s += QLatin1Char('.');
    s += digit(t, 10);
    s += t <= 999 ? QLatin1String("V") : QLatin1String(" V");
    return s;
}

QString batteryText(int v)
{
    if (v < 0)
        v = 0;  // a byte or BE16 field; nothing negative ever arrives
    QString s;
    if (v <= 99) {
        s += QLatin1Char(' ');
    } else {
        s += digit(v, 100);
    }
    s += digit(v, 10);
    s += QLatin1Char('.');
    s += digit(v, 1);
    s += v <= 99 ? QLatin1String("V") : QLatin1String(" V");
    return s;
}

QString trimText(int stored)
{
    // In long long, so no stored value overflows on the way.
    return QStringLiteral("(%1)").arg(static_cast<long long>(stored) - kTrimCentre);
}

QString rssiText(int raw)
{
    if (raw <= 0)
        return QStringLiteral("null");
    // Raw values above 100 are past the strongest step of the scale: show
    // the strongest reading rather than a broken text or "no signal".
    const int d = raw >= 100 ? 0 : 100 - raw;
    QString s = QStringLiteral("-");
    s += digit(d, 10);
    s += digit(d, 1);
    s += QLatin1String("dBm");
    return s;
}

void restLiveValues(MonitorState &m)
{
    const MonitorState start;
    for (MonField servo : kServoFields)
        m.*servo = start.*servo;
    m.TxVoltLive = start.TxVoltLive;
    m.RxVoltLive = start.RxVoltLive;
    m.ExtVoltLive = start.ExtVoltLive;
    m.RssiLive = start.RssiLive;
}
