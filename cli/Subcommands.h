#pragma once
// The command line's subcommands. A new one is a function taking its own
// arguments (after the subcommand's name) and returning the exit status,
// plus a row in subcommands() and its part of the help text and the man
// page.
#include <QStringList>

#include <vector>

namespace cli {

// Exit statuses: every output written; a file failed (the others were
// still done); the command line itself was wrong.
enum ExitStatus { ExitOk = 0, ExitFailed = 1, ExitUsage = 2 };

struct Subcommand {
    const char *name;
    int (*run)(const QStringList &args);
    const char *help; // the subcommand's part of --help
    const char *more = nullptr; // a further part of it, translated on its own
};

const std::vector<Subcommand> &subcommands();

int runInfo(const QStringList &args);
int runCut(const QStringList &args);
// cut --join: every FILE's segments, file after file, into one output.
int runJoin(const QStringList &args);
int runDetect(const QStringList &args);
int runExtractSubtitles(const QStringList &args);
int runOffset(const QStringList &args);

// False with the reason when path is no file we may read (missing, a
// folder, no permission), before the engine is asked.
bool sourceReadable(const QString &path, QString &why);

// The whole --help text, and one subcommand's.
QString helpText();
QString helpText(const Subcommand &command);

} // namespace cli
