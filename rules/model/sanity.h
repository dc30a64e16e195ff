#pragma once

struct ConfigModel;

// Replaces every setting that lies outside the range the tool accepts
// from the transmitter or a file with its fallback value; everything else
// (and DR_RATE, Vertion, StkTrim, StkStep) is left as it is.  Running it
// twice changes nothing the second time.
void applySanity(ConfigModel &m);
