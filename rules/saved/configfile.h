#pragma once

// Configuration files: the S, G, H and I frames back to back, 324 ASCII
// characters, nothing else.  GUI-free: text in, model fields out.

#include "framelayout.h"

#include <QByteArray>
#include <QString>

constexpr int kConfigFileLength = 4 * kFrameLength;

// Which frames of a file were taken over into the model.
struct DecodedFrames
{
    bool s = false, g = false, h = false, i = false;
};

// Decodes every frame of `text` that is complete and has its lead and end
// letters in place; the other frames leave their fields untouched.  Fields
// are read by position as the transmitter reads them: text that is not a
// hex number reads as 0, minus the field's offset.  Nothing is checked
// here; the sanity pass repairs out-of-range values afterwards.
DecodedFrames decodeConfigText(const QString &text, ConfigModel &m);

// The file content for four stored frames.
QByteArray configFileContent(const QString &s, const QString &g, const QString &h, const QString &i);
