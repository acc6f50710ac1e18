// snipwell-cli: the program's conversions from the command line, on the
// engine and conversion path the window uses, without the window.
#include "AppPaths.h"
#include "CliOutput.h"
#include "ParserXML.h"
#include "ProductInfo.h"
#include "Subcommands.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace {

// Messages in the language the environment asks for (LANGUAGE, LC_ALL,
// LC_MESSAGES, LANG), when the program has it; English otherwise.
void installTranslation(QCoreApplication &app, QTranslator &translator)
{
    if (translator.load(QLocale::system(), QStringLiteral("snipwell"), QStringLiteral("_"),
                        appFolder() + QStringLiteral("/Language")))
        app.installTranslator(&translator);
}

} // namespace

int main(int argc, char *argv[])
{
    cli::captureStandardStreams();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("snipwell-cli"));
    QTranslator translator;
    installTranslation(app, translator);
    const QStringList all = app.arguments();
    if (all.size() < 2)
        return cli::usageError(QCoreApplication::translate("snipwell-cli", "a command is missing: info or cut"));
    const QString first = all[1];
    if (first == QLatin1String("--help") || first == QLatin1String("-h") || first == QLatin1String("help")) {
        cli::printOut(cli::helpText());
        return cli::ExitOk;
    }
    if (first == QLatin1String("--version")) {
        cli::printOut(QStringLiteral("snipwell-cli ") + product::version());
        return cli::ExitOk;
    }
    const QStringList args = all.mid(2);
    for (const cli::Subcommand &command : cli::subcommands()) {
        if (first != QLatin1String(command.name))
            continue;
        if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
            cli::printOut(cli::helpText(command));
            return cli::ExitOk;
        }
        const int status = command.run(args);
        // A damaged settings file was put aside while the command read it:
        // say where, once, so the user's old settings are not lost unseen.
        for (const QString &kept : ParserXML::takeResetNotices())
            cli::reportNote(args.contains(QStringLiteral("--json")), QString(),
                            QCoreApplication::translate("snipwell-cli",
                                                        "the settings could not be read and were reset; the old "
                                                        "settings file was kept as %1")
                                .arg(kept));
        return status;
    }
    return cli::usageError(QCoreApplication::translate("snipwell-cli", "unknown command '%1'").arg(first));
}
