#include "SystemCommand.h"

#include <QDebug>
#include <QProcess>

namespace {
CommandRunner &runnerSlot()
{
    static CommandRunner runner;
    return runner;
}
} // namespace

void setCommandRunner(CommandRunner runner)
{
    runnerSlot() = std::move(runner);
}

void runSystemCommand(const QString &program, const QStringList &arguments)
{
    if (runnerSlot()) {
        runnerSlot()(program, arguments);
        return;
    }
    if (!QProcess::startDetached(program, arguments))
        qWarning() << "cannot run" << program << arguments;
}

void powerOffComputer()
{
    runSystemCommand(QStringLiteral("systemctl"), {QStringLiteral("poweroff")});
}
