// Subtitles in converted files, judged by ffmpeg and ffprobe: a subtitle file
// chosen in the real dialog is burned into the picture at its time and only
// in its area, a Latin-1 file gives the same picture as its UTF-8 twin, the
// preview shows what the output gets, and the subtitle streams a High-Speed
// conversion keeps are the ones ticked in the Subtitle tab.
#include "PreviewComparison.h"

#include "QCheckboxCombobox.h"
#include "QComboboxCheckbox.h"
#include "QSubtitleOperationForm.h"
#include "QSubtitleSettingDlg.h"
#include "QVoDoubleSpinBox.h"
#include "QTextImageButton.h"
#include "QVideoEditTag.h"
#include "QVideoEditingDlg.h"
#include "QVideoEditingSettings.h"
#include "QVoBaseButton.h"
#include "QVoLineEdit.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QJsonArray>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

using previewcompare::PreviewComparison;
using testsupport::fixture;

namespace {

// One entry from 0.5 s to 2.0 s of a 5-second source.
const QByteArray kCueUtf8 = "1\r\n00:00:00,500 --> 00:00:02,000\r\nD\xC3\xA9j\xC3\xA0 vu \xC3\xA0 l'\xC3\xA9t\xC3\xA9\r\n";
const QByteArray kCueLatin1 = "1\r\n00:00:00,500 --> 00:00:02,000\r\nD\xE9j\xE0 vu \xE0 l'\xE9t\xE9\r\n";
const QByteArray kCuePlain = "1\r\n00:00:00,500 --> 00:00:02,000\r\nDeja vu a l'ete\r\n";

enum { SubtitleTabIndex = 4 };

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// PSNR of the same part of two pictures: the rows from top to bottom
// (fractions of the height).
double psnrRows(const QString &a, const QString &b, double top, double bottom)
{
    const QString crop = QString("crop=iw:ih*%1:0:ih*%2,format=rgb24").arg(bottom - top).arg(top);
    const auto r = testsupport::runProcess(
        "ffmpeg", {"-nostdin", "-hide_banner", "-i", a, "-i", b, "-lavfi",
                   QString("[0:v]%1[x];[1:v]%1[y];[x][y]psnr").arg(crop), "-f", "null", "-"});
    const QRegularExpressionMatch m = QRegularExpression("average:([0-9.]+|inf)").match(QString::fromUtf8(r.err));
    if (r.exitCode != 0 || !m.hasMatch())
        return NAN;
    return m.captured(1) == "inf" ? 100.0 : m.captured(1).toDouble();
}

// Answers the next file dialog with path, as a user picking the file.
void answerFileDialog(const QString &path)
{
    QTimer::singleShot(50, [path] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog) {
            answerFileDialog(path);
            return;
        }
        // Typed into the name field and confirmed with Enter.
        auto *name = dialog->findChild<QLineEdit *>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        name->setText(path);
        QTest::keyClick(name, Qt::Key_Return);
    });
}

class SubtitleOutput : public PreviewComparison {
protected:
    QString frameAt(const QString &video, double t, const QString &tag)
    {
        const QString png = m_dir.filePath(QString("%1_%2.png").arg(tag).arg(t));
        EXPECT_TRUE(previewcompare::outputFrame(video, t, png));
        return png;
    }

    // Encodes the fixture with a subtitle file burned in (edits otherwise as given).
    QString encodeWithFile(const QString &subtitle, const QString &tag, VEEditConfig edits = VEEditConfig())
    {
        edits.streamChoice.subtlType = -3;
        edits.streamChoice.path = subtitle.toUtf8().toStdString();
        const QString out = m_dir.filePath(tag + ".mp4");
        EXPECT_TRUE(previewcompare::encode(fixture("h264_aac.mp4"), out, edits));
        return out;
    }
};

} // namespace

TEST_F(SubtitleOutput, fileChosenInTheDialogIsBurnedAtItsTimeAndOnlyInItsArea)
{
    const QString latin = m_dir.filePath("holiday.srt");
    writeFile(latin, kCueLatin1);

    QVideoEditingDlg dlg;
    dlg.setMediaSource(fixture("h264_aac.mp4"), 0, 0);
    dlg.setInitialConfig(VEEditConfig());
    dlg.setBoundToTrim(true);
    dlg.show();
    QTRY_VERIFY_WITH_TIMEOUT(dlg.isLoaded(), 10000);
    QTest::mouseClick(dlg.tabBar()->button(SubtitleTabIndex), Qt::LeftButton);
    QSubtitleOperationForm *tab = dlg.subtitleForm();
    ASSERT_TRUE(tab->isVisible());
    EXPECT_EQ(tab->trackList()->count(), 2); // "No Subtitle", "Video Internet CC"
    answerFileDialog(latin);
    QTest::mouseClick(tab->openFileButton(), Qt::LeftButton);
    ASSERT_EQ(tab->trackList()->count(), 3);
    EXPECT_EQ(tab->trackList()->currentText(), "holiday (SRT)");
    EXPECT_EQ(tab->pathField()->text(), latin);
    EXPECT_TRUE(dlg.player()->editsShown());
    // "Set Font" opens the font dialog over the editing dialog; a thicker outline, OK.
    QTimer::singleShot(50, [] {
        QTRY_VERIFY(qobject_cast<QSubtitleSettingDlg *>(QApplication::activeModalWidget()));
        auto *font = qobject_cast<QSubtitleSettingDlg *>(QApplication::activeModalWidget());
        font->outlineSize()->setValue(2.0);
        QTest::mouseClick(font->okButton(), Qt::LeftButton);
    });
    QTest::mouseClick(tab->fontButton(), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(dlg.settings()->subtitleStyle().outlineSize, 2.0);
    QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
    ASSERT_EQ(dlg.result(), QDialog::Accepted);
    const VEEditConfig edits = dlg.editConfig();
    EXPECT_EQ(edits.streamChoice.subtlType, -3);
    EXPECT_DOUBLE_EQ(edits.subtitleStyle.outlineSize, 2.0);

    const QString withSubtitle = m_dir.filePath("with.mp4");
    ASSERT_TRUE(previewcompare::encode(fixture("h264_aac.mp4"), withSubtitle, edits));
    const QString without = m_dir.filePath("without.mp4");
    ASSERT_TRUE(previewcompare::encode(fixture("h264_aac.mp4"), without, VEEditConfig()));

    // While the entry is on: the upper picture is untouched, the lower part carries the text.
    const QString on = frameAt(withSubtitle, 1.2, "with"), onRef = frameAt(without, 1.2, "without");
    const double upper = psnrRows(on, onRef, 0.0, 0.6);
    const double lower = psnrRows(on, onRef, 0.6, 1.0);
    std::printf("subtitle on: upper %.1f dB, lower %.1f dB\n", upper, lower);
    EXPECT_GE(upper, 40.0);
    EXPECT_LT(lower, 30.0);
    // Before and after it the two outputs agree everywhere.
    EXPECT_GE(previewcompare::psnr(frameAt(withSubtitle, 0.2, "with"), frameAt(without, 0.2, "without")), 40.0);
    EXPECT_GE(previewcompare::psnr(frameAt(withSubtitle, 3.0, "with"), frameAt(without, 3.0, "without")), 40.0);
}

TEST_F(SubtitleOutput, latin1FileShowsTheSameLettersAsItsUtf8Twin)
{
    const QString latin = m_dir.filePath("latin.srt"), utf8 = m_dir.filePath("utf8.srt"),
                  plain = m_dir.filePath("plain.srt"), utf16 = m_dir.filePath("utf16.srt");
    writeFile(latin, kCueLatin1);
    writeFile(utf8, kCueUtf8);
    writeFile(plain, kCuePlain);
    QByteArray wide("\xFF\xFE", 2);
    const QString text = QString::fromUtf8(kCueUtf8);
    wide.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    writeFile(utf16, wide);

    const QString fromUtf8 = frameAt(encodeWithFile(utf8, "utf8"), 1.2, "utf8");
    const QString fromLatin = frameAt(encodeWithFile(latin, "latin"), 1.2, "latin");
    const QString fromUtf16 = frameAt(encodeWithFile(utf16, "utf16"), 1.2, "utf16");
    const QString fromPlain = frameAt(encodeWithFile(plain, "plain"), 1.2, "plain");
    EXPECT_GE(previewcompare::psnr(fromLatin, fromUtf8), 50.0);
    EXPECT_GE(previewcompare::psnr(fromUtf16, fromUtf8), 50.0);
    // The accents are there: the same words without them give another picture.
    const double unaccented = psnrRows(fromPlain, fromUtf8, 0.6, 1.0);
    std::printf("unaccented against accented text: %.1f dB\n", unaccented);
    EXPECT_LT(unaccented, 35.0);
}

TEST_F(SubtitleOutput, previewShowsTheBurnedFileAsTheOutputHasIt)
{
    const QString srt = m_dir.filePath("long.srt");
    writeFile(srt, "1\n00:00:00,000 --> 00:00:05,000\nShown the whole time\n");
    VEEditConfig edits;
    edits.streamChoice.subtlType = -3;
    edits.streamChoice.path = srt.toUtf8().toStdString();
    edits.subtitleStyle.position = 16; // top
    edits.subtitleStyle.fontColor = 0xffffff00;
    expectSame(edits, "burned_file");
}

TEST_F(SubtitleOutput, highSpeedOutputKeepsTheTickedSubtitleStreams)
{
    writeFile(m_dir.filePath("a.srt"), "1\n00:00:00,500 --> 00:00:02,000\nOne\n");
    writeFile(m_dir.filePath("b.srt"), "1\n00:00:00,500 --> 00:00:02,000\nTwo\n");
    const QString src = m_dir.filePath("two.mkv");
    const auto made = testsupport::runProcess(
        "ffmpeg", {"-nostdin", "-v", "error", "-y", "-i", fixture("h264_aac.mp4"), "-i", m_dir.filePath("a.srt"), "-i",
                   m_dir.filePath("b.srt"), "-map", "0", "-map", "1", "-map", "2", "-c:v", "copy", "-c:a", "copy",
                   "-c:s", "srt", "-metadata:s:s:0", "language=eng", "-metadata:s:s:1", "language=fre", src});
    ASSERT_EQ(made.exitCode, 0) << made.err.constData();

    const auto convert = [&](bool keepFirst, const QString &name) {
        VoVideoConvertItem item;
        EXPECT_TRUE(item.open(src));
        OutputFormatParams params;
        params.lossless = true;
        params.container = "mkv";
        params.extension = "mkv";
        params.videoCodecId = 0;
        params.audioCodecId = 0;
        item.applyOutputFormat(params);
        QVideoEditingSettings settings;
        settings.setConfig(item.m_editConfig);
        QSubtitleOperationForm tab(&settings);
        tab.loadingSetting();
        if (!keepFirst) // untick the English stream (row 2; rows 0 and 1 are "No Subtitle" and "All Subtitle")
            QTest::mouseClick(tab.trackList()->rowCheckbox(2), Qt::LeftButton);
        item.m_editConfig = settings.config();
        std::unique_ptr<ConvertJob> job(item.assembleConvertJob(params));
        EXPECT_TRUE(job);
        CAVConverter converter;
        previewcompare::Report report;
        const QString out = m_dir.filePath(name);
        EXPECT_TRUE(converter.StartConvert(src.toUtf8().constData(), out.toUtf8().constData(), *job, &report,
                                           &previewcompare::record, false));
        EXPECT_TRUE(QTest::qWaitFor([&] { return report.state.load() != 0; }, 60000));
        EXPECT_EQ(report.state.load(), 2);
        QStringList languages;
        for (const QJsonValue &s : testsupport::ffprobeJson(out)["streams"].toArray())
            if (s.toObject()["codec_type"].toString() == "subtitle")
                languages << s.toObject()["tags"].toObject()["language"].toString();
        return languages;
    };
    EXPECT_EQ(convert(true, "both.mkv"), QStringList({"eng", "fre"}));
    EXPECT_EQ(convert(false, "french.mkv"), QStringList({"fre"}));
}
