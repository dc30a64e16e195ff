#pragma once

struct ConfigModel;

// Replaces every setting that lies outside the range the tool accepts
// from the transmitter or a file with its fallback value; everything else
// (and DR_RATE, Vertion, StkTrim) is left as it is.  A setting's range and
// fallback are its declaration's (declarations.h): the range is what its
// editor on the pages can show (a selector's items, a spin box's range), so
// no page shows a blank or cut-short value and the next write sends what
// the page showed.  Running it twice changes nothing the second
// time.
void applySanity(ConfigModel &m);
