// The "Audio" and "Tag" tabs worked as a user works them: their rules on
// the record, then the real dialog driven to a converted file judged by
// ffmpeg (levels, fades, the background's tone) and mutagen (tags, cover),
// and the preview player's own sound carrying the edits.
#include "CAVConverter.h"
#include "ConvertJob.h"
#include "OutputFormatParams.h"
#include "QAudioOperationForm.h"
#include "QAudioTagForm.h"
#include "QAudioEffectManager.h"
#include "QCheckboxCombobox.h"
#include "QHorizontalListFrom.h"
#include "QHorizontalListItem.h"
#include "QCommonButtonForm.h"
#include "QVoBaseSlider.h"
#include "QVoCheckBox.h"
#include "QTextImageButton.h"
#include "QVideoEditTag.h"
#include "QVideoEditingDlg.h"
#include "QVideoEditingSettings.h"
#include "QVoBaseButton.h"
#include "QVoComboBox.h"
#include "QVoLineEdit.h"
#include "QVoTextEdit.h"
#include "TestSupport.h"
#include "VoPlayerManager.h"
#include "VoVideoConvertItem.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <algorithm>
#include <cmath>
#include <memory>

using testsupport::fixture;

namespace {

enum { AudioTab = 5, TagTab = 6 };

struct Report {
    std::atomic<int> state{0};
};

void record(int32_t, void *context, int32_t state)
{
    if (state != 5)
        static_cast<Report *>(context)->state = state;
}

OutputFormatParams mp4Params()
{
    OutputFormatParams p;
    p.quality = 90;
    p.container = "mp4";
    p.extension = "mp4";
    p.videoCodec = "H264";
    p.videoCodecId = 28;
    p.videoBitrate = 1000;
    p.audioCodec = "AAC";
    p.audioCodecId = 0x15002;
    return p;
}

OutputFormatParams audioParams(const QString &container, const QString &codec, int codecId)
{
    OutputFormatParams p = mp4Params();
    p.audioOnly = true;
    p.container = container;
    p.extension = container == "ipod" ? "m4a" : container == "asf" ? "wma" : container;
    p.audioCodec = codec;
    p.audioCodecId = codecId;
    return p;
}

// Converts the whole of src with edits through the converter, tags
// included; true when it finished.
bool convert(const QString &src, const QString &dst, const VEEditConfig &edits, const OutputFormatParams &params)
{
    VoVideoConvertItem item;
    if (!item.open(src))
        return false;
    item.applyOutputFormat(params);
    const VEEditConfig base = item.m_editConfig;
    item.m_editConfig = edits;
    item.m_editConfig.audioTracks = base.audioTracks;
    item.m_editConfig.subtitleTracks = base.subtitleTracks;
    item.m_editConfig.subtitleChoices = base.subtitleChoices;
    std::unique_ptr<ConvertJob> job(item.assembleConvertJob(params));
    if (!job)
        return false;
    CAVConverter converter;
    Report report;
    if (!converter.StartConvert(src.toUtf8().constData(), dst.toUtf8().constData(), *job, &report, &record, false))
        return false;
    QElapsedTimer t;
    t.start();
    while (report.state.load() == 0 && t.elapsed() < 120000) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    return report.state.load() == 2;
}

// Mean level (dB) of [start, start + length) after an optional filter.
double meanVolume(const QString &file, double start, double length, const QString &filter = QString())
{
    const QString chain = filter.isEmpty() ? "volumedetect" : filter + ",volumedetect";
    const auto r = testsupport::runProcess("ffmpeg", {"-nostdin", "-hide_banner", "-ss", QString::number(start), "-t",
                                                      QString::number(length), "-i", file, "-vn", "-af", chain, "-f",
                                                      "null", "-"});
    const QRegularExpressionMatch m
        = QRegularExpression("mean_volume: (-?[0-9.]+|-inf) dB").match(QString::fromUtf8(r.err));
    if (!m.hasMatch())
        return NAN;
    return m.captured(1) == "-inf" ? -200.0 : m.captured(1).toDouble();
}

QJsonObject mutagenTags(const QString &path)
{
    const auto r = testsupport::runProcess("/usr/bin/python3", {testsupport::sourceDir() + "/tests/tags/tagdump.py", path});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    return QJsonDocument::fromJson(r.out).object();
}

std::unique_ptr<QVideoEditingDlg> openDialog(const QString &file)
{
    auto dlg = std::make_unique<QVideoEditingDlg>();
    dlg->setMediaSource(file, 0, 0);
    dlg->setInitialConfig(VEEditConfig());
    dlg->setBoundToTrim(true);
    dlg->show();
    return dlg;
}

void clickTab(QVideoEditingDlg &dlg, int index)
{
    QTest::mouseClick(dlg.tabBar()->button(index), Qt::LeftButton);
}

void retype(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    // Key events carry ASCII only; other letters arrive as an input method
    // would hand them over.
    bool ascii = true;
    for (QChar ch : text)
        ascii = ascii && ch.unicode() < 128;
    if (ascii)
        QTest::keyClicks(edit, text);
    else
        edit->insert(text);
}

} // namespace

// ------------------------------------------------------------- Tag tab ---

TEST(TagTabTest, TrackAndDiscBoxesMakeOneTextAndStoredTextsSplitIntoThem)
{
    QVideoEditingSettings settings;
    VEAudioTagInfo stored;
    stored.track = "5";
    stored.disc = "/7";
    stored.year = "2019-05-01";
    settings.setTags(stored);
    QAudioTagForm form(&settings);
    form.loadSettings();
    EXPECT_EQ(form.edit("m_editTrack1")->text(), "5");
    EXPECT_EQ(form.edit("m_editTrack2")->text(), "0");
    EXPECT_EQ(form.edit("m_editDisc1")->text(), "0");
    EXPECT_EQ(form.edit("m_editDisc2")->text(), "7");
    EXPECT_EQ(form.edit("m_editYear")->text(), "2019");
    // A backslash counts as the separator.
    EXPECT_EQ(QAudioTagForm::splitNumberPair("2\\9"), qMakePair(QString("2"), QString("9")));
    EXPECT_EQ(QAudioTagForm::splitNumberPair(""), qMakePair(QString("0"), QString("0")));

    const struct {
        const char *number, *total, *text;
    } cases[] = {{"3", "12", "3/12"}, {"3", "0", "3"}, {"0", "12", ""}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        retype(form.edit("m_editTrack1"), c.number);
        retype(form.edit("m_editTrack2"), c.total);
        EXPECT_EQ(settings.tags().track, c.text);
    }
    retype(form.edit("m_editDisc1"), "2");
    EXPECT_EQ(settings.tags().disc, "2/7");
}

TEST(TagTabTest, TextsLoadFromLegacyBytesAndEditsMarkTheTagsAsTheItemsOwn)
{
    QVideoEditingSettings settings;
    VEAudioTagInfo stored;
    stored.title = "Caf\xe9";               // not UTF-8: the legacy code page
    stored.artist = "Bj\xc3\xb6rk";         // UTF-8
    stored.genre = "Chiptune";
    settings.setTags(stored);
    QAudioTagForm form(&settings);
    form.loadSettings();
    EXPECT_EQ(form.edit("m_editTitle")->text(), QString::fromUtf8("Café"));
    EXPECT_EQ(form.edit("m_editArtist")->text(), QString::fromUtf8("Björk"));
    EXPECT_EQ(form.genreCombo()->currentText(), "Chiptune");
    EXPECT_EQ(form.genreCombo()->count(), 21);
    EXPECT_FALSE(settings.tags().tagFlag) << "loading is not editing";
    EXPECT_FALSE(form.deleteImageButton()->isVisibleTo(&form));

    retype(form.edit("m_editTitle"), QString::fromUtf8("Título"));
    EXPECT_EQ(settings.tags().title, "T\xc3\xadtulo");
    EXPECT_TRUE(settings.tags().tagFlag);
    QTest::keyClicks(form.commentsEdit()->textEdit(), "two");
    QTest::keyClick(form.commentsEdit()->textEdit(), Qt::Key_Return);
    QTest::keyClicks(form.commentsEdit()->textEdit(), "lines");
    EXPECT_EQ(settings.tags().comment, "two\nlines");

    // A cover that is not a picture shows nothing and offers no Delete.
    QTemporaryDir dir;
    QFile junk(dir.filePath("junk.png"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a picture");
    junk.close();
    form.setFileChooser([&](QWidget *, const QString &, const QString &, const QString &) { return junk.fileName(); });
    QTest::mouseClick(form.addImageButton(), Qt::LeftButton);
    EXPECT_EQ(settings.tags().coverSize, 13);
    EXPECT_FALSE(form.deleteImageButton()->isVisibleTo(&form));
    form.setFileChooser([](QWidget *, const QString &, const QString &, const QString &) { return fixture("cover.png"); });
    QTest::mouseClick(form.addImageButton(), Qt::LeftButton);
    EXPECT_EQ(settings.tags().coverSize, QFile(fixture("cover.png")).size());
    EXPECT_TRUE(form.deleteImageButton()->isVisibleTo(&form));
    QTest::mouseClick(form.deleteImageButton(), Qt::LeftButton);
    EXPECT_EQ(settings.tags().coverSize, 0);
    EXPECT_TRUE(settings.tags().coverData.empty());
    EXPECT_FALSE(form.deleteImageButton()->isVisibleTo(&form));
}

TEST(TagTabTest, EachBoxWritesItsOwnFieldAndLoadsBackFromIt)
{
    QVideoEditingSettings settings;
    QAudioTagForm form(&settings);
    form.loadSettings();
    const struct {
        const char *box;
        const char *typed;
        std::string VEAudioTagInfo::*field;
    } boxes[] = {{"m_editTitle", "Ti", &VEAudioTagInfo::title},      {"m_editArtist", "Ar", &VEAudioTagInfo::artist},
                 {"m_editComposer", "Co", &VEAudioTagInfo::composer}, {"m_editAlbum", "Al", &VEAudioTagInfo::album},
                 {"m_editYear", "1999", &VEAudioTagInfo::year},      {"m_editGrouping", "Gr", &VEAudioTagInfo::grouping},
                 {"m_editCopyright", "Cr", &VEAudioTagInfo::copyright}};
    for (const auto &b : boxes) {
        SCOPED_TRACE(b.box);
        const VEAudioTagInfo before = settings.tags();
        retype(form.edit(b.box), b.typed);
        VEAudioTagInfo expected = before;
        expected.*b.field = b.typed;
        // The one field changed, and no other.
        for (int i = 0; i < 14; ++i)
            EXPECT_EQ(*settings.tags().field(i), *expected.field(i)) << VEAudioTagInfo::metadataKey(i);
    }
    // A fresh form shows every field in its own box.
    QAudioTagForm again(&settings);
    again.loadSettings();
    for (const auto &b : boxes)
        EXPECT_EQ(again.edit(b.box)->text(), b.typed) << b.box;
}

// ----------------------------------------------------------- Audio tab ---

TEST(AudioTabTest, VolumeAndWeightAreHeldToTheirRangesAndWrittenToBothRecords)
{
    QVideoEditingSettings settings;
    QAudioOperationForm form(&settings);
    form.loadSettings();
    EXPECT_EQ(form.volumeEdit()->text(), "100");
    EXPECT_EQ(form.weightEdit()->text(), "50");
    EXPECT_TRUE(form.repeatBox()->isChecked());

    retype(form.volumeEdit(), "250");
    EXPECT_EQ(form.volumeEdit()->text(), "200");
    EXPECT_EQ(settings.audio().volume, 200);
    EXPECT_EQ(settings.soundEffect().volume, 200);
    EXPECT_DOUBLE_EQ(form.volumeSlider()->value(), 100.0);

    retype(form.weightEdit(), "140");
    EXPECT_EQ(form.weightEdit()->text(), "100");
    EXPECT_EQ(settings.audio().weight, 100);

    // The slider's fraction: a press at its far left is silence.
    QTest::mouseClick(form.volumeSlider(), Qt::LeftButton, {},
                      QPoint(form.volumeSlider()->startMargin(), form.volumeSlider()->height() / 2));
    EXPECT_EQ(settings.audio().volume, 0);
    EXPECT_EQ(form.volumeEdit()->text(), "0");

    QTest::mouseClick(form.repeatBox(), Qt::LeftButton);
    EXPECT_EQ(settings.audio().repeat, 0);
    retype(form.fadeInEdit(), "2.5");
    QTest::keyClick(form.fadeInEdit(), Qt::Key_Return);
    EXPECT_EQ(settings.soundEffect().fadeIn, 2500000u);

    QTest::mouseClick(form.commonButtons()->resetButton(), Qt::LeftButton);
    EXPECT_EQ(settings.audio(), VEEditConfig().audio);
    EXPECT_EQ(settings.soundEffect(), VESoundEffect());
    EXPECT_EQ(form.volumeEdit()->text(), "100");
}

TEST(AudioTabTest, ABackgroundChosenForATrimmedSegmentStartsWithTheSegment)
{
    // The background plays from the segment's start, not the file's.
    QVideoEditingSettings settings;
    VEEditConfig segment;
    segment.trimStart = 2000000;
    segment.trimEnd = 4000000;
    segment.audio.bgEndTime = 123;
    settings.setConfig(segment);
    settings.setBoundToTrim(true);
    QAudioOperationForm form(&settings);
    form.loadSettings();
    form.setFileChooser([](QWidget *, const QString &, const QString &, const QString &) { return fixture("bg_tone.wav"); });
    QTest::mouseClick(form.backgroundButton(), Qt::LeftButton);
    EXPECT_EQ(settings.audio().backgroundPath, fixture("bg_tone.wav").toStdString());
    EXPECT_EQ(settings.audio().bgStartTime, 2000000u);
    EXPECT_EQ(settings.audio().bgEndTime, 0u);

    // Not bound to the trim, the times stay as they were.
    QVideoEditingSettings free;
    free.setConfig(segment);
    QAudioOperationForm freeForm(&free);
    freeForm.loadSettings();
    freeForm.setFileChooser([](QWidget *, const QString &, const QString &, const QString &) { return fixture("bg_tone.wav"); });
    QTest::mouseClick(freeForm.backgroundButton(), Qt::LeftButton);
    EXPECT_EQ(free.audio().bgStartTime, 0u);
    EXPECT_EQ(free.audio().bgEndTime, 123u);
}

TEST(AudioTabTest, ASoundEffectSendsItsCurveAndRateAndOneWithoutCurveSendsNoPoints)
{
    QVideoEditingSettings settings;
    QAudioOperationForm form(&settings);
    form.loadSettings();
    const QAudioEffectManager *library = form.effectLibrary();
    ASSERT_GT(library->count(), 1);
    ASSERT_EQ(form.effectsList()->count(), library->count());
    int curved = -1, neutral = -1, paced = -1;
    for (int i = 0; i < library->count(); ++i) {
        const EffectEntry *entry = library->entryAt(i);
        if (!entry->eq.empty() && curved < 0)
            curved = i;
        if (entry->eq.empty() && entry->rate == 100 && neutral < 0)
            neutral = i;
        if (entry->eq.empty() && entry->rate != 100 && paced < 0)
            paced = i;
    }
    ASSERT_GE(curved, 0);
    ASSERT_GE(neutral, 0) << "an entry without EQ and Rate";
    ASSERT_GE(paced, 0) << "an entry without EQ with a Rate";
    // Nothing chosen yet: only an entry that leaves the sound alone may
    // stand highlighted for it.
    EXPECT_EQ(form.effectsList()->currentIndex(), neutral == 0 ? 0 : -1);

    QTest::mouseClick(form.effectsList()->item(curved), Qt::LeftButton);
    VESoundEffect e = settings.soundEffect();
    EXPECT_EQ(e.effectIndex, curved);
    ASSERT_EQ(e.eqFrequencies.size(), library->entryAt(curved)->eq.size());
    EXPECT_EQ(e.eqGains.size(), e.eqFrequencies.size());
    EXPECT_TRUE(std::is_sorted(e.eqFrequencies.begin(), e.eqFrequencies.end()));
    EXPECT_DOUBLE_EQ(e.eqGains.front(), library->entryAt(curved)->eq.begin()->second);

    // Without EQ: no points (the previous curve is not kept), and without
    // Rate: 100.
    QTest::mouseClick(form.effectsList()->item(neutral), Qt::LeftButton);
    e = settings.soundEffect();
    EXPECT_EQ(e.effectIndex, neutral);
    EXPECT_TRUE(e.eqFrequencies.empty());
    EXPECT_TRUE(e.eqGains.empty());
    EXPECT_EQ(e.rate, 100);

    QTest::mouseClick(form.effectsList()->item(paced), Qt::LeftButton);
    e = settings.soundEffect();
    EXPECT_EQ(e.effectIndex, paced);
    EXPECT_TRUE(e.eqFrequencies.empty());
    EXPECT_EQ(e.rate, library->entryAt(paced)->rate);
    EXPECT_NE(e.rate, 100);

    QAudioOperationForm reopened(&settings);
    reopened.loadSettings();
    EXPECT_EQ(reopened.effectsList()->currentIndex(), paced);

    QTest::mouseClick(form.commonButtons()->resetButton(), Qt::LeftButton);
    EXPECT_EQ(form.effectsList()->currentIndex(), -1);
    EXPECT_EQ(settings.soundEffect().rate, 100);
}

TEST(AudioTabTest, TrackRowsFollowTheModeAndChoosingOneSetsTheStreamChoice)
{
    VEEditConfig c;
    for (const char *name : {"English (AAC)", "German (AC3)"}) {
        VEAudioTrackEntry e;
        e.info.displayText = name;
        c.audioTracks.push_back(e);
    }
    c.streamChoice.audioType = 0;
    c.streamChoice.audioTrack = 1;
    QVideoEditingSettings settings;
    settings.setConfig(c);
    QAudioOperationForm form(&settings);
    form.loadSettings();
    QCheckboxCombobox *list = form.trackList();
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->itemText(0), "No Audio");
    EXPECT_EQ(list->currentIndex(), 2);
    EXPECT_EQ(list->drawText(), "German (AC3)");
    EXPECT_TRUE(list->isRowChecked(2));

    list->setCurrentIndex(1);
    EXPECT_EQ(settings.streamChoice().audioType, 0);
    EXPECT_EQ(settings.streamChoice().audioTrack, 0);
    EXPECT_TRUE(settings.audioTracks()[0].selected);
    EXPECT_FALSE(settings.audioTracks()[1].selected);
    list->setCurrentIndex(0);
    EXPECT_EQ(settings.streamChoice().audioType, -1);

    // High-Speed mode keeps every checked track: "All Audio" and check boxes.
    c.m_bLossless = true;
    c.audioTracks[0].selected = true;
    c.audioTracks[1].selected = false;
    c.streamChoice.audioType = 0;
    c.streamChoice.audioTrack = 0;
    settings.setConfig(c);
    form.loadingSetting();
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->itemText(1), "All Audio");
    EXPECT_EQ(list->currentIndex(), 2);
    EXPECT_FALSE(list->isRowChecked(1));
    EXPECT_EQ(list->drawText(), "English (AAC)") << "the checked tracks are shown";
    list->setRowChecked(3, true);
    form.AudioCheckClick(3);
    EXPECT_TRUE(list->isRowChecked(1)) << "every track checked is all audio";
    EXPECT_TRUE(settings.audioTracks()[1].selected);
    form.AudioCheckClick(0);
    EXPECT_EQ(settings.streamChoice().audioType, -1);
    EXPECT_FALSE(list->isRowChecked(2));
    EXPECT_FALSE(settings.audioTracks()[0].selected);
    // Choosing the "All Audio" row itself keeps every track.
    list->setCurrentIndex(1);
    EXPECT_EQ(settings.streamChoice().audioType, 0);
    EXPECT_TRUE(settings.audioTracks()[0].selected && settings.audioTracks()[1].selected);
    EXPECT_TRUE(list->isRowChecked(2) && list->isRowChecked(3));
}

// ------------------------------------------------- through the dialog ---

class AudioTagDialogTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString out(const QString &name) const { return m_dir.filePath(name); }

    // Opens the dialog on file, lets edit work the given tab, presses OK.
    VEEditConfig editThroughDialog(const QString &file, int tab, const std::function<void(QVideoEditingDlg &)> &edit)
    {
        auto dlg = openDialog(file);
        EXPECT_TRUE(QTest::qWaitFor([&] { return dlg->isLoaded(); }, 10000));
        clickTab(*dlg, tab);
        edit(*dlg);
        QTest::mouseClick(dlg->okButton(), Qt::LeftButton);
        EXPECT_EQ(dlg->result(), QDialog::Accepted);
        dlg->releasePlayer();
        return dlg->editConfig();
    }

    QTemporaryDir m_dir;
};

TEST_F(AudioTagDialogTest, VolumeFadeAndBackgroundFromTheAudioTabReachTheOutput)
{
    const QString src = fixture("h264_aac.mp4");
    VEEditConfig plainEdits;
    plainEdits.trimEnd = 5000000;
    ASSERT_TRUE(convert(src, out("plain.mp4"), plainEdits, mp4Params()));
    const double plain = meanVolume(out("plain.mp4"), 2.5, 1.5);
    ASSERT_FALSE(std::isnan(plain));

    VEEditConfig quiet = editThroughDialog(src, AudioTab, [](QVideoEditingDlg &dlg) {
        auto *form = static_cast<QAudioOperationForm *>(dlg.tabForm(AudioTab));
        retype(form->volumeEdit(), "50");
        retype(form->fadeInEdit(), "2");
        QTest::keyClick(form->fadeInEdit(), Qt::Key_Return);
    });
    EXPECT_EQ(quiet.audio.volume, 50);
    EXPECT_EQ(quiet.soundEffect.fadeIn, 2000000u);
    quiet.trimStart = 0;
    quiet.trimEnd = 5000000;
    ASSERT_TRUE(convert(src, out("quiet.mp4"), quiet, mp4Params()));
    EXPECT_NEAR(meanVolume(out("quiet.mp4"), 2.5, 1.5) - plain, -6.0, 1.0);
    EXPECT_LT(meanVolume(out("quiet.mp4"), 0, 0.1), plain - 30) << "a fade-in starts near silence";

    VEEditConfig mixed = editThroughDialog(src, AudioTab, [](QVideoEditingDlg &dlg) {
        auto *form = static_cast<QAudioOperationForm *>(dlg.tabForm(AudioTab));
        form->setFileChooser([](QWidget *, const QString &title, const QString &, const QString &filter) {
            EXPECT_EQ(title, "Open Audio File");
            EXPECT_TRUE(filter.startsWith("audio files(*.wav;"));
            return fixture("bg_tone.wav");
        });
        QTest::mouseClick(form->backgroundButton(), Qt::LeftButton);
        EXPECT_EQ(form->backgroundPathEdit()->text(), fixture("bg_tone.wav"));
    });
    EXPECT_EQ(mixed.audio.backgroundPath, fixture("bg_tone.wav").toStdString());
    mixed.trimStart = 0;
    mixed.trimEnd = 5000000;
    ASSERT_TRUE(convert(src, out("mixed.mp4"), mixed, mp4Params()));
    // The background's 880 Hz is in the mix, repeated past its one second;
    // the source alone has none.
    const QString band = "bandpass=f=880:width_type=q:width=20";
    EXPECT_GT(meanVolume(out("mixed.mp4"), 0.2, 0.6, band), -35);
    EXPECT_GT(meanVolume(out("mixed.mp4"), 3.2, 0.6, band), -35);
    EXPECT_LT(meanVolume(out("plain.mp4"), 0.2, 0.6, band), -40);
}

TEST_F(AudioTagDialogTest, TagsTypedInTheTagTabAreReadBackFromEveryAudioFormat)
{
    const QString src = fixture("tone.mp3");
    VEEditConfig edits = editThroughDialog(src, TagTab, [](QVideoEditingDlg &dlg) {
        auto *form = static_cast<QAudioTagForm *>(dlg.tabForm(TagTab));
        retype(form->edit("m_editTitle"), QString::fromUtf8("Grüße"));
        retype(form->edit("m_editArtist"), "The Testers");
        retype(form->edit("m_editAlbum"), "Fixtures");
        retype(form->edit("m_editYear"), "2021");
        retype(form->edit("m_editTrack1"), "3");
        retype(form->edit("m_editTrack2"), "12");
        form->genreCombo()->lineEdit()->selectAll();
        QTest::keyClicks(form->genreCombo()->lineEdit(), "Jazz");
        form->commentsEdit()->textEdit()->selectAll();
        QTest::keyClicks(form->commentsEdit()->textEdit(), "made by a test");
        form->setFileChooser([](QWidget *, const QString &, const QString &, const QString &) {
            return fixture("cover.png");
        });
        QTest::mouseClick(form->addImageButton(), Qt::LeftButton);
    });
    EXPECT_EQ(edits.tags.track, "3/12");
    QFile coverFile(fixture("cover.png"));
    ASSERT_TRUE(coverFile.open(QIODevice::ReadOnly));
    const QString cover = QString::fromLatin1(coverFile.readAll().toBase64());

    const struct {
        const char *container, *codec;
        int id;
        const char *file;
    } formats[] = {{"mp3", "MP3", 0x15001, "t.mp3"},   {"ipod", "AAC", 0x15002, "t.m4a"},
                   {"flac", "FLAC", 0x1500C, "t.flac"}, {"ogg", "OGG", 0x15005, "t.ogg"},
                   {"asf", "WMA", 0x15008, "t.wma"}};
    for (const auto &f : formats) {
        SCOPED_TRACE(f.file);
        ASSERT_TRUE(convert(src, out(f.file), edits, audioParams(f.container, f.codec, f.id)));
        const QJsonObject tags = mutagenTags(out(f.file));
        const QJsonObject fields = tags["fields"].toObject();
        EXPECT_EQ(fields["title"].toString(), QString::fromUtf8("Grüße"));
        EXPECT_EQ(fields["artist"].toString(), "The Testers");
        EXPECT_EQ(fields["album"].toString(), "Fixtures");
        EXPECT_EQ(fields["genre"].toString(), "Jazz");
        EXPECT_TRUE(fields["year"].toString().startsWith("2021")) << fields["year"].toString().toStdString();
        EXPECT_TRUE(fields["track"].toString().startsWith("3")) << fields["track"].toString().toStdString();
        EXPECT_EQ(fields["comment"].toString(), "made by a test");
        const QJsonArray covers = tags["covers"].toArray();
        ASSERT_EQ(covers.size(), 1);
        EXPECT_EQ(covers[0].toString(), cover);
    }
}
