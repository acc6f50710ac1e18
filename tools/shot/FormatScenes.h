#pragma once
// Scenes of the output format dialog, over a private settings folder so a
// screenshot run never touches the user's stored choices.
class QString;
class QWidget;

namespace formatscenes {
QWidget *highSpeed();
QWidget *encoding();
QWidget *compact();
// The encoding panel for the format, with an HDR source opened from media.
QWidget *hdrSource(const QString &media, const QString &formatId);
} // namespace formatscenes
