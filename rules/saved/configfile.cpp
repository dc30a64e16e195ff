#include "configfile.h"

#include "configmodel.h"
#include "framelayout.h"

QString loadedText;

namespace {

// Reads the fields of one frame, starting after its lead letter.
class Decoder
{
public:
    Decoder(const QString &text, int base) : text(text), pos(base) {}

    void lead(char) { ++pos; }
    void constant(const char *c) { pos += int(qstrlen(c)); }
    void digit(int &v) { v = number(1); }
    void hex(int &v, int offset) { v = number(2) - offset; }
    void tenths(int &t, double &volts)
    {
        hex(t, 16);
        volts = tenthsToVolts(t);
    }
    void tenthsDigits(int &t, double &volts)
    {
        const int hundreds = number(1);
        const int tens = number(1);
        const int units = number(1);
        t = 100 * hundreds + 10 * tens + units;
        volts = tenthsToVolts(t);
    }

private:
    // Base 16 for every field, the one-digit ones included; a failed parse
    // gives 0, which the sanity pass then deals with.
    int number(int width)
    {
        const int v = QStringView(text).mid(pos, width).toInt(nullptr, 16);
        pos += width;
        return v;
    }

    const QString &text;
    int pos;
};

bool framePresent(const QString &text, int base, QChar leadLetter, QChar endLetter)
{
    return text.length() > base + 80 && text.at(base) == leadLetter && text.at(base + 80) == endLetter;
}

} // namespace

DecodedFrames decodeConfigText(const QString &text, ConfigModel &m)
{
    DecodedFrames r;
    const int len = text.length();
    if (len > 161) {
        if (framePresent(text, 0, 'S', 'Y')) {
            Decoder d(text, 0);
            framelayout::walkS(d, m);
            r.s = true;
        }
        if (framePresent(text, 81, 'G', 'Z')) {
            Decoder d(text, 81);
            framelayout::walkG(d, m);
            r.g = true;
        }
    }
    if (len > 242) {
        if (framePresent(text, 162, 'H', 'X')) {
            Decoder d(text, 162);
            framelayout::walkH(d, m);
            r.h = true;
        }
        if (len > 323 && framePresent(text, 243, 'I', 'V')) {
            Decoder d(text, 243);
            framelayout::walkI(d, m);
            r.i = true;
        }
    }
    return r;
}

QByteArray configFileContent(const QString &s, const QString &g, const QString &h, const QString &i)
{
    QByteArray out;
    out.reserve(kConfigFileLength);
    out += s.toLatin1();
    out += g.toLatin1();
    out += h.toLatin1();
    out += i.toLatin1();
    return out;
}
