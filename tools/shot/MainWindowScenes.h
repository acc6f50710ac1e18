#pragma once
// Scenes of the main window with the real engine and a media file.
#include <QString>

class QWidget;

namespace mainwindowscenes {
QWidget *empty();
// The file open and paused mid-way with three segments.
QWidget *withSegments(const QString &mediaPath, bool simpleMode);
QWidget *loadingDialog(const QString &mediaPath);
// A conversion under way, caught at about a third.
QWidget *converting(const QString &mediaPath);
// A partial download just opened: the window in Simple Mode with the
// notice of where the file's data ends over it.
QWidget *partialDownload(const QString &mediaPath);
// "Detect Cuts" caught while it searches the file for black and frozen
// pictures.
QWidget *detectDialog(const QString &mediaPath);
// The window in Simple Mode after the parts between the file's silences
// were made segments, or (markers) after its scene changes were marked.
QWidget *detectResult(const QString &mediaPath, bool markers);
} // namespace mainwindowscenes
