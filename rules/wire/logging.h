#pragma once

#include <QLoggingCategory>

// The debug lines the tool writes while it works, one category per
// subject, so a user can turn them off (or on) by name with
// QT_LOGGING_RULES, e.g. "zq.*.debug=false".  All are on by default.
//   zq.link    each settings answer of a read as it is decoded ("ReadFlag:N")
//   zq.frames  each frame as it goes out ("Str1Blength:81" ... "Str4Blength:81")
//   zq.files   the path a save asked for, and a load's length and frames taken
//              ("Blength00:324" ... "Blength03:324")
Q_DECLARE_LOGGING_CATEGORY(lcLink)
Q_DECLARE_LOGGING_CATEGORY(lcFrames)
Q_DECLARE_LOGGING_CATEGORY(lcFiles)
