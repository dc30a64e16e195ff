#pragma once

#include <QString>

// docs/file-format.md: the prose, and tables generated from the frame
// layout, the sanity pass and the encoder, so they cannot drift.
QString fileFormatDocument();
