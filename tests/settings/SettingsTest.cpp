#include "AppPaths.h"
#include "ParserXML.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QString readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.readAll());
}

QDomElement rootOf(const QString &path)
{
    static QDomDocument doc; // keep the document alive for the returned element
    doc = QDomDocument();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || !doc.setContent(&f))
        return QDomElement();
    return doc.documentElement();
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir(settingsFolder()).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(settingsFolder()));
        ParserXML::forgetCachedDocuments();
    }
};

} // namespace

TEST_F(SettingsTest, FolderIsTheProductFolderBesideTheAppData)
{
    const QString folder = settingsFolder();
    EXPECT_TRUE(folder.endsWith("/Zelvane Snipwell"));
    EXPECT_FALSE(folder.contains('\\'));
    EXPECT_TRUE(QDir(folder).exists());
    // Deleted while running: the next call makes it again.
    QDir(folder).removeRecursively();
    EXPECT_TRUE(QDir(settingsFolder()).exists());
}

TEST_F(SettingsTest, FirstReaderStoresItsDefaultAndLaterReadersGetIt)
{
    EXPECT_EQ(ParserXML::readItemValue("CLOSE_ITEM", "bIsCloseDlg", "Y"), "Y");
    // Reading alone writes nothing; the default is kept and later readers
    // with another default get it.
    EXPECT_FALSE(QFile::exists(ParserXML::defaultSettingFile()));
    EXPECT_EQ(ParserXML::readItemValue("CLOSE_ITEM", "bIsCloseDlg", "N"), "Y");

    // The first change writes it, beside the stored defaults.
    EXPECT_EQ(ParserXML::readItemValue("LOSSLESS_ITEM", "Lossless_convert", "N"), "N");
    ParserXML::writeItemValue("CLOSE_ITEM", "bIsCloseDlg", "N");
    QDomElement root = rootOf(ParserXML::defaultSettingFile());
    ASSERT_FALSE(root.isNull());
    EXPECT_EQ(root.tagName(), "ROOTITEM");
    ASSERT_EQ(root.childNodes().count(), 2);
    EXPECT_EQ(root.firstChildElement().tagName(), "CLOSE_ITEM");
    EXPECT_EQ(root.firstChildElement().attribute("bIsCloseDlg"), "N");
    EXPECT_EQ(root.firstChildElement("LOSSLESS_ITEM").attribute("Lossless_convert"), "N");
    EXPECT_EQ(ParserXML::readItemValue("CLOSE_ITEM", "bIsCloseDlg", "Y"), "N");
}

TEST_F(SettingsTest, WritesNeverCreateItemsAndReadsKeepFirstReadOrder)
{
    ParserXML::writeItemValue("UPDATES_ITEM", "bIsAutoUpdate", "Y"); // never read: nothing
    EXPECT_FALSE(QFile::exists(ParserXML::defaultSettingFile()));

    ParserXML::readItemValue("LOSSLESS_ITEM", "Lossless_convert", "N");
    ParserXML::writeItemValue("UPDATES_ITEM", "bIsAutoUpdate", "Y");
    ParserXML::readItemValue("Open_path", "Open_path_value", ".");
    ParserXML::readItemValue("VIDEO_QUALITY_ITEM", "quality_value", "1");
    ParserXML::writeItemValue("VIDEO_QUALITY_ITEM", "quality_value", "2");

    QDomElement root = rootOf(ParserXML::defaultSettingFile());
    QStringList order;
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        order << e.tagName();
    EXPECT_EQ(order, (QStringList{"LOSSLESS_ITEM", "Open_path", "VIDEO_QUALITY_ITEM"}));
}

TEST_F(SettingsTest, ReadsAndUnchangedWritesLeaveTheFileAlone)
{
    const QString path = ParserXML::defaultSettingFile();
    ParserXML::readItemValue("CLOSE_ITEM", "bIsCloseDlg", "Y");
    ParserXML::writeItemValue("CLOSE_ITEM", "bIsCloseDlg", "N");
    struct stat before {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &before), 0);

    for (int i = 0; i < 200; ++i) {
        EXPECT_EQ(ParserXML::readItemValue("CLOSE_ITEM", "bIsCloseDlg", "Y"), "N");
        ParserXML::readItemValue(QStringLiteral("NEW_ITEM_%1").arg(i % 7), "value", "x");
        ParserXML::writeItemValue("CLOSE_ITEM", "bIsCloseDlg", "N");
        EXPECT_FALSE(ParserXML::readCustomRecord("4000").has_value());
    }
    struct stat after {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);
    EXPECT_EQ(before.st_mtim.tv_sec, after.st_mtim.tv_sec);
    EXPECT_EQ(before.st_mtim.tv_nsec, after.st_mtim.tv_nsec);
    EXPECT_FALSE(QFile::exists(ParserXML::formatSettingFile()));

    CustomFormatRecord r;
    r.videoEncoder = "h264";
    ParserXML::writeCustomRecord("4000", r);
    struct stat format1 {};
    ASSERT_EQ(::stat(QFile::encodeName(ParserXML::formatSettingFile()).constData(), &format1), 0);
    ParserXML::writeCustomRecord("4000", r);
    struct stat format2 {};
    ASSERT_EQ(::stat(QFile::encodeName(ParserXML::formatSettingFile()).constData(), &format2), 0);
    EXPECT_EQ(format1.st_ino, format2.st_ino);
}

TEST_F(SettingsTest, AFileReplacedFromOutsideIsReadAgain)
{
    ParserXML::readItemValue("CLOSE_ITEM", "bIsCloseDlg", "Y");
    ParserXML::writeItemValue("CLOSE_ITEM", "bIsCloseDlg", "N");
    EXPECT_EQ(ParserXML::readItemValue("CLOSE_ITEM", "bIsCloseDlg", "Y"), "N");

    // Another program (or the user) writes the file in place, same size.
    QFile f(ParserXML::defaultSettingFile());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("<ROOTITEM><CLOSE_ITEM bIsCloseDlg=\"Q\"/></ROOTITEM>");
    f.close();
    EXPECT_EQ(ParserXML::readItemValue("CLOSE_ITEM", "bIsCloseDlg", "Y"), "Q");

    // Removed: back to the defaults.
    QFile::remove(ParserXML::defaultSettingFile());
    EXPECT_EQ(ParserXML::readItemValue("CLOSE_ITEM", "bIsCloseDlg", "Y"), "Y");
}

TEST_F(SettingsTest, EmptyAttributeReadsAsDefaultAndStaysEmpty)
{
    QFile f(ParserXML::defaultSettingFile());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<ROOTITEM><FormatSet Format_ID=\"\" Format_cate=\"Audio\"/></ROOTITEM>");
    f.close();
    EXPECT_EQ(ParserXML::readItemValue("FormatSet", "Format_ID", "4000"), "4000");
    EXPECT_EQ(ParserXML::readItemValue("FormatSet", "Format_cate", "General Video"), "Audio");
    // Another attribute of the same element is missing: default, not stored.
    EXPECT_EQ(ParserXML::readItemValue("FormatSet", "Format_ID_lossless", "3000"), "3000");
    const QDomElement e = rootOf(ParserXML::defaultSettingFile()).firstChildElement();
    EXPECT_TRUE(e.hasAttribute("Format_ID"));
    EXPECT_EQ(e.attribute("Format_ID"), "");
    EXPECT_FALSE(e.hasAttribute("Format_ID_lossless"));
    EXPECT_EQ(rootOf(ParserXML::defaultSettingFile()).childNodes().count(), 1);
}

TEST_F(SettingsTest, CorruptFileIsKeptAsideOnceAndDefaultsReturn)
{
    ParserXML::takeResetNotices();
    const QByteArray damaged = "<ROOTITEM><CLOSE_ITEM bIsCloseDlg=\"N\"></ROOT"; // truncated
    QFile f(ParserXML::defaultSettingFile());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(damaged);
    f.close();
    EXPECT_EQ(ParserXML::readItemValue("CLOSE_ITEM", "bIsCloseDlg", "Y"), "Y");

    // The damaged file is kept, whole, under a dated name beside; the
    // notice names it once.
    const QStringList notices = ParserXML::takeResetNotices();
    ASSERT_EQ(notices.size(), 1);
    const QFileInfo aside(notices.first());
    EXPECT_EQ(aside.path(), QFileInfo(ParserXML::defaultSettingFile()).path());
    EXPECT_TRUE(aside.fileName().startsWith("VideoDefaultSetting-unreadable-"));
    EXPECT_TRUE(aside.fileName().endsWith(".xml"));
    QFile kept(aside.filePath());
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), damaged);
    EXPECT_TRUE(ParserXML::takeResetNotices().isEmpty());

    // The next change writes a whole new file.
    ParserXML::writeItemValue("CLOSE_ITEM", "bIsCloseDlg", "N");
    const QDomElement root = rootOf(ParserXML::defaultSettingFile());
    ASSERT_FALSE(root.isNull());
    EXPECT_EQ(root.tagName(), "ROOTITEM");
    EXPECT_EQ(root.firstChildElement("CLOSE_ITEM").attribute("bIsCloseDlg"), "N");

    // loadDocument itself: true, with a fresh root; a second damage in the
    // same second gets a name of its own.
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not xml at all");
    f.close();
    QDomDocument doc;
    EXPECT_TRUE(ParserXML::loadDocument(f.fileName(), doc));
    EXPECT_EQ(doc.documentElement().tagName(), "ROOTITEM");
    const QStringList second = ParserXML::takeResetNotices();
    ASSERT_EQ(second.size(), 1);
    EXPECT_NE(second.first(), notices.first());
    EXPECT_TRUE(QFile::exists(second.first()));
    EXPECT_FALSE(ParserXML::loadDocument(settingsFolder() + "/missing.xml", doc));
}

TEST_F(SettingsTest, CustomRecordsRoundTrip)
{
    EXPECT_FALSE(ParserXML::readCustomRecord("4000").has_value());

    CustomFormatRecord r;
    r.videoEncoder = "h264";
    r.videoResolution = "1280*720";
    r.videoFrameRate = "29.97 fps";
    r.videoBitrate = "2000 kbps";
    r.audioEncoder = "aac";
    r.audioChannel = "2";
    r.audioSampleRate = "44100";
    r.audioBitrate = "128 kbps";
    r.quality = 90;
    ParserXML::writeCustomRecord("4000", r);
    CustomFormatRecord other = r;
    other.audioEncoder = "mp3";
    ParserXML::writeCustomRecord("4001", other);

    auto back = ParserXML::readCustomRecord("4000");
    ASSERT_TRUE(back.has_value());
    EXPECT_FALSE(back->onlyAudio);
    EXPECT_EQ(back->videoEncoder, "h264");
    EXPECT_EQ(back->videoResolution, "1280*720");
    EXPECT_EQ(back->videoFrameRate, "29.97 fps");
    EXPECT_EQ(back->videoBitrate, "2000 kbps");
    EXPECT_EQ(back->audioEncoder, "aac");
    EXPECT_EQ(back->audioBitrate, "128 kbps");
    EXPECT_EQ(back->quality, 90u);
    EXPECT_EQ(ParserXML::readCustomRecord("4001")->audioEncoder, "mp3");

    // Audio only: the video strings are stored but read back empty.
    r.onlyAudio = true;
    ParserXML::writeCustomRecord("4000", r);
    back = ParserXML::readCustomRecord("4000");
    ASSERT_TRUE(back.has_value());
    EXPECT_TRUE(back->onlyAudio);
    EXPECT_TRUE(back->videoEncoder.isEmpty());
    EXPECT_TRUE(back->videoResolution.isEmpty());
    EXPECT_EQ(back->audioEncoder, "aac");
    EXPECT_TRUE(readFile(ParserXML::formatSettingFile()).contains("V_Encoder=\"h264\""));
    // Overwriting kept one element per id.
    EXPECT_EQ(readFile(ParserXML::formatSettingFile()).count("Format_ID=\"4000\""), 1);
}

TEST_F(SettingsTest, CustomRecordWithoutChildIsNoRecordAndValuesAreTrimmed)
{
    QFile f(ParserXML::formatSettingFile());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<ROOTITEM><FORMAT_ Format_ID=\"4000\"/>"
            "<FORMAT_ Format_ID=\"5000\"><Format_Custom OnlyAudio=\"N\" V_Encoder=\"  mpeg4 \""
            " A_Encoder=\" mp3\" V_A_Quality=\"abc\"/></FORMAT_></ROOTITEM>");
    f.close();
    EXPECT_FALSE(ParserXML::readCustomRecord("4000").has_value());
    auto r = ParserXML::readCustomRecord("5000");
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->videoEncoder, "mpeg4");
    EXPECT_EQ(r->audioEncoder, "mp3");
    EXPECT_EQ(r->quality, 0u);
    EXPECT_FALSE(ParserXML::readCustomRecord("6000").has_value());
}

TEST_F(SettingsTest, UnwritableLocationFallsBackToDefaults)
{
    // A path below a regular file can be neither created nor written, even
    // by root.
    const QString blocker = settingsFolder() + "/blocker";
    QFile f(blocker);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    QDomDocument doc;
    doc.appendChild(doc.createElement("ROOTITEM"));
    EXPECT_FALSE(ParserXML::writeOperateXml(blocker + "/VideoDefaultSetting.xml", doc));

    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", blocker.toUtf8());
    EXPECT_EQ(ParserXML::readItemValue("CLOSE_ITEM", "bIsCloseDlg", "Y"), "Y");
    ParserXML::writeItemValue("CLOSE_ITEM", "bIsCloseDlg", "N");
    EXPECT_EQ(ParserXML::readItemValue("CLOSE_ITEM", "bIsCloseDlg", "Y"), "Y");
    EXPECT_FALSE(ParserXML::readCustomRecord("4000").has_value());
    qputenv("XDG_DATA_HOME", saved);
}

TEST_F(SettingsTest, KillDuringSaveLeavesAWholeFile)
{
    const QString path = ParserXML::defaultSettingFile();
    QDomDocument small;
    QDomElement root = small.createElement("ROOTITEM");
    small.appendChild(root);
    QDomElement item = small.createElement("CLOSE_ITEM");
    item.setAttribute("bIsCloseDlg", "Y");
    root.appendChild(item);
    ASSERT_TRUE(ParserXML::writeOperateXml(path, small));

    // A big document takes long enough to write that the kill lands
    // somewhere inside the save loop.
    QDomDocument big = small.cloneNode(true).toDocument();
    for (int i = 0; i < 20000; ++i) {
        QDomElement e = big.createElement(QStringLiteral("ITEM_%1").arg(i));
        e.setAttribute("value", QString(200, QChar('x')));
        big.documentElement().appendChild(e);
    }

    for (int round = 0; round < 5; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;)
                ParserXML::writeOperateXml(path, big);
        }
        usleep(50000 + round * 37000);
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);

        QDomDocument check;
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        ASSERT_TRUE(check.setContent(&f)) << "settings file damaged in round " << round;
        EXPECT_EQ(check.documentElement().firstChildElement("CLOSE_ITEM").attribute("bIsCloseDlg"), "Y");
    }
}
