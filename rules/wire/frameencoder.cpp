#include "frameencoder.h"

#include "configmodel.h"
#include "framelayout.h"

#include <QtGlobal>

namespace {

const char *const kTemplates[4] = {
    "S00100000787878787878787870707070707070707070707070707070424210424242424213027E2Y",
    "G41E2D3C4855680DCDCDCDCDC1409632A696674747474747474740074746474647464640135006D2Z",
    "H0000000000000000000000000000000000000000000000000000000000000000000000000000000X",
    "I0000000000000000000000000000000000000000000000000000000000000000000000000000000V",
};

// Appends fields to the prefix.  Every field is clamped to what its width
// can carry, so a stray value costs that one field its exact value but
// never shifts the fields after it.
class Encoder
{
public:
    explicit Encoder(int length) { out.reserve(length); }

    void lead(char c) { out += QLatin1Char(c); }
    void constant(const char *text) { out += QLatin1String(text); }
    void digit(int &v) { out += QLatin1Char(char('0' + qBound(0, v, 9))); }
    void hex(int &v, int offset)
    {
        static const char kHex[] = "0123456789ABCDEF";
        const int x = qBound(0x10, clampAdd(v, offset), 0xFF);
        out += QLatin1Char(kHex[x >> 4]);
        out += QLatin1Char(kHex[x & 15]);
    }
    void tenths(int &t, double &volts)
    {
        t = voltsToTenths(volts);
        hex(t, 16);
    }
    void tenthsDigits(int &t, double &volts)
    {
        t = voltsToTenths(volts);
        const int c = qBound(0, t, 999);
        digit3(c / 100);
        digit3(c / 10 % 10);
        digit3(c % 10);
    }

    QString out;

private:
    void digit3(int d) { out += QLatin1Char(char('0' + d)); }
    // Keeps value + offset from overflowing for the extreme ints.
    static int clampAdd(int v, int offset) { return qBound(-1000, v, 1000) + offset; }
};

}  // namespace

QString frameTemplate(FrameKind kind)
{
    return QString::fromLatin1(kTemplates[kind]);
}

QString encodeFramePrefix(FrameKind kind, ConfigModel &m)
{
    Encoder e(kFramePrefixLength[kind]);
    framelayout::walk(kind, e, m);
    return e.out;
}

QString buildFrame(FrameKind kind, ConfigModel &m, const QString &stored)
{
    QString frame = stored;
    frame.replace(0, kFramePrefixLength[kind], encodeFramePrefix(kind, m));
    return frame;
}
