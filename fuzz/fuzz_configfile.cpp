// Any file a user might pick: its text is decoded the way a load decodes
// it, repaired, and the four frames the load then sends are built.  Each
// must be a whole frame: 81 characters (and bytes on the wire), its lead
// and end letters in place, hex digits in between.
#include "configfile.h"
#include "configmodel.h"
#include "frameencoder.h"
#include "fuzzcheck.h"
#include "sanity.h"

#include <QTextStream>

namespace {

const char kLead[4] = {'S', 'G', 'H', 'I'};
const char kEnd[4] = {'Y', 'Z', 'X', 'V'};

bool isUpperHex(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

void checkFrame(FrameKind kind, const QString &frame)
{
    FUZZ_CHECK(frame.length() == kFrameLength);
    FUZZ_CHECK(frame.toUtf8().size() == kFrameLength);
    FUZZ_CHECK(frame.at(0) == QLatin1Char(kLead[kind]));
    FUZZ_CHECK(frame.at(kFrameLength - 1) == QLatin1Char(kEnd[kind]));
    for (int k = 1; k < kFrameLength - 1; ++k)
        FUZZ_CHECK(isUpperHex(frame.at(k)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Read as the load reads a file: through a text stream.
    QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    QTextStream stream(&bytes, QIODevice::ReadOnly);
    const QString text = stream.readAll();

    ConfigModel m;
    decodeConfigText(text, m);
    applySanity(m);

    QString sent[4];
    for (FrameKind kind : {FrameS, FrameG, FrameH, FrameI}) {
        sent[kind] = buildFrame(kind, m, frameTemplate(kind));
        checkFrame(kind, sent[kind]);
    }

    // What was sent is a file the tool reads back to the same model
    // fields: decoding it and building again gives the same frames.
    const QByteArray file = configFileContent(sent[FrameS], sent[FrameG], sent[FrameH], sent[FrameI]);
    FUZZ_CHECK(file.size() == kConfigFileLength);
    ConfigModel again = m;
    const DecodedFrames taken = decodeConfigText(QString::fromLatin1(file), again);
    FUZZ_CHECK(taken.s && taken.g && taken.h && taken.i);
    for (FrameKind kind : {FrameS, FrameG, FrameH, FrameI})
        FUZZ_CHECK(buildFrame(kind, again, frameTemplate(kind)) == sent[kind]);
    return 0;
}
