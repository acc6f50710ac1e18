// Installs the build into a temporary prefix and checks the desktop
// integration the way the desktop's own tools read it.
#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QString appId = QStringLiteral("com.zelvane.Snipwell");

// The keys of the "[Desktop Entry]" group, read the way the freedesktop rules for
// launcher files read them (";" is a list separator there, not a comment).
QHash<QString, QString> desktopEntry(const QString &path)
{
    QHash<QString, QString> keys;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return keys;
    bool inEntry = false;
    for (const QByteArray &raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith('['))
            inEntry = line == QLatin1String("[Desktop Entry]");
        else if (inEntry && line.contains('=') && !line.startsWith('#'))
            keys.insert(line.section('=', 0, 0), line.section('=', 1));
    }
    return keys;
}
} // namespace

TEST(DesktopInstall, LauncherIconsAndMetainfoLandWhereDesktopsLook)
{
    QTemporaryDir prefix;
    ASSERT_TRUE(prefix.isValid());
    const testsupport::ProcessResult install =
        testsupport::runProcess(CMAKE_COMMAND_PATH, {"--install", SNIPWELL_BUILD_DIR, "--prefix", prefix.path()}, 120000);
    ASSERT_TRUE(install.finished);
    ASSERT_EQ(install.exitCode, 0) << install.err.constData();

    const QString share = prefix.path() + "/share";
    const QString desktop = share + "/applications/" + appId + ".desktop";
    const QString metainfo = share + "/metainfo/" + appId + ".metainfo.xml";
    ASSERT_TRUE(QFileInfo(desktop).isFile());
    ASSERT_TRUE(QFileInfo(metainfo).isFile());

    const testsupport::ProcessResult desktopCheck = testsupport::runProcess("desktop-file-validate", {desktop});
    EXPECT_EQ(desktopCheck.exitCode, 0) << desktopCheck.out.constData() << desktopCheck.err.constData();
    EXPECT_TRUE(desktopCheck.out.trimmed().isEmpty()) << desktopCheck.out.constData(); // not even a warning
    const testsupport::ProcessResult metaCheck = testsupport::runProcess("appstreamcli", {"validate", "--no-net", metainfo});
    EXPECT_EQ(metaCheck.exitCode, 0) << metaCheck.out.constData() << metaCheck.err.constData();

    // The launcher starts the installed program by the name on PATH.
    const QHash<QString, QString> entry = desktopEntry(desktop);
    EXPECT_EQ(entry.value("Exec"), "snipwell %f");
    EXPECT_EQ(entry.value("GenericName"), "Video Cutter");
    EXPECT_EQ(entry.value("Icon"), appId);
    EXPECT_EQ(entry.value("Categories"), "AudioVideo;Video;AudioVideoEditing;");
    EXPECT_TRUE(QFileInfo(prefix.path() + "/bin/snipwell").exists());

    // The command line beside it, with its manual page; the installed one
    // runs and finds its formats in the installed application folder.
    EXPECT_TRUE(QFileInfo(share + "/man/man1/snipwell-cli.1.gz").isFile());
    const testsupport::ProcessResult cli = testsupport::runProcess(
        prefix.path() + "/bin/snipwell-cli", {"cut", "--format", "Betamax", "--output-dir", prefix.path(), "x.mp4"});
    EXPECT_EQ(cli.exitCode, 2);
    EXPECT_TRUE(cli.err.contains("MP4 H.264/AAC")) << cli.err.constData(); // the format list it offers instead
    const QStringList mime = entry.value("MimeType").split(';', Qt::SkipEmptyParts);
    for (const char *type : {"video/mp4", "video/x-matroska", "video/quicktime", "video/mp2t", "video/webm", "audio/mpeg", "audio/flac"})
        EXPECT_TRUE(mime.contains(QLatin1String(type))) << type;
    // Project files are ours: the type is declared and the launcher takes it.
    EXPECT_TRUE(mime.contains("application/x-snipwell-project"));
    const QString mimePackage = share + "/mime/packages/" + appId + ".xml";
    ASSERT_TRUE(QFileInfo(mimePackage).isFile());
    {
        // The desktop's own tool compiles the package and files the type by its glob.
        const testsupport::ProcessResult update = testsupport::runProcess("/usr/bin/update-mime-database", {share + "/mime"});
        EXPECT_EQ(update.exitCode, 0) << update.err.constData();
        QFile globs(share + "/mime/globs2");
        ASSERT_TRUE(globs.open(QIODevice::ReadOnly));
        EXPECT_TRUE(globs.readAll().contains("application/x-snipwell-project:*.snipwell"));
    }

    // Every size of the icon theme, square and of its size, plus the scalable one.
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString png = QStringLiteral("%1/icons/hicolor/%2x%2/apps/%3.png").arg(share).arg(size).arg(appId);
        const QImage image(png);
        ASSERT_FALSE(image.isNull()) << qPrintable(png);
        EXPECT_EQ(image.size(), QSize(size, size)) << qPrintable(png);
        EXPECT_GT(qAlpha(image.pixel(size / 2, size / 2)), 200) << qPrintable(png); // painted, not empty
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << qPrintable(png);                 // rounded corner
    }
    const QString svg = share + "/icons/hicolor/scalable/apps/" + appId + ".svg";
    ASSERT_TRUE(QFileInfo(svg).isFile());
    // The scalable icon is well-formed XML an SVG renderer accepts.
    const testsupport::ProcessResult xml = testsupport::runProcess("/usr/bin/python3",
        {"-c", "import sys, xml.dom.minidom as m; d=m.parse(sys.argv[1]); sys.exit(d.documentElement.tagName != 'svg')", svg});
    EXPECT_EQ(xml.exitCode, 0) << xml.err.constData();
}
