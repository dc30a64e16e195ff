#include "readcopy.h"

#include "configmodel.h"

#include <algorithm>
#include <iterator>

void takeWholeRead(ConfigModel &pages, const ConfigModel &answers)
{
    ConfigModel taken = answers;
    // No answer carries these: the pages' own, whatever the copy was made from.
    std::copy(std::begin(pages.StkTrim), std::end(pages.StkTrim), std::begin(taken.StkTrim));
    taken.DR_CH = pages.DR_CH;
    taken.DR_UP1 = pages.DR_UP1, taken.DR_DOWN1 = pages.DR_DOWN1;
    taken.DR_RATE = pages.DR_RATE, taken.DR_EXP = pages.DR_EXP;
    selectDualRate(taken);
    pages = taken;
}
