#include "configfile.h"

#include "configmodel.h"
#include "framelayout.h"

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

}  // namespace

DecodedFrames decodeConfigText(const QString &text, ConfigModel &m)
{
    // S and G are looked at only in a text that holds two whole frames, H
    // in one that holds three, I in one that holds four.
    static const int kWholeFramesNeeded[4] = {2, 2, 3, 4};
    const int wholeFrames = text.length() / kFrameLength;
    bool taken[4] = {};
    for (FrameKind k : {FrameS, FrameG, FrameH, FrameI}) {
        const int base = k * kFrameLength;
        if (wholeFrames >= kWholeFramesNeeded[k] && text.at(base) == QLatin1Char(kFrameLead[k])
            && text.at(base + kFrameLength - 1) == QLatin1Char(kFrameEnd[k])) {
            Decoder d(text, base);
            framelayout::walk(k, d, m);
            taken[k] = true;
        }
    }
    return {taken[FrameS], taken[FrameG], taken[FrameH], taken[FrameI]};
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
