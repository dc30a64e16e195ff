#include "logging.h"

// Declared without a level, so debug is on unless a logging rule turns it
// off: the lines stay where they always were.
Q_LOGGING_CATEGORY(lcLink, "zq.link")
Q_LOGGING_CATEGORY(lcFrames, "zq.frames")
Q_LOGGING_CATEGORY(lcFiles, "zq.files")
