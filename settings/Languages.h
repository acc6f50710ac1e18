#pragma once
// Interface languages: the list in "Language.xml" of the application
// folder, the process-wide language index and the installed translator.
#include <QString>
#include <QStringList>

class QTranslator;

// Index from a language type: "English" 0, "Chinese" 1, "German" 2,
// "French" 3, "Japanese" 4, anything else 0.
void setLanguageIndex(const QString &type);
int languageIndex();

// Application folder + "/Language/Language.xml".
QString languageListPath();
// Language display names in file order.
QStringList languageNames();

// Full path of the translation file of a display name, or empty when the
// name is unknown or its entry names no file. Sets the language index from
// the entry's type as a side effect, as choosing a language does.
QString chooseLanguage(const QString &displayName);

// Loads the translation of displayName into a new translator and installs
// it in the application; removes the one this function installed before.
// Returns the installed translator (owned by the application), or nullptr
// when the interface stays in English.
QTranslator *installLanguage(const QString &displayName);
// Removes the translator installLanguage installed, if any.
void removeInstalledLanguage();

// Takes the installed translator out of the application for a while (the
// preferences dialog previews languages on its own) and puts it back.
// Resuming after the translator was replaced or removed does nothing.
void suspendInstalledLanguage();
void resumeInstalledLanguage();
