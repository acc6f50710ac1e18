#pragma once
// Runs system commands (turning the computer off) through one replaceable
// runner, so tests can record instead of acting.
#include <QString>
#include <QStringList>
#include <functional>

using CommandRunner = std::function<void(const QString &program, const QStringList &arguments)>;

// Replaces the runner; an empty one restores the default (start detached).
void setCommandRunner(CommandRunner runner);
void runSystemCommand(const QString &program, const QStringList &arguments);
// Turns the computer off.
void powerOffComputer();
