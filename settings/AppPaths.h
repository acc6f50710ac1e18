#pragma once
#include <QString>

// The product title: the display name, the settings sub-folder and the name
// the single-instance guard is built from.
inline QString productTitle() { return QStringLiteral("Zelvane Snipwell"); }

// The per-user settings folder: the application data location with its last
// path element replaced by the product title, created when missing. Falls
// back to the parent location when the folder cannot be created.
QString settingsFolder();

// The application folder (the executable's directory), computed once.
QString appFolder();

// The output folder on a fresh profile: the user's documents folder + the
// product title + "/Converted/", with "/" separators. The product folder is
// created when missing.
QString defaultOutputFolder();
