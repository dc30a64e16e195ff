#pragma once

#include "transmittersettings.h"

#include <string>

namespace zqsim {

// The transmitter's memory between runs: the four frames S, G, H, I back to
// back, the same text the tool saves, so either can read the other's file.
// Line breaks and other white space between frames are ignored on reading.

enum class LoadResult { Loaded, Missing, Invalid };

// Missing leaves `s` alone; Invalid too (with a reason in `error`): a file
// that is not a settings file is never half-applied.
LoadResult loadSettingsFile(const std::string &path, TransmitterSettings &s, std::string *error = nullptr);

// Writes a temporary file beside `path` and renames it over `path`, so a
// crash never leaves a truncated file.
bool saveSettingsFile(const std::string &path, const TransmitterSettings &s, std::string *error = nullptr);

}  // namespace zqsim
