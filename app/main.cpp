// Process entry: scale factor, application object, single-instance guard,
// then the main window until the event loop ends.
#include "AppPaths.h"
#include "ScaleFactor.h"
#include "SingleInstance.h"
#include "MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>

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
// instance message is printed to stderr and accepted after that delay, and
// the main window quits after it; nothing is shown any differently.
int autoCloseDelay()
{
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("SNIPWELL_AUTOCLOSE_MS", &ok);
    return ok && ms >= 0 ? ms : -1;
}

void showAlreadyRunning()
{
    QMessageBox box(QMessageBox::Information, QString(),
                    QCoreApplication::translate("main", "An instance has already been running."),
                    QMessageBox::Ok);
    const int delay = autoCloseDelay();
    if (delay >= 0) {
        std::fprintf(stderr, "message: %s\n", qUtf8Printable(box.text()));
        QTimer::singleShot(delay, &box, &QMessageBox::accept);
    }
    box.exec();
}
} // namespace

int main(int argc, char *argv[])
{
    applyScaleFactor();
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(productTitle());
    registerInterfaceFonts();

    SingleInstance instance(productTitle());
    if (!instance.acquire()) {
        showAlreadyRunning();
        return 0;
    }

    int code = 0;
    {
        MainWindow window;
        window.show();
        // One path as the only argument ("Open With" in a file manager)
        // is imported once the window is up; anything else is ignored.
        const QStringList args = QCoreApplication::arguments();
        if (args.size() == 2 && !args[1].startsWith(QLatin1Char('-'))) {
            const QString path = QFileInfo(args[1]).absoluteFilePath();
            QTimer::singleShot(0, &window, [&window, path] { window.addImportFile({path}); });
        }
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
