#include "CliOutput.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace cli {

namespace {

FILE *g_out = stdout;
FILE *g_err = stderr;

void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg) {
        std::fprintf(g_err, "snipwell-cli: %s\n", qUtf8Printable(message));
        std::abort();
    }
}

void write(FILE *stream, const QString &text)
{
    QByteArray bytes = text.toUtf8();
    if (!bytes.endsWith('\n'))
        bytes.append('\n');
    // Files converted at once print from their own threads: each line goes
    // out whole.
    flockfile(stream);
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
    funlockfile(stream);
}

} // namespace

void captureStandardStreams()
{
    if (qEnvironmentVariableIsSet("SNIPWELL_DEBUG"))
        return;
    const int out = dup(STDOUT_FILENO);
    const int err = dup(STDERR_FILENO);
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (out < 0 || err < 0 || null < 0)
        return;
    fcntl(out, F_SETFD, FD_CLOEXEC);
    fcntl(err, F_SETFD, FD_CLOEXEC);
    FILE *o = fdopen(out, "w");
    FILE *e = fdopen(err, "w");
    if (!o || !e)
        return;
    std::fflush(stdout);
    std::fflush(stderr);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    close(null);
    g_out = o;
    g_err = e;
    qInstallMessageHandler(quietMessages);
}

void printOut(const QString &text)
{
    write(g_out, text);
}

void printErr(const QString &text)
{
    write(g_err, text);
}

void printJson(const QJsonObject &object)
{
    write(g_out, QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)));
}

static void report(bool json, const char *type, const QString &file, const QString &message)
{
    if (json) {
        QJsonObject o{{"type", QString::fromLatin1(type)}, {"message", message}};
        if (!file.isEmpty())
            o.insert("file", file);
        printJson(o);
        return;
    }
    const QString prefix = QString::fromLatin1(std::strcmp(type, "note") == 0 ? "note: " : "");
    printErr(QStringLiteral("snipwell-cli: ") + prefix + (file.isEmpty() ? QString() : file + QStringLiteral(": "))
             + message);
}

void reportError(bool json, const QString &file, const QString &message)
{
    report(json, "error", file, message);
}

void reportNote(bool json, const QString &file, const QString &message)
{
    report(json, "note", file, message);
}

int usageError(const QString &message)
{
    printErr(QStringLiteral("snipwell-cli: ") + message);
    printErr(QCoreApplication::translate("snipwell-cli", "Try 'snipwell-cli --help'."));
    return 2;
}

} // namespace cli
