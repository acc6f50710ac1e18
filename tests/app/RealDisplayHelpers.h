#pragma once
// Shared by the tests that run the program on a real X display (Xvfb): the
// X server's own input and window names through xdotool, and the settings
// of a user who has already answered the first-run questions.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <X11/Xlib.h>

namespace realdisplay {

// Runs xdotool; its trimmed output in out. False when it failed.
inline bool xdotool(const QStringList &args, QByteArray *out = nullptr)
{
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    if (!p.waitForFinished(10000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return false;
    if (out)
        *out = p.readAllStandardOutput().trimmed();
    return true;
}

// The title the window system shows for w (UTF-8), as a task bar reads it.
inline QString windowName(Window w)
{
    QByteArray name;
    if (!xdotool({QStringLiteral("getwindowname"), QString::number(w)}, &name))
        return QString();
    return QString::fromUtf8(name);
}

// The visible top-level windows of the process pid (the root window, which
// the search also names, left out).
inline QList<Window> visibleWindows(Display *dpy, qint64 pid)
{
    QByteArray ids;
    QList<Window> found;
    if (!xdotool({"search", "--onlyvisible", "--pid", QString::number(pid), ""}, &ids))
        return found;
    for (const QByteArray &id : ids.split('\n')) {
        const Window w = Window(id.toULong());
        if (w && w != DefaultRootWindow(dpy))
            found << w;
    }
    return found;
}

// Settings of a user who chose the output folder, answered the close
// question with "Exit" for good, and works with the segment list.
inline bool writeSettings(const QString &outputFolder)
{
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty())
        data = QDir::homePath() + "/.local/share";
    const QString folder = data + "/Zelvane Snipwell";
    QDir().mkpath(folder);
    QFile file(folder + "/VideoDefaultSetting.xml");
    const QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ROOTITEM>\n"
                           "    <REMIND_ITEM isShowRemind=\"N\"/>\n    <CLOSE_ITEM bIsCloseDlg=\"Y\"/>\n"
                           "    <LISTMODEL_ITEM ListModel_Line=\"N\"/>\n"
                           "    <OutPut_path path_value=\""
        + outputFolder.toUtf8().toPercentEncoding("/") + "/\"/>\n</ROOTITEM>\n";
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(xml) > 0;
}

} // namespace realdisplay
