#pragma once

struct ConfigModel;

// A read's answers are decoded into a copy of the pages' settings; the
// pages take the copy only once every group has come, so an answer lost,
// damaged or cut short changes nothing the user sees.
//
// Puts a complete read's answers on the pages: every setting the read
// carries.  The stick trims (live packets' own) and the dual-rate page's
// channel choice DR_CH stay as the pages have them, and the working
// dual-rate fields are selected again.
void takeWholeRead(ConfigModel &pages, const ConfigModel &answers);
