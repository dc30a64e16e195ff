#pragma once

#include "transmittersettings.h"

#include <string>

namespace zqsim {

// Configuration frames as the tool sends them: 81 ASCII characters, a lead
// letter at 0, fixed-position fields, an end letter at 80.
constexpr int kFrameLength = 81;

// 'S' -> 'Y', 'G' -> 'Z', 'H' -> 'X', 'I' -> 'V'; 0 for any other letter.
char frameEndLetter(char lead);
bool isFrameLead(char c);

// Decodes one complete frame into `s`.  The frame is taken only when it is
// exactly 81 characters, has matching lead and end letters and every field
// parses (hex fields two hex digits, digit fields one decimal digit); on any
// failure `s` is left untouched and false is returned.
bool decodeFrame(const std::string &frame, TransmitterSettings &s);

// Builds the frame with the given lead letter from `s` (empty string for an
// unknown letter).  Values that do not fit their field are clamped so the
// frame is always 81 characters and decodes again.
std::string encodeFrame(char lead, const TransmitterSettings &s);

// The lead letter of the frame that carries the named field (as
// settingsFields() names it); 0 when no frame does.
char frameCarrying(const std::string &field);

// The four frames S, G, H, I back to back (324 characters).
std::string encodeAllFrames(const TransmitterSettings &s);

}  // namespace zqsim
