// A program that changes two saved settings and ends at once, for SettingsTest:
// what is changed just before the program ends must be on disk afterwards.
//   settings_exit_writer app|plain VALUE
// "app" ends with its application object destroyed as a program's main
// does; "plain" has none, so only the end of the process saves. Prints the
// settings file's path.
#include "AppPaths.h"
#include "ParserXML.h"

#include <QCoreApplication>

#include <cstdio>
#include <memory>

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    const QByteArray mode(argv[1]);
    const QString value = QString::fromUtf8(argv[2]);
    QCoreApplication::setApplicationName(QStringLiteral("settings_exit_writer"));
    std::unique_ptr<QCoreApplication> app;
    if (mode == "app")
        app = std::make_unique<QCoreApplication>(argc, argv);
    else if (mode != "plain")
        return 2;

    // A user's settings, saved before.
    ParserXML::readItemValue(QStringLiteral("CLOSE_ITEM"), QStringLiteral("bIsCloseDlg"), QStringLiteral("Y"));
    ParserXML::writeItemValue(QStringLiteral("CLOSE_ITEM"), QStringLiteral("bIsCloseDlg"), QStringLiteral("before"));
    CustomFormatRecord record;
    record.videoEncoder = QStringLiteral("before");
    ParserXML::writeCustomRecord(QStringLiteral("4000"), record);
    ParserXML::flushWrites();

    // Changed just before the end.
    ParserXML::writeItemValue(QStringLiteral("CLOSE_ITEM"), QStringLiteral("bIsCloseDlg"), value);
    record.videoEncoder = value;
    ParserXML::writeCustomRecord(QStringLiteral("4000"), record);
    std::printf("%s\n", qPrintable(ParserXML::defaultSettingFile()));
    std::fflush(stdout);
    return 0;
}
