#include "LocalHttpServer.h"

#include "Appcast.h"
#include "AppPaths.h"
#include "ParserXML.h"
#include "ProductInfo.h"
#include "QUpdateDlg.h"
#include "UpdateChecker.h"
#include "UpdateComponent.h"
#include "VersionCompare.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrlQuery>
#include <gtest/gtest.h>

namespace {

QByteArray feed(const QList<QPair<QByteArray, QByteArray>> &releases)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                     "<rss version=\"2.0\" xmlns:sparkle=\"http://www.andymatuschak.org/xml-namespaces/sparkle\">\n"
                     "<channel><title>Snipwell</title>\n";
    for (const auto &r : releases) {
        xml += "<item><title>Version " + r.first + "</title>";
        if (!r.second.isEmpty())
            xml += "<sparkle:releaseNotesLink>" + r.second + "</sparkle:releaseNotesLink>";
        xml += "<enclosure url=\"https://example.org/x.tar\" sparkle:version=\"" + r.first + "\" length=\"1\"/></item>\n";
    }
    return xml + "</channel></rss>\n";
}

class UpdateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir(settingsFolder()).removeRecursively();
        QDir().mkpath(settingsFolder());
    }

    // Runs one check of `path` on the server against `current`.
    UpdateResult check(LocalHttpServer &server, const QString &path, const QString &current = "2.2.1", int timeoutMs = 10000)
    {
        UpdateChecker checker;
        checker.setTimeout(timeoutMs);
        QSignalSpy done(&checker, &UpdateChecker::emitFinished);
        checker.start(QUrl(server.url(path)), current, "test");
        EXPECT_TRUE(done.count() == 1 || done.wait(timeoutMs + 5000));
        EXPECT_EQ(done.count(), 1);
        return done.isEmpty() ? UpdateResult() : done.first().first().value<UpdateResult>();
    }
};

} // namespace

TEST(VersionCompare, ReadsVersionsAsNumbers)
{
    EXPECT_GT(compareVersions("2.2.10", "2.2.9"), 0);
    EXPECT_LT(compareVersions("2.2.9", "2.2.10"), 0);
    EXPECT_EQ(compareVersions("2.2.1", "2.2.1.0"), 0);
    EXPECT_EQ(compareVersions("2.02.1", "2.2.1"), 0);
    EXPECT_GT(compareVersions("2.2.1.43", "2.2.1"), 0);
    EXPECT_GT(compareVersions("10.0", "9.99.99"), 0);
    EXPECT_LT(compareVersions("3.0rc1", "3.0"), 0);
    EXPECT_GT(compareVersions("3.0rc2", "3.0rc1"), 0);
    // Numbers beyond any integer type still order by value.
    EXPECT_GT(compareVersions("2.99999999999999999999999", "2.99999999999999999999998"), 0);
    EXPECT_EQ(compareVersions("", "0"), 0);
}

TEST(Appcast, RefusesWhatIsNotAFeedOfReleases)
{
    EXPECT_TRUE(parseAppcast(feed({{"2.3.0", "https://example.org/notes"}})).ok);
    EXPECT_FALSE(parseAppcast("").ok);
    EXPECT_FALSE(parseAppcast("<html><body>It works</body></html>").ok);
    EXPECT_FALSE(parseAppcast("<rss><channel><item><title>x</title></item>").ok); // cut off
    EXPECT_FALSE(parseAppcast("<rss><channel></channel></rss>").ok);             // no release
    EXPECT_FALSE(parseAppcast(QByteArray(4096, '\0')).ok);
    // Entity expansion bombs never get as far as expanding.
    EXPECT_FALSE(parseAppcast("<?xml version=\"1.0\"?><!DOCTYPE rss [<!ENTITY a \"1\">"
                              "<!ENTITY b \"&a;.&a;\">]>"
                              "<rss><channel><item><version>&b;</version></item></channel></rss>")
                     .ok);
    // Items without a usable version are skipped, the rest still count.
    const Appcast mixed = parseAppcast("<rss><channel><item><version>banana</version></item>"
                                       "<item><version>2.4</version><shortVersionString>2.4 beta</shortVersionString>"
                                       "<releaseNotesLink>javascript:alert(1)</releaseNotesLink></item></channel></rss>");
    ASSERT_TRUE(mixed.ok);
    ASSERT_EQ(mixed.items.size(), 1);
    EXPECT_EQ(mixed.items[0].displayVersion, "2.4 beta");
    EXPECT_FALSE(mixed.items[0].notesUrl.isValid()); // only web links are kept
}

TEST_F(UpdateTest, NewerSameAndOlderReleases)
{
    LocalHttpServer server([](QTcpSocket *s, const QByteArray &path) {
        if (path == "/newer")
            LocalHttpServer::reply(s, 200, feed({{"2.2.0", ""}, {"2.2.10", "https://example.org/notes/2.2.10"}, {"2.2.9", ""}}));
        else if (path == "/same")
            LocalHttpServer::reply(s, 200, feed({{"2.2.1", ""}, {"2.1.0", ""}}));
        else
            LocalHttpServer::reply(s, 200, feed({{"2.1.9", "https://example.org/notes/2.1.9"}}));
    });
    const UpdateResult newer = check(server, "/newer", "2.2.9");
    EXPECT_EQ(newer.outcome, UpdateResult::NewVersion);
    EXPECT_EQ(newer.version, "2.2.10");
    EXPECT_EQ(newer.notesUrl, QUrl("https://example.org/notes/2.2.10"));
    EXPECT_EQ(check(server, "/same").outcome, UpdateResult::UpToDate);
    EXPECT_EQ(check(server, "/older").outcome, UpdateResult::UpToDate);
}

TEST_F(UpdateTest, BrokenAndHostileServersEndInTheErrorMessage)
{
    const QByteArray huge(50 * 1024 * 1024, 'x');
    LocalHttpServer server([&huge](QTcpSocket *s, const QByteArray &path) {
        if (path == "/malformed")
            LocalHttpServer::reply(s, 200, "<rss><channel><item><sparkle:version>2.9</item></rss");
        else if (path == "/404")
            LocalHttpServer::reply(s, 404, "not here");
        else if (path == "/500")
            LocalHttpServer::reply(s, 500, feed({{"9.9.9", ""}}));
        else if (path == "/loop")
            LocalHttpServer::reply(s, 302, "", "Location: /loop\r\n");
        else if (path == "/huge")
            LocalHttpServer::reply(s, 200, huge);
        else if (path == "/huge-unannounced") {
            // No length given: the body simply keeps coming until the client stops it.
            s->write("HTTP/1.1 200 OK\r\nContent-Type: application/rss+xml\r\nConnection: close\r\n\r\n<rss>");
            auto sent = std::make_shared<qint64>(0);
            auto more = [s, sent] {
                if (*sent < 50 * 1024 * 1024 && s->state() == QAbstractSocket::ConnectedState && s->bytesToWrite() < 256 * 1024) {
                    s->write(QByteArray(256 * 1024, ' '));
                    *sent += 256 * 1024;
                }
            };
            QObject::connect(s, &QTcpSocket::bytesWritten, s, more);
            more();
        } else if (path == "/silent") {
            // Accepts and never answers.
        }
    });

    for (const char *path : {"/malformed", "/404", "/500", "/loop", "/huge", "/huge-unannounced"}) {
        QElapsedTimer clock;
        clock.start();
        const UpdateResult r = check(server, path);
        EXPECT_EQ(r.outcome, UpdateResult::Failed) << path;
        EXPECT_FALSE(r.detail.isEmpty()) << path;
        EXPECT_LT(clock.elapsed(), 8000) << path;
    }

    // The silent server: the interface keeps running until the deadline.
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
    ticker.start(50);
    QElapsedTimer clock;
    clock.start();
    const UpdateResult silent = check(server, "/silent", "2.2.1", 1500);
    EXPECT_EQ(silent.outcome, UpdateResult::Failed);
    EXPECT_GE(clock.elapsed(), 1400);
    EXPECT_LT(clock.elapsed(), 6000);
    EXPECT_GE(ticks, 10);
}

TEST_F(UpdateTest, CheckWithUiShowsCheckingThenTheOutcome)
{
    QByteArray answer = feed({{"2.3.0", "https://example.org/notes/2.3.0"}});
    LocalHttpServer server([&answer](QTcpSocket *s, const QByteArray &path) {
        if (path.startsWith("/api/product/version"))
            LocalHttpServer::reply(s, 200, answer);
        else
            LocalHttpServer::reply(s, 404, "");
    });
    UpdateComponent updates;
    updates.init();
    QUrl feedUrl(server.url("/api/product/version"));
    feedUrl.setQuery(QStringLiteral("pid=%1&ver=%2").arg(product::identifier(), product::buildVersion()));
    updates.setAppcastUrl(feedUrl.toString().toUtf8());
    updates.setAppDetails("Zelvane", "Zelvane Snipwell", "2.2.1");
    QSignalSpy done(&updates, &UpdateComponent::emitCheckFinished);

    updates.checkUpdateWithUi();
    ASSERT_NE(updates.dialog(), nullptr);
    EXPECT_TRUE(updates.dialog()->isVisible());
    EXPECT_EQ(updates.dialog()->messageText(), "Checking for updates...");
    ASSERT_TRUE(done.wait(5000));
    EXPECT_TRUE(server.lastRequest().contains("pid=" + product::identifier().toUtf8() + "&ver=2.2.1.43"));
    EXPECT_TRUE(updates.dialog()->messageText().contains("A new version 2.3.0 of Zelvane Snipwell is available"));
    EXPECT_TRUE(updates.dialog()->notesLabel()->isVisible());
    EXPECT_EQ(updates.dialog()->notesUrl(), QUrl("https://example.org/notes/2.3.0"));

    answer = feed({{"2.2.1", ""}});
    updates.checkUpdateWithUi();
    ASSERT_TRUE(done.wait(5000));
    EXPECT_EQ(updates.dialog()->messageText(), "You are up to date: Zelvane Snipwell 2.2.1 is the newest version.");
    EXPECT_FALSE(updates.dialog()->notesLabel()->isVisible());

    answer = "<rss><oops";
    updates.checkUpdateWithUi();
    ASSERT_TRUE(done.wait(5000));
    EXPECT_TRUE(updates.dialog()->messageText().startsWith("The update information could not be retrieved."));

    // A feed address that is not on the web is refused without a request.
    const int before = server.requests();
    updates.setAppcastUrl("file:///etc/passwd");
    updates.checkUpdateWithUi();
    ASSERT_TRUE(done.wait(5000));
    EXPECT_EQ(done.last().first().value<UpdateResult>().outcome, UpdateResult::Failed);
    EXPECT_EQ(server.requests(), before);
}

TEST_F(UpdateTest, AutomaticChecksRunWhenDueAndStaySilentWithoutNews)
{
    LocalHttpServer server([](QTcpSocket *s, const QByteArray &) { LocalHttpServer::reply(s, 200, feed({{"2.2.1", ""}})); });
    UpdateComponent updates;
    updates.setAppcastUrl(server.url("/feed").toUtf8());
    updates.setAppDetails("Zelvane", "Zelvane Snipwell", "2.2.1");
    updates.setStartDelay(10);
    QSignalSpy done(&updates, &UpdateComponent::emitCheckFinished);

    updates.init(); // off on a fresh profile
    EXPECT_FALSE(updates.automaticCheckForUpdates());
    EXPECT_FALSE(updates.automaticTimer()->isActive());

    updates.setAutomaticCheckForUpdates(true); // never checked: due now
    ASSERT_TRUE(done.wait(5000));
    EXPECT_FALSE(done.first().at(1).toBool());
    EXPECT_EQ(updates.dialog(), nullptr); // nothing to tell, nothing shown
    const qint64 last = ParserXML::readItemValue("UPDATE_CHECK_ITEM", "last_check", "0").toLongLong();
    EXPECT_LE(qAbs(QDateTime::currentSecsSinceEpoch() - last), 5);
    // The next one waits for the interval.
    ASSERT_TRUE(updates.automaticTimer()->isActive());
    EXPECT_GT(updates.automaticTimer()->remainingTime(), (UpdateComponent::checkIntervalSeconds() - 10) * 1000);

    updates.setAutomaticCheckForUpdates(false);
    EXPECT_FALSE(updates.automaticTimer()->isActive());
}
