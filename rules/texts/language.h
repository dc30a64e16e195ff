#pragma once

#include <QString>

// The language of every text the programs show: the window's form (through
// its English catalogue), its message, dialog and button texts, and the
// labels zqconfig-file prints.  Chinese unless English is asked for.

// The environment variable that chooses the language when --lang does not.
extern const char kLangVariable[];

// Selects the Chinese (nonzero) or English (0) message texts.
extern int useChineseTexts;

// "en" or "zh", the only accepted values; *english tells which.  False,
// with *english untouched, for anything else.
bool parseLanguage(const QString &value, bool *english);

// The one message for a value parseLanguage refuses; where names the place
// it came from ("--lang" or kLangVariable).
QString languageError(const QString &value, const QString &where);

// Shows the form (through its English catalogue) and the message, dialog
// and button texts in English, or back in Chinese.  Needs an application
// object.  False, with everything left Chinese, when the catalogue cannot
// be loaded.
bool useEnglishTexts(bool english);
