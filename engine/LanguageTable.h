#pragma once
// Language names for the language codes found in media streams: the English
// reference names of ISO 639-2 with their two- and three-letter codes.
#include <QString>

struct LanguageRow {
    const wchar_t *name;
    const char *iso639_1;    // two letters, may be empty
    const char *terminology; // ISO 639-2/T
    const char *bibliographic; // ISO 639-2/B
};

constexpr int kLanguageRowCount = 166;
extern const LanguageRow kLanguageTable[kLanguageRowCount];

// English name of a two- or three-letter code ("und" is "Undefined"); a
// null QString when the code is unknown.
QString lookupLanguageName(const QString &code);
