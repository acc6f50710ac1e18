// Process entry: the informational options, then scale factor, application
// object, single-instance guard, and the main window until the event loop ends.
#include "AppPaths.h"
#include "Languages.h"
#include "MainWindow.h"
#include "ParserXML.h"
#include "ProductInfo.h"
#include "ProjectSession.h"
#include "QVoMessageBox.h"
#include "ScaleFactor.h"
#include "SingleInstance.h"
#include "TerminationSignals.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {
// The interface font is Tahoma; Debian ships a metric-compatible one outside
// fontconfig's folders, so register it with the application.
void registerInterfaceFonts()
{
    const QStringList folders{QStringLiteral("/usr/share/wine/fonts"), appFolder() + "/fonts"};
    for (const QString &folder : folders) {
        const QDir dir(folder);
        for (const QString &name : dir.entryList({"tahoma*.ttf"}, QDir::Files))
            QFontDatabase::addApplicationFont(dir.filePath(name));
    }
}

// For tests that start real processes: with SNIPWELL_AUTOCLOSE_MS set, the
// instance message and the class of the dialog showing it are printed to
// stderr and the message is accepted after that delay, and the main window
// quits after it; nothing is shown any differently.
int autoCloseDelay()
{
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("SNIPWELL_AUTOCLOSE_MS", &ok);
    return ok && ms >= 0 ? ms : -1;
}

void showAlreadyRunning()
{
    // The window that would load the user's language never comes up here.
    installLanguage(ParserXML::readItemValue(QStringLiteral("Language_item"), QStringLiteral("Language_Name"),
                                             QStringLiteral("English")));
    QVoMessageBox box;
    box.setTitle(QLatin1String(""));
    box.setMessage(QCoreApplication::translate("main", "An instance has already been running."));
    box.setKind(QVoMessageBox::Warning);
    box.setButtons(QVoMessageBox::OkButton);
    const int delay = autoCloseDelay();
    if (delay >= 0) {
        std::fprintf(stderr, "message: %s\ndialog: %s\n", qUtf8Printable(box.message()),
                     box.metaObject()->className());
        QTimer::singleShot(delay, &box, [&box] { box.done(QVoMessageBox::Ok); });
    }
    box.exec();
}

enum class InfoOption { None, Version, Help, Unknown };

// --version and --help answer on the terminal and end the process: no
// display is needed, no window opens and the running instance is not asked.
InfoOption infoOption(int argc, char *argv[], const char **unknown)
{
    InfoOption found = InfoOption::None;
    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i];
        if (std::strcmp(arg, "--version") == 0 || std::strcmp(arg, "-v") == 0) {
            if (found == InfoOption::None)
                found = InfoOption::Version;
        } else if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            found = InfoOption::Help;
        } else if (arg[0] == '-' && arg[1] == '-' && found == InfoOption::None) {
            // Qt's own options (-platform, -style …) take a single dash.
            *unknown = arg;
            return InfoOption::Unknown;
        }
    }
    return found;
}

int answerInfoOption(InfoOption option, const char *unknown, int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    installLanguage(ParserXML::readItemValue(QStringLiteral("Language_item"), QStringLiteral("Language_Name"),
                                             QStringLiteral("English")));
    const QString name = productTitle();
    if (option == InfoOption::Version) {
        std::printf("%s %s\n", qUtf8Printable(name), qUtf8Printable(product::version()));
        return 0;
    }
    const QString usage =
        QCoreApplication::translate("main", "Usage: snipwell [FILE]\n"
                                            "       snipwell --version | --help\n"
                                            "\n"
                                            "Opens %1 with FILE, a video or audio file, ready to cut. If the program "
                                            "is already running, FILE opens in its window.\n"
                                            "\n"
                                            "  -h, --help     show this help and exit\n"
                                            "  -v, --version  show the version and exit\n")
            .arg(name);
    if (option == InfoOption::Unknown) {
        std::fprintf(stderr, "%s\n\n%s",
                     qUtf8Printable(QCoreApplication::translate("main", "Unknown option: %1")
                                        .arg(QString::fromLocal8Bit(unknown))),
                     qUtf8Printable(usage));
        return 2;
    }
    std::printf("%s", qUtf8Printable(usage));
    return 0;
}

// The file named on the command line ("Open With" in a file manager), or
// empty: only a single argument that is not an option counts.
QString fileArgument()
{
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 2 && !args[1].startsWith(QLatin1Char('-')))
        return QFileInfo(args[1]).absoluteFilePath();
    return QString();
}
} // namespace

int main(int argc, char *argv[])
{
    const char *unknown = nullptr;
    const InfoOption info = infoOption(argc, argv, &unknown);
    if (info != InfoOption::None)
        return answerInfoOption(info, unknown, argc, argv);

    applyScaleFactor();
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(productTitle());
    registerInterfaceFonts();

    SingleInstance instance(productTitle());
    if (!instance.acquire()) {
        // A file goes to the running window, which opens it; only a start
        // without one (or one the running instance did not take) is told.
        const QString file = fileArgument();
        if (file.isEmpty() || !instance.handOver({file}))
            showAlreadyRunning();
        return 0;
    }

    int code = 0;
    {
        TerminationSignals termination;
        MainWindow window;
        QObject::connect(&instance, &SingleInstance::filesHandedOver, &window, &MainWindow::openHandedOverFiles);
        QObject::connect(&termination, &TerminationSignals::terminationRequested, &window,
                         &MainWindow::endProgram);
        window.show();
        // Work a crash or a kill left behind is offered back first; the
        // named file opens once that question is answered, not beneath it.
        const QString file = fileArgument();
        QTimer::singleShot(0, &window, [&window, file] {
            window.project()->offerRestore([&window, file] {
                if (!file.isEmpty())
                    window.addImportFile({file});
            });
        });
        const int delay = autoCloseDelay();
        if (delay >= 0) {
            std::fprintf(stderr, "started\n");
            std::fflush(stderr);
            QTimer::singleShot(delay, &app, &QCoreApplication::quit);
        }
        code = app.exec();
    }
    return code;
}
