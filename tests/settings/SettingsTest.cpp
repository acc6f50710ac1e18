#include "AppPaths.h"
#include "ParserXML.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// Counts the files renamed into the settings folder under a name, as the
// kernel reports them: each one is a save of that file.
class SaveCounter {
public:
    SaveCounter() : m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        if (m_fd >= 0)
            inotify_add_watch(m_fd, QFile::encodeName(settingsFolder()).constData(), IN_MOVED_TO | IN_CLOSE_WRITE);
    }
    ~SaveCounter()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool ok() const { return m_fd >= 0; }
    // Saves of name reported so far, and writes into it in place.
    int saves(const QString &name)
    {
        drain(name);
        return m_saves;
    }
    int writesInPlace(const QString &name)
    {
        drain(name);
        return m_inPlace;
    }

private:
    void drain(const QString &name)
    {
        alignas(inotify_event) char buffer[8192];
        for (;;) {
            const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
            if (n <= 0)
                return;
            for (ssize_t at = 0; at < n;) {
                const auto *e = reinterpret_cast<const inotify_event *>(buffer + at);
                if (e->len > 0 && QFile::decodeName(e->name) == name) {
                    if (e->mask & IN_MOVED_TO)
                        ++m_saves;
                    if (e->mask & IN_CLOSE_WRITE)
                        ++m_inPlace;
                }
                at += ssize_t(sizeof(inotify_event) + e->len);
            }
        }
    }

    int m_fd;
    int m_saves = 0;
    int m_inPlace = 0;
};

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
    // Seen at once in memory; on disk once the writer has saved it.
    EXPECT_EQ(ParserXML::readItemValue("CLOSE_ITEM", "bIsCloseDlg", "Y"), "N");
    ParserXML::flushWrites();
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
    ParserXML::flushWrites();
    EXPECT_FALSE(QFile::exists(ParserXML::defaultSettingFile()));

    ParserXML::readItemValue("LOSSLESS_ITEM", "Lossless_convert", "N");
    ParserXML::writeItemValue("UPDATES_ITEM", "bIsAutoUpdate", "Y");
    ParserXML::readItemValue("Open_path", "Open_path_value", ".");
    ParserXML::readItemValue("VIDEO_QUALITY_ITEM", "quality_value", "1");
    ParserXML::writeItemValue("VIDEO_QUALITY_ITEM", "quality_value", "2");
    ParserXML::flushWrites();

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
    ParserXML::flushWrites();
    struct stat before {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &before), 0);

    for (int i = 0; i < 200; ++i) {
        EXPECT_EQ(ParserXML::readItemValue("CLOSE_ITEM", "bIsCloseDlg", "Y"), "N");
        ParserXML::readItemValue(QStringLiteral("NEW_ITEM_%1").arg(i % 7), "value", "x");
        ParserXML::writeItemValue("CLOSE_ITEM", "bIsCloseDlg", "N");
        EXPECT_FALSE(ParserXML::readCustomRecord("4000").has_value());
    }
    ParserXML::flushWrites();
    struct stat after {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);
    EXPECT_EQ(before.st_mtim.tv_sec, after.st_mtim.tv_sec);
    EXPECT_EQ(before.st_mtim.tv_nsec, after.st_mtim.tv_nsec);
    EXPECT_FALSE(QFile::exists(ParserXML::formatSettingFile()));

    CustomFormatRecord r;
    r.videoEncoder = "h264";
    ParserXML::writeCustomRecord("4000", r);
    ParserXML::flushWrites();
    struct stat format1 {};
    ASSERT_EQ(::stat(QFile::encodeName(ParserXML::formatSettingFile()).constData(), &format1), 0);
    ParserXML::writeCustomRecord("4000", r);
    ParserXML::flushWrites();
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

TEST_F(SettingsTest, AFileRemovedWhileAChangeWaitsStaysRemoved)
{
    // Removed before its first save, and again after one: the change still
    // waiting belongs to the removed file and does not bring it back.
    const QString path = ParserXML::defaultSettingFile();
    for (int round = 0; round < 2; ++round) {
        ParserXML::readItemValue("CLOSE_ITEM", "bIsCloseDlg", "Y");
        ParserXML::writeItemValue("CLOSE_ITEM", "bIsCloseDlg", QStringLiteral("round-%1").arg(round));
        ASSERT_TRUE(QFile::remove(path)) << round;
        EXPECT_EQ(ParserXML::readItemValue("CLOSE_ITEM", "bIsCloseDlg", "Y"), "Y") << round;
        ParserXML::flushWrites();
        EXPECT_FALSE(QFile::exists(path)) << round;
        EXPECT_EQ(ParserXML::readItemValue("CLOSE_ITEM", "bIsCloseDlg", "Y"), "Y") << round;
        // Saved once before the next round.
        ParserXML::writeItemValue("CLOSE_ITEM", "bIsCloseDlg", "saved");
        ParserXML::flushWrites();
        ASSERT_TRUE(QFile::exists(path));
    }
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
    ParserXML::flushWrites();
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
    ParserXML::flushWrites();
    EXPECT_TRUE(readFile(ParserXML::formatSettingFile()).contains("A_Encoder=\"mp3\""));

    // Audio only: the video strings are stored but read back empty.
    r.onlyAudio = true;
    ParserXML::writeCustomRecord("4000", r);
    back = ParserXML::readCustomRecord("4000");
    ASSERT_TRUE(back.has_value());
    EXPECT_TRUE(back->onlyAudio);
    EXPECT_TRUE(back->videoEncoder.isEmpty());
    EXPECT_TRUE(back->videoResolution.isEmpty());
    EXPECT_EQ(back->audioEncoder, "aac");
    ParserXML::flushWrites();
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
    // Once the save has failed, what is read is what the (missing) file
    // holds, not the change that was lost.
    ParserXML::flushWrites();
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

TEST_F(SettingsTest, ABurstOfChangesIsSavedOnceAsAWholeNewFile)
{
    const QString name = QFileInfo(ParserXML::defaultSettingFile()).fileName();
    ParserXML::readItemValue("CLOSE_ITEM", "bIsCloseDlg", "Y");
    ParserXML::readItemValue("Open_path", "Open_path_value", ".");
    ParserXML::writeItemValue("Open_path", "Open_path_value", "/videos");
    ParserXML::flushWrites();
    SaveCounter counter;
    ASSERT_TRUE(counter.ok());

    // A burst as a closing window or a held key makes it: every change is
    // read back at once from memory.
    for (int i = 0; i < 40; ++i) {
        const QString value = QStringLiteral("/videos/%1").arg(i);
        ParserXML::writeItemValue("Open_path", "Open_path_value", value);
        ASSERT_EQ(ParserXML::readItemValue("Open_path", "Open_path_value", "."), value);
    }
    ParserXML::writeItemValue("CLOSE_ITEM", "bIsCloseDlg", "N");
    ParserXML::flushWrites();

    // One save (two when the machine kept this thread away for longer than
    // the writer lets a burst settle), each a file renamed into place,
    // never the settings file written over.
    const int saves = counter.saves(name);
    EXPECT_GE(saves, 1);
    EXPECT_LE(saves, 2);
    EXPECT_EQ(counter.writesInPlace(name), 0);
    const QDomElement root = rootOf(ParserXML::defaultSettingFile());
    EXPECT_EQ(root.firstChildElement("Open_path").attribute("Open_path_value"), "/videos/39");
    EXPECT_EQ(root.firstChildElement("CLOSE_ITEM").attribute("bIsCloseDlg"), "N");
    EXPECT_EQ(QDir(settingsFolder()).entryList(QDir::Files), QStringList{name});

    // Nothing changed since: a flush saves nothing more.
    ParserXML::flushWrites();
    EXPECT_EQ(counter.saves(name), saves);
}

TEST_F(SettingsTest, ChangesFromSeveralThreadsAllReachTheFile)
{
    constexpr int kThreads = 4;
    for (int t = 0; t < kThreads; ++t)
        ParserXML::readItemValue(QStringLiteral("THREAD_%1").arg(t), "value", "-");
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t] {
            const QString item = QStringLiteral("THREAD_%1").arg(t);
            for (int i = 0; i < 200; ++i) {
                ParserXML::writeItemValue(item, "value", QString::number(i));
                if (ParserXML::readItemValue(item, "value", "-") != QString::number(i))
                    ADD_FAILURE() << "thread " << t << " did not read back change " << i;
            }
        });
    }
    for (std::thread &thread : threads)
        thread.join();
    ParserXML::flushWrites();
    const QDomElement root = rootOf(ParserXML::defaultSettingFile());
    for (int t = 0; t < kThreads; ++t)
        EXPECT_EQ(root.firstChildElement(QStringLiteral("THREAD_%1").arg(t)).attribute("value"), "199") << t;
}

TEST_F(SettingsTest, AChangeMadeJustBeforeTheProgramEndsIsOnDisk)
{
    // With the application object destroyed at the end of main, and with
    // none at all: the process's end alone must save.
    for (const char *mode : {"app", "plain"}) {
        QTemporaryDir home;
        ASSERT_TRUE(home.isValid());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", home.path());
        QProcess writer;
        writer.setProcessEnvironment(env);
        writer.start(QStringLiteral(SETTINGS_EXIT_WRITER), {QString::fromLatin1(mode), QStringLiteral("kept-%1").arg(mode)});
        ASSERT_TRUE(writer.waitForFinished(20000)) << mode;
        ASSERT_EQ(writer.exitStatus(), QProcess::NormalExit) << mode;
        ASSERT_EQ(writer.exitCode(), 0) << mode << ": " << writer.readAllStandardError().toStdString();
        const QString path = QString::fromLocal8Bit(writer.readAllStandardOutput()).trimmed();
        ASSERT_TRUE(path.startsWith(home.path() + "/")) << path.toStdString();

        EXPECT_EQ(rootOf(path).firstChildElement("CLOSE_ITEM").attribute("bIsCloseDlg").toStdString(),
                  std::string("kept-") + mode);
        const QString formats = QFileInfo(path).path() + "/VideoDefaultFormatSetting.xml";
        EXPECT_TRUE(readFile(formats).contains(QStringLiteral("V_Encoder=\"kept-%1\"").arg(mode))) << mode;
        // Only the two settings files: no half-made save left beside them.
        EXPECT_EQ(QDir(QFileInfo(path).path()).entryList(QDir::Files).size(), 2) << mode;
    }
}
