#pragma once
// Scenes of the Effect tab and of the installed content libraries.
#include <QString>

class QWidget;

namespace effectscenes {
// The dialog on the Effect tab with an effect and a frame chosen by clicks.
QWidget *effectTab(const QString &mediaPath);
// Every entry of the three libraries as the tabs' thumbnail lists show them.
QWidget *librarySheet();
} // namespace effectscenes
