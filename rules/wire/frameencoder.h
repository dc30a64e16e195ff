#pragma once

// Configuration frames sent to the transmitter (and stored in files):
// four 81-character ASCII frames with the lead letters S, G, H and I.
// Each build rewrites the frame's leading fields over the stored frame and
// keeps the stored tail.  GUI-free: these functions know nothing of the
// window or the port.

#include "framelayout.h"

#include <QString>

// Characters a build rewrites; the stored frame keeps the rest.
constexpr int kFramePrefixLength[4] = {80, 77, 76, 17};

// The stored frame at start-up.
QString frameTemplate(FrameKind kind);

// Encodes the frame's leading fields from the model (always exactly
// kFramePrefixLength characters).  The S and H builds first refresh the
// tenths fields of their voltages from the doubles.  A value outside what
// its field can carry is clamped in the text only; the model keeps it.
QString encodeFramePrefix(FrameKind kind, ConfigModel &m);

// `stored` with its leading fields replaced by a fresh encoding of `m`.
QString buildFrame(FrameKind kind, ConfigModel &m, const QString &stored);
