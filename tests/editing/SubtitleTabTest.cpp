// The Subtitle tab worked as a user works it: the track list of a file with
// two subtitle streams and a subtitle file beside it in both output modes,
// the style edits and sliders, and subtitle files added or refused.
#include "OutputFormatParams.h"
#include "QCheckboxCombobox.h"
#include "QComboboxCheckbox.h"
#include "QSubtitleOperationForm.h"
#include "QFontLookPanel.h"
#include "QSubtitleSettingDlg.h"
#include "QVideoEditingSettings.h"
#include "QVoBaseButton.h"
#include "QVoBaseSlider.h"
#include "QVoDoubleSpinBox.h"
#include "QVoLineEdit.h"
#include "QVoRadioButton.h"
#include "TestSupport.h"
#include "VoVideoConvertItem.h"

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using testsupport::fixture;

namespace {

const char kSrtA[] = "1\n00:00:00,500 --> 00:00:02,000\nEnglish line\n";
const char kSrtB[] = "1\n00:00:00,500 --> 00:00:02,000\nLigne fran\xC3\xA7" "aise\n";

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class SubtitleTab : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        writeFile(m_dir.filePath("a.srt"), kSrtA);
        writeFile(m_dir.filePath("b.srt"), kSrtB);
        m_twoStreams = m_dir.filePath("film.mkv");
        const auto r = testsupport::runProcess(
            "ffmpeg", {"-nostdin", "-v", "error", "-y", "-i", fixture("h264_aac.mp4"), "-i", m_dir.filePath("a.srt"),
                       "-i", m_dir.filePath("b.srt"), "-map", "0", "-map", "1", "-map", "2", "-c:v", "copy", "-c:a",
                       "copy", "-c:s", "srt", "-metadata:s:s:0", "language=eng", "-metadata:s:s:1", "language=fre",
                       m_twoStreams});
        ASSERT_EQ(r.exitCode, 0) << r.err.constData();
        // The subtitle file found beside the source.
        writeFile(m_dir.filePath("film.srt"), kSrtA);
    }

    // The item's record as the segment manager hands it to the dialog.
    VEEditConfig itemConfig(const QString &file, bool lossless)
    {
        VoVideoConvertItem item;
        EXPECT_TRUE(item.open(file));
        OutputFormatParams params;
        params.lossless = lossless;
        params.container = "mkv";
        params.extension = "mkv";
        item.applyOutputFormat(params);
        return item.m_editConfig;
    }

    QStringList rows(QSubtitleOperationForm &form)
    {
        QStringList texts;
        for (int i = 0; i < form.trackList()->count(); ++i)
            texts << form.trackList()->itemText(i);
        return texts;
    }

    QTemporaryDir m_dir;
    QString m_twoStreams;
};

} // namespace

TEST_F(SubtitleTab, encodingModeListsStreamsThenClosedCaptionsThenFiles)
{
    QVideoEditingSettings settings;
    settings.setConfig(itemConfig(m_twoStreams, false));
    QSubtitleOperationForm form(&settings);
    form.loadingSetting();
    const QStringList list = rows(form);
    ASSERT_EQ(list.size(), 5) << list.join('|').toStdString();
    EXPECT_EQ(list[0], "No Subtitle");
    EXPECT_TRUE(list[1].startsWith("English")) << list[1].toStdString();
    EXPECT_TRUE(list[2].startsWith("French")) << list[2].toStdString();
    EXPECT_EQ(list[3], "Video Internet CC");
    EXPECT_EQ(list[4], "(film)[SRT]");
    EXPECT_EQ(form.trackList()->currentIndex(), 0);
    EXPECT_TRUE(form.trackList()->isRowChecked(0));
    EXPECT_TRUE(form.openFileButton()->isEnabled());

    // Choosing rows: a stream burns that stream alone, the file its path,
    // the closed-captions row the captions.
    form.trackList()->setCurrentIndex(2);
    VETrackChoice c = settings.streamChoice();
    EXPECT_EQ(c.subtlType, 0);
    EXPECT_EQ(c.subtitleTrack, 1);
    std::vector<VESubtitleTrackEntry> tracks = settings.config().subtitleTracks;
    EXPECT_FALSE(tracks[0].selected);
    EXPECT_TRUE(tracks[1].selected);
    EXPECT_FALSE(tracks[2].selected);
    EXPECT_TRUE(form.trackList()->isRowChecked(2));
    EXPECT_FALSE(form.trackList()->isRowChecked(0));

    form.trackList()->setCurrentIndex(4);
    c = settings.streamChoice();
    EXPECT_EQ(c.subtlType, -3);
    EXPECT_EQ(c.subtitleTrack, 2);
    EXPECT_EQ(QString::fromStdString(c.path), m_dir.filePath("film.srt"));
    EXPECT_EQ(form.pathField()->text(), m_dir.filePath("film.srt"));
    EXPECT_EQ(form.pathField()->toolTip(), m_dir.filePath("film.srt"));

    form.trackList()->setCurrentIndex(3);
    EXPECT_EQ(settings.streamChoice().subtlType, -2);
    form.trackList()->setCurrentIndex(0);
    EXPECT_EQ(settings.streamChoice().subtlType, -1);
    EXPECT_TRUE(form.pathField()->text().isEmpty());

    // The list shows a stored choice again.
    VETrackChoice stored = settings.streamChoice();
    stored.subtlType = -3;
    stored.subtitleTrack = 2;
    settings.setStreamChoice(stored);
    form.loadingSetting();
    EXPECT_EQ(form.trackList()->currentIndex(), 4);
}

TEST_F(SubtitleTab, sourceWithoutSubtitlesOffersNoneAndClosedCaptions)
{
    QVideoEditingSettings settings;
    settings.setConfig(itemConfig(fixture("h264_aac.mp4"), false));
    QSubtitleOperationForm form(&settings);
    form.loadingSetting();
    EXPECT_EQ(rows(form), QStringList({"No Subtitle", "Video Internet CC"}));
}

TEST_F(SubtitleTab, highSpeedModeCopiesStreamsAndTakesNoFiles)
{
    QVideoEditingSettings settings;
    settings.setConfig(itemConfig(m_twoStreams, true));
    QSubtitleOperationForm form(&settings);
    form.loadingSetting();
    const QStringList list = rows(form);
    ASSERT_EQ(list.size(), 4) << list.join('|').toStdString();
    EXPECT_EQ(list[0], "No Subtitle");
    EXPECT_EQ(list[1], "All Subtitle");
    EXPECT_FALSE(list.join('|').contains("film")); // the file beside the source is not listed
    EXPECT_FALSE(form.openFileButton()->isEnabled());
    EXPECT_FALSE(form.pathField()->isEnabled());
    // A new High-Speed item keeps every stream.
    EXPECT_TRUE(form.trackList()->isRowChecked(1));
    EXPECT_FALSE(form.trackList()->isRowChecked(0));

    // Unticking one stream: "All" goes off, the other stream stays.
    QTest::mouseClick(form.trackList()->rowCheckbox(3), Qt::LeftButton);
    std::vector<VESubtitleTrackEntry> tracks = settings.config().subtitleTracks;
    EXPECT_TRUE(tracks[0].selected);
    EXPECT_FALSE(tracks[1].selected);
    EXPECT_FALSE(form.trackList()->isRowChecked(1));
    EXPECT_EQ(settings.streamChoice().subtlType, 0);

    // Unticking the last one leaves "No Subtitle".
    QTest::mouseClick(form.trackList()->rowCheckbox(2), Qt::LeftButton);
    EXPECT_TRUE(form.trackList()->isRowChecked(0));
    EXPECT_EQ(settings.streamChoice().subtlType, -1);

    // "All Subtitle" ticks every stream again.
    QTest::mouseClick(form.trackList()->rowCheckbox(1), Qt::LeftButton);
    tracks = settings.config().subtitleTracks;
    EXPECT_TRUE(tracks[0].selected && tracks[1].selected);
    EXPECT_FALSE(form.trackList()->isRowChecked(0));
    EXPECT_EQ(settings.streamChoice().subtlType, 0);

    // "No Subtitle" unticks them all.
    QTest::mouseClick(form.trackList()->rowCheckbox(0), Qt::LeftButton);
    tracks = settings.config().subtitleTracks;
    EXPECT_FALSE(tracks[0].selected || tracks[1].selected);
    EXPECT_EQ(settings.streamChoice().subtlType, -1);

    QString error;
    EXPECT_FALSE(form.addSubtitleFile(m_dir.filePath("a.srt"), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(SubtitleTab, transparencyEditStoresTheAlphaOfItsPercent)
{
    QVideoEditingSettings settings;
    QSubtitleOperationForm form(&settings);
    form.loadingSetting();
    EXPECT_EQ(form.alphaEdit()->text(), "100");
    form.alphaEdit()->clear();
    QTest::keyClicks(form.alphaEdit(), "100");
    EXPECT_EQ(settings.subtitleStyle().alpha, 254);
    EXPECT_DOUBLE_EQ(form.alphaSlider()->value(), 254.0);
    form.alphaEdit()->clear();
    QTest::keyClicks(form.alphaEdit(), "50");
    EXPECT_EQ(settings.subtitleStyle().alpha, 127);
    form.alphaEdit()->clear();
    QTest::keyClicks(form.alphaEdit(), "250");
    EXPECT_EQ(form.alphaEdit()->text(), "100");
    EXPECT_EQ(settings.subtitleStyle().alpha, 254);

    // The slider's far left is invisible.
    QVoBaseSlider *slider = form.alphaSlider();
    QTest::mouseClick(slider, Qt::LeftButton, Qt::NoModifier, QPoint(slider->startMargin(), slider->height() / 2));
    EXPECT_EQ(settings.subtitleStyle().alpha, 0);
    EXPECT_EQ(form.alphaEdit()->text(), "0");
}

TEST_F(SubtitleTab, scaleEditIsHeldBetween25And400AndMovesTheSlider)
{
    QVideoEditingSettings settings;
    QSubtitleOperationForm form(&settings);
    form.loadingSetting();
    EXPECT_EQ(form.scaleEdit()->text(), "100");
    EXPECT_DOUBLE_EQ(form.scaleSlider()->value(), 2000.0);
    form.scaleEdit()->clear();
    QTest::keyClicks(form.scaleEdit(), "10");
    QTest::keyClick(form.scaleEdit(), Qt::Key_Return);
    EXPECT_EQ(form.scaleEdit()->text(), "25");
    EXPECT_EQ(settings.subtitleStyle().scale[0], 25);
    EXPECT_EQ(settings.subtitleStyle().scale[1], 25);
    EXPECT_NEAR(form.scaleSlider()->value(), 0.0, 1e-9);

    // Typing a longer number passes through small values on the way.
    form.scaleEdit()->clear();
    QTest::keyClicks(form.scaleEdit(), "200");
    EXPECT_EQ(settings.subtitleStyle().scale[0], 200);
    EXPECT_NEAR(form.scaleSlider()->value(), 3000.0, 1e-9);
    form.scaleEdit()->clear();
    QTest::keyClicks(form.scaleEdit(), "999");
    EXPECT_EQ(form.scaleEdit()->text(), "400");
    EXPECT_EQ(settings.subtitleStyle().scale[0], 400);

    // Near the middle the slider snaps to 100 %; a quarter of the way is 25 %... 50 %.
    QVoBaseSlider *slider = form.scaleSlider();
    const int track = slider->trackLength();
    QTest::mouseClick(slider, Qt::LeftButton, Qt::NoModifier,
                      QPoint(slider->startMargin() + track / 2 + 1, slider->height() / 2));
    EXPECT_EQ(settings.subtitleStyle().scale[0], 100);
    QTest::mouseClick(slider, Qt::LeftButton, Qt::NoModifier,
                      QPoint(slider->startMargin() + track / 4, slider->height() / 2));
    EXPECT_NEAR(settings.subtitleStyle().scale[0], 50, 2);
}

TEST_F(SubtitleTab, marginPositionAndResetWriteTheStyle)
{
    QVideoEditingSettings settings;
    QSubtitleOperationForm form(&settings);
    form.loadingSetting();
    EXPECT_EQ(form.marginEdit()->text(), "5");
    EXPECT_TRUE(form.positionButton(0)->isChecked());
    form.marginEdit()->clear();
    QTest::keyClicks(form.marginEdit(), "12");
    EXPECT_DOUBLE_EQ(settings.subtitleStyle().margin, 0.12);
    EXPECT_DOUBLE_EQ(form.marginSlider()->value(), 120.0);
    // A margin is at most the whole picture: more is taken as 100.
    form.marginEdit()->clear();
    QTest::keyClicks(form.marginEdit(), "250");
    EXPECT_EQ(form.marginEdit()->text(), "100");
    EXPECT_DOUBLE_EQ(settings.subtitleStyle().margin, 1.0);
    EXPECT_DOUBLE_EQ(form.marginSlider()->value(), 1000.0);
    QTest::mouseClick(form.positionButton(16), Qt::LeftButton);
    EXPECT_EQ(settings.subtitleStyle().position, 16);
    QTest::mouseClick(form.positionButton(32), Qt::LeftButton);
    EXPECT_EQ(settings.subtitleStyle().position, 32);

    form.reset();
    EXPECT_EQ(settings.subtitleStyle(), VESubtitleStyle());
    EXPECT_EQ(form.marginEdit()->text(), "5");
    EXPECT_TRUE(form.positionButton(0)->isChecked());
    EXPECT_EQ(settings.streamChoice().subtlType, -1);
}

TEST_F(SubtitleTab, subtitleFilesAreCheckedBeforeTheyAreAdded)
{
    QVideoEditingSettings settings;
    settings.setConfig(itemConfig(m_twoStreams, false));
    QSubtitleOperationForm form(&settings);
    form.loadingSetting();
    const int before = form.trackList()->count();

    struct Broken {
        const char *name;
        QByteArray bytes;
        const char *says;
    } broken[] = {
        {"words.srt", "no times in here\n", "no subtitle with a valid time"},
        {"picture.srt", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), "not a text subtitle file"},
        {"nohead.vtt", "00:01.000 --> 00:02.000\nx\n", "header is missing"},
        {"lyrics.lrc", "[00:01.00]la\n", "not a subtitle file this program reads"},
    };
    for (const Broken &b : broken) {
        writeFile(m_dir.filePath(b.name), b.bytes);
        QString error;
        EXPECT_FALSE(form.addSubtitleFile(m_dir.filePath(b.name), &error)) << b.name;
        EXPECT_TRUE(error.contains(b.says)) << error.toStdString();
        EXPECT_TRUE(error.contains(b.name)) << error.toStdString();
    }
    EXPECT_EQ(form.trackList()->count(), before);
    EXPECT_EQ(settings.config().subtitleTracks.size(), 3u);
    EXPECT_EQ(settings.streamChoice().subtlType, -1);

    // A Latin-1 file is taken, listed as "name (SRT)", chosen and burned.
    const QString latin = m_dir.filePath("movie.fr.srt");
    writeFile(latin, "1\n00:00:01,000 --> 00:00:02,000\nD\xE9j\xE0 vu\n");
    ASSERT_TRUE(form.addSubtitleFile(latin));
    ASSERT_EQ(form.trackList()->count(), before + 1);
    EXPECT_EQ(form.trackList()->itemText(before), "movie.fr (SRT)");
    EXPECT_EQ(form.trackList()->currentIndex(), before);
    EXPECT_TRUE(form.trackList()->isRowChecked(before));
    const VETrackChoice c = settings.streamChoice();
    EXPECT_EQ(c.subtlType, -3);
    EXPECT_EQ(c.subtitleTrack, 3);
    EXPECT_EQ(QString::fromStdString(c.path), latin);
    EXPECT_EQ(form.pathField()->text(), latin);
    const std::vector<VESubtitleTrackEntry> tracks = settings.config().subtitleTracks;
    ASSERT_EQ(tracks.size(), 4u);
    EXPECT_TRUE(tracks[3].selected);
    EXPECT_EQ(tracks[3].info.kind, 1);
    EXPECT_FALSE(tracks[0].selected || tracks[1].selected || tracks[2].selected);

    // The same file again is chosen, not listed twice.
    form.trackList()->setCurrentIndex(0);
    ASSERT_TRUE(form.addSubtitleFile(latin));
    EXPECT_EQ(form.trackList()->count(), before + 1);
    EXPECT_EQ(settings.streamChoice().subtlType, -3);
}

TEST_F(SubtitleTab, fontDialogWritesAtOnceAndCancelPutsTheLookBack)
{
    QVideoEditingSettings settings;
    QSubtitleSettingDlg dlg;
    dlg.setSettings(&settings);
    EXPECT_EQ(dlg.fontButton()->text(), "Default");
    dlg.outlineSize()->setValue(3.0);
    EXPECT_DOUBLE_EQ(settings.subtitleStyle().outlineSize, 3.0);
    dlg.spacingH()->setValue(1.5);
    EXPECT_DOUBLE_EQ(settings.subtitleStyle().spacingH, 1.5);
    QTest::mouseClick(dlg.cancelButton(), Qt::LeftButton);
    EXPECT_EQ(settings.subtitleStyle(), VESubtitleStyle());

    QSubtitleSettingDlg again;
    VESubtitleStyle big;
    big.fontSize = 30;
    big.bold = 1;
    big.fontColor = 0xffff0000;
    settings.setSubtitleStyle(big);
    again.setSettings(&settings);
    QTest::mouseClick(again.resetButton(), Qt::LeftButton);
    EXPECT_EQ(settings.subtitleStyle().fontColor, 0xffffffffu);
    EXPECT_EQ(settings.subtitleStyle().fontSize, 30); // size and weight are not reset
    EXPECT_EQ(settings.subtitleStyle().bold, 1);
    QTest::mouseClick(again.okButton(), Qt::LeftButton);
    EXPECT_EQ(settings.subtitleStyle().fontColor, 0xffffffffu);

    // Font and colours chosen in the dialog are written at once; Cancel
    // takes them back with the rest.
    QFontLookPanel::setFontChooser([](QFont &font, QWidget *) {
        font.setFamily("DejaVu Serif");
        font.setPointSize(24);
        font.setItalic(true);
        return true;
    });
    QFontLookPanel::setColorChooser([](QColor &color, QWidget *) {
        color = QColor(0, 128, 255, 160);
        return true;
    });
    const VESubtitleStyle opened = settings.subtitleStyle();
    QSubtitleSettingDlg chooser;
    chooser.setSettings(&settings);
    QTest::mouseClick(chooser.fontButton(), Qt::LeftButton);
    EXPECT_EQ(settings.subtitleStyle().fontName, "DejaVu Serif");
    EXPECT_EQ(settings.subtitleStyle().fontSize, 24);
    EXPECT_EQ(settings.subtitleStyle().italic, 1);
    EXPECT_EQ(chooser.fontButton()->text(), "DejaVu Serif");
    QTest::mouseClick(chooser.colorButton(QFontLookPanel::ShadowColor), Qt::LeftButton);
    EXPECT_EQ(settings.subtitleStyle().shadowColor, 0xa00080ffu);
    EXPECT_EQ(settings.subtitleStyle().fontColor, opened.fontColor);
    // A cancelled chooser changes nothing.
    QFontLookPanel::setColorChooser([](QColor &, QWidget *) { return false; });
    QTest::mouseClick(chooser.colorButton(QFontLookPanel::OutlineColor), Qt::LeftButton);
    EXPECT_EQ(settings.subtitleStyle().outlineColor, opened.outlineColor);
    QTest::mouseClick(chooser.cancelButton(), Qt::LeftButton);
    EXPECT_EQ(settings.subtitleStyle(), opened);
    QFontLookPanel::setFontChooser(nullptr);
    QFontLookPanel::setColorChooser(nullptr);
}
