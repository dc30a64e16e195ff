// The frame encoder over any model values, NaN and extreme voltages
// included (the input is the raw bytes of a model).  Every frame must be
// whole, and reading the frames back must give each field its value, or
// for a value its field cannot carry, the nearest one it can.
#include "configfile.h"
#include "configmodel.h"
#include "frameencoder.h"
#include "framelayout.h"
#include "fuzzcheck.h"

#include <QtGlobal>

#include <vector>

namespace {

const char kLead[4] = {'S', 'G', 'H', 'I'};
const char kEnd[4] = {'Y', 'Z', 'X', 'V'};

// One field as the frame should carry it: the model value and the range
// its characters can hold.
struct Field
{
    long long value;
    long long lo, hi;
};

// Walks a frame layout and lists its fields; changes nothing.
struct Collect
{
    std::vector<Field> fields;
    void lead(char) {}
    void constant(const char *) {}
    void digit(int &v) { fields.push_back({v, 0, 9}); }
    void hex(int &v, int offset) { fields.push_back({v, 0x10 - offset, 0xFF - offset}); }
    void tenths(int &, double &volts) { fields.push_back({voltsToTenths(volts), 0x10 - 16, 0xFF - 16}); }
    void tenthsDigits(int &, double &volts) { fields.push_back({voltsToTenths(volts), 0, 999}); }
};

std::vector<Field> fieldsOf(FrameKind kind, ConfigModel m)
{
    Collect c;
    switch (kind) {
    case FrameS:
        framelayout::walkS(c, m);
        break;
    case FrameG:
        framelayout::walkG(c, m);
        break;
    case FrameH:
        framelayout::walkH(c, m);
        break;
    case FrameI:
        framelayout::walkI(c, m);
        break;
    }
    return c.fields;
}

bool isUpperHex(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    ConfigModel m;
    in.raw(&m, sizeof m);

    QString frames[4];
    for (FrameKind kind : {FrameS, FrameG, FrameH, FrameI}) {
        const QString prefix = encodeFramePrefix(kind, m);
        FUZZ_CHECK(prefix.length() == kFramePrefixLength[kind]);
        const QString &frame = frames[kind] = buildFrame(kind, m, frameTemplate(kind));
        FUZZ_CHECK(frame.length() == kFrameLength);
        FUZZ_CHECK(frame.toUtf8().size() == kFrameLength);
        FUZZ_CHECK(frame.startsWith(prefix));
        FUZZ_CHECK(frame.at(0) == QLatin1Char(kLead[kind]));
        FUZZ_CHECK(frame.at(kFrameLength - 1) == QLatin1Char(kEnd[kind]));
        for (int k = 1; k < kFrameLength - 1; ++k)
            FUZZ_CHECK(isUpperHex(frame.at(k)));
        // Building keeps the tail of the stored frame.
        FUZZ_CHECK(QStringView(frame).mid(prefix.length()) == QStringView(frameTemplate(kind)).mid(prefix.length()));
    }

    // Read the frames back as a file into a model that starts elsewhere.
    ConfigModel back;
    const QByteArray file = configFileContent(frames[FrameS], frames[FrameG], frames[FrameH], frames[FrameI]);
    const DecodedFrames taken = decodeConfigText(QString::fromLatin1(file), back);
    FUZZ_CHECK(taken.s && taken.g && taken.h && taken.i);

    for (FrameKind kind : {FrameS, FrameG, FrameH, FrameI}) {
        const std::vector<Field> sent = fieldsOf(kind, m);
        const std::vector<Field> read = fieldsOf(kind, back);
        FUZZ_CHECK(sent.size() == read.size());
        for (size_t k = 0; k < sent.size(); ++k) {
            const Field &f = sent[k];
            FUZZ_CHECK(read[k].value == qBound(f.lo, f.value, f.hi));
        }
        FUZZ_CHECK(buildFrame(kind, back, frameTemplate(kind)) == frames[kind]);
    }
    return 0;
}
