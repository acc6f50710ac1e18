#pragma once
// Tells the user, once, that a settings file could not be read: the program
// started over from the defaults and kept the old file under a dated name.
class QWidget;
class QVoMessageBox;

// Shows the notice over parent when settings were reset since the last
// call, without waiting for an answer; returns the box (deleted when
// closed) or null when there was nothing to tell.
QVoMessageBox *tellSettingsReset(QWidget *parent);
