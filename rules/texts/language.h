#pragma once

#include <QString>
#include <QStringList>

// The language of every text the programs show: the window's form, its
// message, dialog and button texts, and the labels zqconfig-file prints.
// The texts are written in Chinese, the source language; every other
// language is a catalogue translations/zqconfig_<code>.ts, compiled into
// the resources as :/i18n/zqconfig_<code>.qm.  Chinese unless another
// language is asked for.

// The environment variable that chooses the language when --lang does not.
extern const char kLangVariable[];

// The language of the texts as written: "zh".
extern const char kSourceLanguage[];

// The codes --lang and kLangVariable accept, sorted: the source language
// and one per catalogue this build carries ("en", "zh").
QStringList knownLanguages();

// The languages for a help text, in English words: "zh (Chinese, the
// default) or en (English)".
QString languageChoices();

// One of knownLanguages(), stored in *language.  False, with *language
// untouched, for anything else.
bool parseLanguage(const QString &value, QString *language);

// The one message for a value parseLanguage refuses; where names the place
// it came from ("--lang" or kLangVariable).
QString languageError(const QString &value, const QString &where);

// Shows every text in the given language from now on, by installing its
// catalogue (or none, for the source language).  Needs an application
// object.  False, with everything left Chinese, when the catalogue cannot
// be loaded.
bool useLanguage(const QString &language);

// Shows Qt's own dialogs (file dialog, standard buttons) in the given
// language from now on, by the catalogue the distribution installs beside
// Qt, where it is installed.  For the window only, once its command line
// is read: Qt's messages about a command line stay English, as the
// programs' own are.
void useQtLanguage(const QString &language);

// useLanguage("en") or useLanguage(kSourceLanguage).
bool useEnglishTexts(bool english);
