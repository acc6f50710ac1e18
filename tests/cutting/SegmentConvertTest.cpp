// The conversion row of the segment manager, driven through the panel:
// one file per segment or one merged file, stream copy and encoding, the
// progress bar, Stop, and the messages of the failures. Outputs are judged
// by ffprobe.
#include "ConfigState.h"
#include "OutputFormatParams.h"
#include "OutputNaming.h"
#include "ParserXML.h"
#include "QImageButton.h"
#include "QImageButtonEx.h"
#include "QVideoCutManageDlg.h"
#include "QVoCheckBox.h"
#include "QVoMessageBox.h"
#include "QVoMessageDlg.h"
#include "TestSupport.h"
#include "VoVideoConvertItem.h"
#include "VoVideoConvertManager.h"
#include "qSliderCtrl.h"

#include <QDir>
#include <QJsonArray>
#include <QLabel>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using testsupport::fixture;

namespace {

constexpr int32_t kH264 = 28;
constexpr int32_t kAac = 0x15002;

// Closes the next message of the program and remembers its text.
class MessageCatcher {
public:
    MessageCatcher()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QWidget *w = QApplication::activeModalWidget();
            if (auto *box = qobject_cast<QVoMessageBox *>(w)) {
                texts << box->message();
                box->done(QVoMessageBox::Ok);
            } else if (auto *dlg = qobject_cast<QVoMessageDlg *>(w)) {
                texts << dlg->message();
                dlg->done(QVoMessageDlg::Ok);
            }
        });
        m_timer.start(5);
    }
    QStringList texts;

private:
    QTimer m_timer;
};

class SegmentConvertTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_root = m_dir.path() + "/out/";
        ConfigState::instance().setConverterPath(m_root);
        VoVideoConvertManager::instance()->clear();
        ParserXML::writeItemValue("LISTMODEL_ITEM", "ListModel_Line", "N");
        setLossless();
        panel.reset(new QVideoCutManageDlg);
        panel->resize(900, 50);
        panel->show();
    }
    void TearDown() override
    {
        panel.reset();
        VoVideoConvertManager::instance()->clear();
        QVideoCutManageDlg::setFolderOpener(nullptr);
    }

    static void setLossless()
    {
        OutputFormatParams &p = OutputFormatParams::instance();
        p.lossless = true;
        p.container = "Original";
        p.extension.clear();
        p.videoCodecId = 0;
        p.audioCodecId = 0;
    }
    static void setEncoding()
    {
        OutputFormatParams &p = OutputFormatParams::instance();
        p.lossless = false;
        p.quality = 90;
        p.container = "mp4";
        p.extension = "mp4";
        p.videoCodec = "H264";
        p.videoCodecId = kH264;
        p.audioCodec = "AAC";
        p.audioCodecId = kAac;
    }

    // Segments of the fixture added as the main window adds them.
    void addSegments(const QVector<QPair<double, double>> &ranges, const QString &file = "long_h264_aac.mp4")
    {
        VoVideoConvertItem source;
        ASSERT_TRUE(source.open(fixture(file)));
        for (const auto &r : ranges) {
            VoVideoConvertItem *item = source.clone();
            item->m_TrimStartTime = static_cast<uint64_t>(r.first * 1e6);
            item->m_TrimEndTime = static_cast<uint64_t>(r.second * 1e6);
            VoVideoConvertManager::instance()->insert(item, -1);
            panel->addConvertItem(item);
        }
        setAdjustFileName(source.m_fileSuffix, source.m_videoName);
        emit panel->emitFormatChanged(); // the rows apply the output mode
    }

    // Starts the conversion as the "Start" button does and waits for its end.
    void convert()
    {
        QSignalSpy states(panel.get(), &QVideoCutManageDlg::emitIsStartConverter);
        panel->OnConvert();
        QTRY_VERIFY_WITH_TIMEOUT(!states.isEmpty() && !states.last().at(0).toBool(), 120000);
        ASSERT_TRUE(states.first().at(0).toBool());
    }

    QStringList outputs() const
    {
        QStringList files;
        QDir dir(m_root);
        for (const QString &sub : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            for (const QString &f : QDir(dir.filePath(sub)).entryList(QDir::Files))
                files << dir.filePath(sub) + "/" + f;
        return files;
    }

    static double durationOf(const QString &file)
    {
        return testsupport::ffprobeJson(file).value("format").toObject().value("duration").toString().toDouble();
    }
    static QStringList streamTypes(const QString &file)
    {
        QStringList types;
        for (const QJsonValue &s : testsupport::ffprobeJson(file).value("streams").toArray())
            types << s.toObject().value("codec_type").toString();
        return types;
    }

    void expectIdleControls()
    {
        EXPECT_FALSE(panel->isConverting());
        EXPECT_TRUE(panel->button("m_btnAddItem")->isEnabled());
        EXPECT_TRUE(panel->button("m_btnShowList")->isEnabled());
        EXPECT_FALSE(panel->mergeCheck()->isHidden());
        EXPECT_TRUE(panel->progressBar()->isHidden());
    }

    QTemporaryDir m_dir;
    QString m_root;
    std::unique_ptr<QVideoCutManageDlg> panel;
};

} // namespace

TEST_F(SegmentConvertTest, LosslessOneFilePerSegmentThenMerged)
{
    addSegments({{1, 4}, {6, 9}, {12, 16}});
    QSignalSpy started(panel.get(), &QVideoCutManageDlg::emitIsStartConverter);
    convert();
    QStringList files = outputs();
    ASSERT_EQ(files.size(), 3) << files.join(",").toStdString();
    files.sort();
    const double lengths[] = {3, 3, 4};
    for (int i = 0; i < 3; ++i) {
        // Stream copy starts at the key frame before the cut.
        EXPECT_NEAR(durationOf(files[i]), lengths[i], 1.2) << files[i].toStdString();
        EXPECT_EQ(streamTypes(files[i]), QStringList({"video", "audio"}));
    }
    EXPECT_EQ(panel->progressPeak(), 100);
    EXPECT_EQ(panel->openButton()->itemCount(), 3);
    expectIdleControls();

    // The same segments merged into one file.
    QDir(m_root).removeRecursively();
    QTest::mouseClick(panel->mergeCheck(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    ASSERT_TRUE(panel->mergeCheck()->isChecked());
    convert();
    files = outputs();
    ASSERT_EQ(files.size(), 1);
    EXPECT_NEAR(durationOf(files[0]), 10.0, 1.5);
    EXPECT_EQ(streamTypes(files[0]), QStringList({"video", "audio"}));
    EXPECT_EQ(panel->progressPeak(), 100);

    // The output folder opens, which clears the count of new files.
    QString opened;
    QVideoCutManageDlg::setFolderOpener([&](const QString &folder) { opened = folder; });
    QTest::mouseClick(panel->openButton(), Qt::LeftButton);
    EXPECT_EQ(opened, m_root);
    EXPECT_EQ(panel->openButton()->itemCount(), 0);
}

TEST_F(SegmentConvertTest, EncodingSeparateAndMerged)
{
    setEncoding();
    addSegments({{1, 3}, {6, 8.5}, {12, 13}});
    convert();
    QStringList files = outputs();
    files.sort();
    ASSERT_EQ(files.size(), 3);
    const double lengths[] = {2, 2.5, 1};
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(durationOf(files[i]), lengths[i], 0.15) << files[i].toStdString();
        EXPECT_EQ(streamTypes(files[i]), QStringList({"video", "audio"}));
    }
    EXPECT_EQ(panel->progressPeak(), 100);

    QDir(m_root).removeRecursively();
    panel->mergeCheck()->setChecked(true);
    convert();
    files = outputs();
    ASSERT_EQ(files.size(), 1);
    EXPECT_NEAR(durationOf(files[0]), 5.5, 0.2);
    expectIdleControls();
}

TEST_F(SegmentConvertTest, EncodingNamesTheTracksItLeavesOutOnce)
{
    // Two sound tracks (German MPEG audio, English AC-3): the encoding keeps
    // the first and says, once for both segments, that the second is left out.
    setEncoding();
    addSegments({{1, 2}, {2, 3}}, "mpeg2_broadcast.ts");
    {
        MessageCatcher messages;
        convert();
        QTRY_COMPARE(messages.texts.size(), 1);
        EXPECT_EQ(messages.texts[0].count("ac3 (English)"), 1) << messages.texts[0].toStdString();
        EXPECT_TRUE(messages.texts[0].startsWith("mpeg2_broadcast.ts: ")) << messages.texts[0].toStdString();
        EXPECT_FALSE(messages.texts[0].contains("German")) << messages.texts[0].toStdString();
    }
    ASSERT_EQ(outputs().size(), 2);

    // A lossless copy keeps the chosen tracks and has nothing to say.
    QDir(m_root).removeRecursively();
    setLossless();
    emit panel->emitFormatChanged();
    MessageCatcher messages;
    convert();
    EXPECT_EQ(outputs().size(), 2);
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join('|').toStdString();
}

TEST_F(SegmentConvertTest, StopLeavesNoPartialFileAndFreesTheControls)
{
    setEncoding();
    addSegments({{0, 20}, {0, 20}, {0, 20}});
    QSignalSpy states(panel.get(), &QVideoCutManageDlg::emitIsStartConverter);
    MessageCatcher messages;
    panel->OnConvert();
    ASSERT_TRUE(panel->isConverting());
    EXPECT_FALSE(panel->button("m_btnAddItem")->isEnabled());
    EXPECT_TRUE(panel->mergeCheck()->isHidden());
    EXPECT_FALSE(panel->progressBar()->isHidden());
    QTRY_VERIFY_WITH_TIMEOUT(panel->progressPeak() >= 5, 60000);
    ASSERT_LT(panel->progressPeak(), 33) << "the first segment ended before the stop";
    panel->OnStopConvert();
    QTRY_VERIFY_WITH_TIMEOUT(!panel->isConverting(), 10000);
    // Late reports of the stopped converter must not bring a message up:
    // its worker has ended, so every report it made is queued by now.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join("|").toStdString();
    EXPECT_TRUE(outputs().isEmpty()) << outputs().join(",").toStdString();
    expectIdleControls();
    EXPECT_EQ(panel->progressBar()->positionPercent(), 0);
}

TEST_F(SegmentConvertTest, ProgressShowsPercentAndTimeLeftBesideAFreeFolderButton)
{
    setEncoding();
    addSegments({{0, 20}, {0, 20}, {0, 20}});
    MessageCatcher messages;
    QString opened;
    QVideoCutManageDlg::setFolderOpener([&](const QString &folder) { opened = folder; });
    panel->OnConvert();
    ASSERT_TRUE(panel->isConverting());
    QTRY_VERIFY_WITH_TIMEOUT(panel->progressPeak() >= 1, 60000);

    // Bar, figure and folder button side by side in the panel, each clear
    // of the others and of the header's other buttons.
    auto rectOf = [this](QWidget *w) { return QRect(w->mapTo(panel.get(), QPoint(0, 0)), w->size()); };
    QWidget *open = panel->openButton();
    const QRect openRect = rectOf(open);
    const QRect barRect = rectOf(panel->progressBar());
    EXPECT_FALSE(barRect.intersects(openRect)) << "bar over the folder button";
    EXPECT_TRUE(panel->rect().contains(openRect));
    QWidget *underCentre = panel->childAt(openRect.center());
    EXPECT_TRUE(underCentre == open || open->isAncestorOf(underCentre));
    auto *figure = panel->findChild<QLabel *>("m_labProgress");
    ASSERT_NE(figure, nullptr);
    const QRect figureRect = rectOf(figure);
    EXPECT_FALSE(figureRect.intersects(openRect));
    EXPECT_FALSE(barRect.intersects(figureRect));
    for (QImageButton *b : panel->findChildren<QImageButton *>()) {
        if (b == open || !b->isVisible())
            continue;
        for (const QRect &r : {openRect, barRect, figureRect})
            EXPECT_FALSE(rectOf(b).intersects(r)) << b->objectName().toStdString();
    }

    // The figure grows from a percentage to one with the time left.
    const QRegularExpression withTimeLeft("^(\\d+)% · (\\d+):(\\d\\d) left$");
    QTRY_VERIFY_WITH_TIMEOUT(withTimeLeft.match(figure->text()).hasMatch(), 60000);
    const QRegularExpressionMatch m = withTimeLeft.match(figure->text());
    const int percent = m.captured(1).toInt();
    EXPECT_GE(percent, 1);
    EXPECT_LE(percent, panel->progressPeak());
    const int secondsLeft = m.captured(2).toInt() * 60 + m.captured(3).toInt();
    EXPECT_GT(secondsLeft, 0);
    EXPECT_LT(secondsLeft, 600);

    // It opens the folder while the conversion runs.
    QTest::mouseClick(open, Qt::LeftButton);
    EXPECT_EQ(opened, m_root);
    EXPECT_TRUE(panel->isConverting());

    panel->OnStopConvert();
    QTRY_VERIFY_WITH_TIMEOUT(!panel->isConverting(), 10000);
    EXPECT_TRUE(figure->isHidden());
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join("|").toStdString();
}

TEST_F(SegmentConvertTest, AFailedRunSaysAllInOneBoxThatDoesNotHoldTheRunUp)
{
    // An encoding that leaves a sound track out (a note for the run's end)
    // of a source that has gone meanwhile (a failure): both reach the user,
    // in one box, and nobody answering it keeps the run from ending.
    setEncoding();
    addSegments({{1, 2}}, "mpeg2_broadcast.ts");
    VoVideoConvertManager::instance()->itemAt(0)->m_videoPath = m_dir.filePath("gone.ts");
    convert();
    expectIdleControls();
    QList<QVoMessageBox *> boxes = panel->findChildren<QVoMessageBox *>();
    ASSERT_EQ(boxes.size(), 1);
    QPointer<QVoMessageBox> box = boxes.first();
    EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(box->message().startsWith("File conversion failed")) << box->message().toStdString();
    EXPECT_TRUE(box->message().contains("gone.ts")) << box->message().toStdString();
    EXPECT_EQ(box->message().count("ac3 (English)"), 1) << box->message().toStdString();
    EXPECT_EQ(box->kind(), int(QVoMessageBox::Error));
    const QString said = box->message();
    // Its OK closes it, and it goes.
    box->prepare();
    QTest::mouseClick(box->buttons().first(), Qt::LeftButton);
    QTRY_VERIFY(!box);

    // A next run's message is a box of its own, not an addition to a
    // closed one.
    convert();
    boxes = panel->findChildren<QVoMessageBox *>();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes.first()->message(), said);
    delete boxes.first();
}

TEST_F(SegmentConvertTest, FailuresShowTheirMessages)
{
    addSegments({{1, 2}});
    VoVideoConvertManager::instance()->itemAt(0)->m_videoPath = m_dir.filePath("gone.mp4");
    {
        MessageCatcher messages;
        convert();
        QTRY_COMPARE(messages.texts.size(), 1);
        EXPECT_TRUE(messages.texts[0].startsWith("File conversion failed, please check whether the output format "
                                                 "parameters \nand output file directory are set correctly."))
            << messages.texts[0].toStdString();
        // The engine's reason follows the message: here, the missing source.
        EXPECT_TRUE(messages.texts[0].contains("gone.mp4")) << messages.texts[0].toStdString();
    }
    expectIdleControls();

    // An output folder that cannot be made is refused before anything runs.
    QFile blocker(m_dir.filePath("file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ConfigState::instance().setConverterPath(m_dir.filePath("file") + "/sub/");
    MessageCatcher messages;
    QSignalSpy states(panel.get(), &QVideoCutManageDlg::emitIsStartConverter);
    // The messages do not wait for their answer: the handler has returned
    // when they appear.
    panel->OnConvert();
    EXPECT_TRUE(messages.texts.isEmpty());
    QTRY_COMPARE(messages.texts, QStringList({"The output path is invalid!"}));
    EXPECT_TRUE(states.isEmpty());
    panel->OnBtnOpen();
    QTRY_COMPARE(messages.texts.size(), 2);
    EXPECT_EQ(messages.texts.last(), "Invalid path");
}
