// The format dialog and its custom parameters panel worked with the mouse
// and keyboard over the shipped profile files and a private settings folder.
#include "FormatDialogDriver.h"

#include "AppPaths.h"
#include "ProfileCatalogue.h"
#include "QCheckButton.h"
#include "QVoCheckBox.h"
#include "TestSupport.h"

#include <QFileInfo>
#include <QLabel>
#include <QPropertyAnimation>
#include <QSignalSpy>

using namespace formatdriver;

namespace {

// Runs the dialog as the main window does, doing `work` once it is open.
int runWith(FormatWidget *dlg, const std::function<void()> &work)
{
    QTimer::singleShot(0, dlg, [dlg, work] {
        work();
        if (dlg->isVisible())
            dlg->OnBtnCancel();
    });
    return dlg->runModal(nullptr);
}

QString stored(const char *item, const char *attribute, const char *fallback)
{
    return ParserXML::readItemValue(item, attribute, fallback);
}

} // namespace

TEST(FormatDialogModes, FirstUseSelectsTheGeneralVideoDefaultsOfEachMode)
{
    FormatWidget *dlg = freshDialog();
    dlg->show();
    EXPECT_FALSE(dlg->isLosslessMode());
    EXPECT_EQ(dlg->encodingCategory(), "General Video");
    EXPECT_EQ(dlg->encodingId(), "4000");
    ASSERT_NE(dlg->encodingGrid()->selectedItem(), nullptr);
    EXPECT_EQ(dlg->encodingGrid()->selectedItem()->formatId(), "4000");
    EXPECT_EQ(dlg->encodingGrid()->selectedItem()->state(), 2);
    EXPECT_EQ(dlg->presetText(), "High Quality");

    click(child<QCheckButton>(dlg, "m_radLosslessMode"));
    EXPECT_TRUE(dlg->isLosslessMode());
    EXPECT_TRUE(OutputFormatParams::instance().lossless);
    EXPECT_EQ(dlg->losslessCategory(), "General Video");
    EXPECT_EQ(dlg->losslessId(), "3000");
    ASSERT_NE(dlg->losslessGrid()->selectedItem(), nullptr);
    EXPECT_EQ(dlg->losslessGrid()->selectedItem()->formatId(), "3000");
    EXPECT_EQ(dlg->devFormat(), "Original");

    // High-Speed: no quality to choose, no Set button on any tile, and the
    // frame-exact choice appears, off.
    EXPECT_FALSE(child<QVoComboBox>(dlg, "m_cmbQuality")->isEnabled());
    FormatItem *tile = pressTile(dlg, true, "General Video", "3002");
    ASSERT_NE(tile, nullptr);
    EXPECT_EQ(tile->state(), 2);
    EXPECT_FALSE(tile->setButton()->isVisible());
    auto *frameExact = child<QVoCheckBox>(dlg, "m_chkFrameExact");
    EXPECT_TRUE(frameExact->isVisible());
    EXPECT_FALSE(frameExact->isChecked());
    EXPECT_FALSE(dlg->settingDlg()->isVisible());

    // Back in Encoding mode the tile of the encoding grid has its Set button.
    click(child<QCheckButton>(dlg, "m_radCustomize"));
    EXPECT_FALSE(frameExact->isVisible());
    EXPECT_TRUE(child<QVoComboBox>(dlg, "m_cmbQuality")->isEnabled());
    EXPECT_TRUE(dlg->encodingGrid()->selectedItem()->setButton()->isVisible());
    dlg->OnBtnCancel();
}

TEST(FormatDialogModes, OnlyAModeSwitchReportsALosslessChange)
{
    FormatWidget *dlg = freshDialog();
    QSignalSpy modeChanges(dlg, &FormatWidget::emitLosslessChange);
    QSignalSpy accepted(dlg, &FormatWidget::settingChangeForFormat);

    // Quality only.
    runWith(dlg, [dlg] {
        chooseRow(child<QVoComboBox>(dlg, "m_cmbQuality"), 1);
        EXPECT_EQ(dlg->presetText(), "Small Size");
        click(child<QTextImageButton>(dlg, "m_btnOk"));
    });
    EXPECT_EQ(accepted.count(), 1);
    EXPECT_EQ(modeChanges.count(), 0);
    EXPECT_EQ(stored("VIDEO_QUALITY_ITEM", "quality_value", "1"), "0");

    // To High-Speed and accepted: one change.
    runWith(dlg, [dlg] {
        click(child<QCheckButton>(dlg, "m_radLosslessMode"));
        click(child<QTextImageButton>(dlg, "m_btnOk"));
    });
    EXPECT_EQ(modeChanges.count(), 1);
    EXPECT_EQ(stored("LOSSLESS_ITEM", "Lossless_convert", "N"), "Y");

    // Another lossless format, same mode: none.
    runWith(dlg, [dlg] {
        pressTile(dlg, true, "General Video", "3001");
        click(child<QTextImageButton>(dlg, "m_btnOk"));
    });
    EXPECT_EQ(modeChanges.count(), 1);
    EXPECT_EQ(OutputFormatParams::instance().container, "mp4");

    // Switched and cancelled: nothing changed, nothing reported.
    runWith(dlg, [dlg] { click(child<QCheckButton>(dlg, "m_radCustomize")); });
    EXPECT_EQ(modeChanges.count(), 1);
    EXPECT_TRUE(OutputFormatParams::instance().lossless);

    runWith(dlg, [dlg] {
        click(child<QCheckButton>(dlg, "m_radCustomize"));
        click(child<QTextImageButton>(dlg, "m_btnOk"));
    });
    EXPECT_EQ(modeChanges.count(), 2);
    EXPECT_FALSE(OutputFormatParams::instance().lossless);
    // Back in Encoding mode the format's record (made at Small Size, all
    // "Auto") is what the panel holds and what is written.
    const FormatProfile k =
        *ProfileCatalogue::encodingCatalogue().buildProfile("General Video", "4000", {}, {}, {}, {});
    EXPECT_EQ(dlg->presetText(), "Customized");
    EXPECT_EQ(OutputFormatParams::instance().width, 0);
    EXPECT_EQ(QString::number(OutputFormatParams::instance().videoBitrate) + " kbps", k.videoBitrateLow);
}

TEST(FormatDialogChoices, CustomizedRowFollowsTheTilesAndReturnsAfterOk)
{
    FormatWidget *dlg = freshDialog();
    dlg->show();
    auto *quality = child<QVoComboBox>(dlg, "m_cmbQuality");
    EXPECT_EQ(quality->count(), 2);

    pressTile(dlg, false, "General Video", "4003");
    EXPECT_EQ(quality->count(), 2);
    click(child<QTextImageButton>(dlg, "m_btnOk"));
    ASSERT_TRUE(ParserXML::readCustomRecord("4003").has_value());

    dlg->show();
    pressTile(dlg, false, "General Video", "4000");
    EXPECT_EQ(quality->count(), 2);
    EXPECT_EQ(dlg->quality(), HighQuality);
    EXPECT_EQ(dlg->presetText(), "High Quality");
    pressTile(dlg, false, "General Video", "4003");
    EXPECT_EQ(quality->count(), 3);
    EXPECT_EQ(dlg->quality(), Customized);
    EXPECT_EQ(dlg->presetText(), "Customized");
    pressTile(dlg, false, "HD Video", "4100");
    EXPECT_EQ(quality->count(), 2);
    EXPECT_EQ(dlg->presetText(), "High Quality");
    dlg->OnBtnCancel();
}

TEST(FormatDialogChoices, CancelRestoresStoredFormatModeQualityAndFrameExactChoice)
{
    FormatWidget *dlg = freshDialog();
    dlg->show();
    pressTile(dlg, false, "General Video", "4004");
    chooseRow(child<QVoComboBox>(dlg, "m_cmbQuality"), 1);
    click(child<QTextImageButton>(dlg, "m_btnOk"));
    const OutputFormatParams before = OutputFormatParams::instance();
    EXPECT_EQ(before.extension, "avi");

    dlg->show();
    pressTile(dlg, false, "Web", "4300");
    chooseRow(child<QVoComboBox>(dlg, "m_cmbQuality"), 0);
    EXPECT_EQ(dlg->encodingId(), "4300");
    click(child<QTextImageButton>(dlg, "m_btnCancel"));
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->encodingCategory(), "General Video");
    EXPECT_EQ(dlg->encodingId(), "4004");
    EXPECT_EQ(dlg->encodingGrid()->selectedItem()->formatId(), "4004");
    EXPECT_FALSE(dlg->isLosslessMode());
    EXPECT_EQ(OutputFormatParams::instance().extension, "avi");
    EXPECT_EQ(OutputFormatParams::instance().videoBitrate, before.videoBitrate);

    // A mode switch is dropped by Cancel (the close button) as well.
    dlg->show();
    click(child<QCheckButton>(dlg, "m_radLosslessMode"));
    auto *frameExact = child<QVoCheckBox>(dlg, "m_chkFrameExact");
    QTest::mouseClick(frameExact, Qt::LeftButton, Qt::NoModifier, QPoint(5, frameExact->height() / 2));
    EXPECT_TRUE(frameExact->isChecked());
    click(dlg->closeButton());
    EXPECT_FALSE(OutputFormatParams::instance().lossless);
    EXPECT_FALSE(OutputFormatParams::instance().frameExactCut);
    EXPECT_FALSE(dlg->isLosslessMode());

    // The frame-exact choice is stored only by OK, and Cancel brings back
    // what was stored.
    dlg->show();
    click(child<QCheckButton>(dlg, "m_radLosslessMode"));
    EXPECT_FALSE(frameExact->isChecked());
    QTest::mouseClick(frameExact, Qt::LeftButton, Qt::NoModifier, QPoint(5, frameExact->height() / 2));
    click(child<QTextImageButton>(dlg, "m_btnOk"));
    EXPECT_EQ(stored("FRAMEEXACT_ITEM", "bFrameExactCut", "N"), "Y");
    EXPECT_TRUE(OutputFormatParams::instance().frameExactCut);
    dlg->show();
    QTest::mouseClick(frameExact, Qt::LeftButton, Qt::NoModifier, QPoint(5, frameExact->height() / 2));
    EXPECT_FALSE(frameExact->isChecked());
    dlg->OnBtnCancel();
    EXPECT_TRUE(frameExact->isChecked());
    EXPECT_TRUE(OutputFormatParams::instance().frameExactCut);
    EXPECT_EQ(stored("FRAMEEXACT_ITEM", "bFrameExactCut", "N"), "Y");

    // Encoding mode never cuts frame-exactly, and does not forget the choice.
    dlg->show();
    click(child<QCheckButton>(dlg, "m_radCustomize"));
    click(child<QTextImageButton>(dlg, "m_btnOk"));
    EXPECT_FALSE(OutputFormatParams::instance().frameExactCut);
    EXPECT_EQ(stored("FRAMEEXACT_ITEM", "bFrameExactCut", "N"), "Y");
    dlg->show();
    click(child<QCheckButton>(dlg, "m_radLosslessMode"));
    EXPECT_TRUE(frameExact->isChecked());
    EXPECT_TRUE(OutputFormatParams::instance().frameExactCut);
    dlg->OnBtnCancel();
    EXPECT_FALSE(OutputFormatParams::instance().frameExactCut);
}

TEST(FormatDialogChoices, DoubleClickOnATileAcceptsLikeOk)
{
    FormatWidget *dlg = freshDialog();
    QSignalSpy accepted(dlg, &FormatWidget::settingChangeForFormat);
    QSignalSpy titles(dlg, &FormatWidget::sendDevFormatChange);
    dlg->show();
    clickTab(dlg->encodingTabs(), "Audio");
    FormatItem *tile = dlg->encodingGrid()->item("4400");
    ASSERT_NE(tile, nullptr);
    // A double click is a click and then the double-click event.
    QTest::mouseClick(tile, Qt::LeftButton, Qt::NoModifier, QPoint(30, 30));
    QTest::mouseDClick(tile, Qt::LeftButton, Qt::NoModifier, QPoint(30, 30));
    EXPECT_EQ(accepted.count(), 1);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(stored("FormatSet", "Format_ID", "4000"), "4400");
    EXPECT_EQ(stored("FormatSet", "Format_cate", "General Video"), "Audio");
    ASSERT_FALSE(titles.isEmpty());
    EXPECT_EQ(titles.last().at(0).toString(), "MP3 Audio");
    EXPECT_EQ(OutputFormatParams::instance().extension, "mp3");
}

TEST(FormatDialogForms, AdvancedListAnimatesAndWarnsOncePerRun)
{
    FormatWidget *dlg = freshDialog();
    dlg->show();
    click(child<QCheckButton>(dlg, "m_radLosslessMode"));
    EXPECT_EQ(dlg->height(), FormatWidget::kFullHeight);

    auto *hide = child<QTextImageButton>(dlg, "m_btnLosslessHidden");
    auto *show = child<QTextImageButton>(dlg, "m_btnLosslessShow");
    click(hide);
    EXPECT_EQ(dlg->heightAnimation()->state(), QAbstractAnimation::Running);
    QTRY_COMPARE(dlg->height(), FormatWidget::kCompactHeight);
    EXPECT_TRUE(dlg->isCompact());
    EXPECT_FALSE(dlg->losslessGrid()->isVisible());
    EXPECT_EQ(stored("Lossless_H", "Lossless_H_value", "Y"), "N");
    // OK and Cancel stay reachable in the compact form.
    EXPECT_LE(child<QTextImageButton>(dlg, "m_btnOk")->geometry().bottom(), FormatWidget::kCompactHeight);

    // Asking for the compact form again starts nothing.
    dlg->OnClickLosslessHidden();
    EXPECT_EQ(dlg->heightAnimation()->state(), QAbstractAnimation::Stopped);
    EXPECT_EQ(dlg->height(), FormatWidget::kCompactHeight);

    const int shownBefore = FormatWidget::attentionShownCount();
    {
        MessageCloser closer;
        click(show);
        QTRY_COMPARE(dlg->height(), FormatWidget::kFullHeight);
        click(hide);
        QTRY_COMPARE(dlg->height(), FormatWidget::kCompactHeight);
        click(show);
        QTRY_COMPARE(dlg->height(), FormatWidget::kFullHeight);
        EXPECT_EQ(closer.count(), shownBefore == 0 ? 1 : 0);
        if (closer.count() == 1) {
            EXPECT_TRUE(closer.lastText().contains("\"Original\""));
        }
    }
    EXPECT_EQ(FormatWidget::attentionShownCount(), 1);
    EXPECT_TRUE(dlg->losslessGrid()->isVisible());
    dlg->OnBtnCancel();
}

TEST(FormatPanel, AutoProfileWithHighQualityTakesTheProfileDefaults)
{
    FormatWidget *dlg = freshDialog();
    dlg->show();
    QSettingDlg *panel = dlg->settingDlg();
    openPanel(dlg, dlg->encodingGrid()->item("4000"));
    for (int c = 0; c < QSettingDlg::ComboCount; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(panel->value(QSettingDlg::Combo(c)), "Auto");
    }
    panel->applyToOutputParams();
    const FormatProfile k =
        *ProfileCatalogue::encodingCatalogue().buildProfile("General Video", "4000", {}, {}, {}, {});
    const OutputFormatParams &p = OutputFormatParams::instance();
    EXPECT_EQ(p.width, 0);
    EXPECT_EQ(p.height, 0);
    EXPECT_EQ(p.videoCodec, k.videoCodec);
    EXPECT_EQ(p.videoCodecId, 28);
    EXPECT_EQ(QString::number(p.videoBitrate) + " kbps", k.videoBitrateHigh);
    EXPECT_EQ(p.audioCodec, k.audioCodec);
    EXPECT_EQ(QString::number(p.audioBitrate) + " kbps", k.audioBitrateHigh);
    EXPECT_EQ(QString::number(p.sampleRate) + " Hz", k.sampleRateDefault);
    EXPECT_EQ(QString::number(p.channels), k.channel);
    EXPECT_EQ(p.quality, 90u);

    // Small Size takes the low rates.
    chooseRow(child<QVoComboBox>(dlg, "m_cmbQuality"), 1);
    panel->applyToOutputParams();
    EXPECT_EQ(QString::number(p.videoBitrate) + " kbps", k.videoBitrateLow);
    EXPECT_EQ(QString::number(p.audioBitrate) + " kbps", k.audioBitrateLow);
    EXPECT_EQ(p.quality, 50u);
    dlg->OnBtnCancel();
}

TEST(FormatPanel, TextsOfRatesAndSizesBecomeNumbers)
{
    FormatWidget *dlg = freshDialog();
    dlg->show();
    QSettingDlg *panel = dlg->settingDlg();
    openPanel(dlg, dlg->encodingGrid()->item("4000"));
    const OutputFormatParams &p = OutputFormatParams::instance();
    chooseValue(panel->combo(QSettingDlg::VFrame), "29.97 fps");
    chooseValue(panel->combo(QSettingDlg::VResolution), "1280*720");
    panel->applyToOutputParams();
    EXPECT_EQ(p.frameRateNum, 30000);
    EXPECT_EQ(p.frameRateDen, 1001);
    EXPECT_EQ(p.width, 1280);
    EXPECT_EQ(p.height, 720);
    chooseValue(panel->combo(QSettingDlg::VFrame), "25 fps");
    panel->applyToOutputParams();
    EXPECT_EQ(p.frameRateNum, 25);
    EXPECT_EQ(p.frameRateDen, 1);
    // The resolution choice decides the bit rates offered; the frame rate
    // picked before survives the reload.
    EXPECT_EQ(panel->value(QSettingDlg::VFrame), "25 fps");
    EXPECT_EQ(panel->value(QSettingDlg::VResolution), "1280*720");
    // Every combo shows the row it holds, after all those reloads.
    for (int c = 0; c < QSettingDlg::ComboCount; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(panel->combo(QSettingDlg::Combo(c))->drawText(), panel->combo(QSettingDlg::Combo(c))->currentText());
    }
    dlg->OnBtnCancel();
}

TEST(FormatPanel, ALowerBitRateTurnsThePresetCustomizedAndBack)
{
    FormatWidget *dlg = freshDialog();
    dlg->show();
    FormatItem *tile = pressTile(dlg, false, "HD Video", "4100");
    openPanel(dlg, tile);
    QSettingDlg *panel = dlg->settingDlg();
    QVoComboBox *bitrate = panel->combo(QSettingDlg::VBitRate);
    const int presetRow = bitrate->currentIndex();
    ASSERT_GT(presetRow, 0);
    click(panel->findChild<QTextImageButton *>("m_btnVideo"));
    chooseRow(bitrate, presetRow - 1);
    EXPECT_EQ(dlg->presetText(), "Customized");
    EXPECT_EQ(panel->effectiveQuality(), Customized);
    chooseRow(bitrate, presetRow);
    EXPECT_EQ(dlg->presetText(), "High Quality");
    EXPECT_EQ(panel->effectiveQuality(), HighQuality);

    // Accepted with the lower rate: stored as customized, and the next
    // conversion uses that rate.
    chooseRow(bitrate, presetRow - 1);
    const QString chosen = panel->value(QSettingDlg::VBitRate);
    click(child<QTextImageButton>(dlg, "m_btnOk"));
    EXPECT_EQ(stored("VIDEO_QUALITY_ITEM", "quality_value", "1"), "2");
    EXPECT_EQ(QString::number(OutputFormatParams::instance().videoBitrate) + " kbps", chosen);
    EXPECT_EQ(ParserXML::readCustomRecord("4100")->videoBitrate, chosen);

    // The next start applies the same values.
    OutputFormatParams::instance() = OutputFormatParams();
    dlg->applyStoredFormatAtStartup();
    EXPECT_EQ(dlg->presetText(), "Customized");
    EXPECT_EQ(QString::number(OutputFormatParams::instance().videoBitrate) + " kbps", chosen);
}

TEST(FormatPanel, OriginalAndAudioOnlyFormats)
{
    FormatWidget *dlg = freshDialog();
    dlg->show();
    click(child<QCheckButton>(dlg, "m_radLosslessMode"));
    pressTile(dlg, true, "General Video", "3000");
    click(child<QTextImageButton>(dlg, "m_btnOk"));
    const OutputFormatParams &p = OutputFormatParams::instance();
    EXPECT_TRUE(p.lossless);
    EXPECT_EQ(p.container, "Original");
    EXPECT_TRUE(p.extension.isEmpty());
    EXPECT_TRUE(p.videoCodec.isEmpty());
    EXPECT_TRUE(p.audioCodec.isEmpty());
    EXPECT_EQ(p.videoCodecId, 0);
    EXPECT_EQ(p.audioCodecId, 0);

    dlg->show();
    click(child<QCheckButton>(dlg, "m_radCustomize"));
    FormatItem *tile = pressTile(dlg, false, "Audio", "4405");
    openPanel(dlg, tile);
    QSettingDlg *panel = dlg->settingDlg();
    EXPECT_FALSE(panel->findChild<QTextImageButton *>("m_btnVideo")->isVisible());
    EXPECT_FALSE(panel->isVideoPageShown());
    EXPECT_TRUE(panel->combo(QSettingDlg::AEncoder)->isVisible());
    click(child<QTextImageButton>(dlg, "m_btnOk"));
    EXPECT_FALSE(p.lossless);
    EXPECT_TRUE(p.audioOnly);
    EXPECT_EQ(p.videoCodecId, -1);
    EXPECT_TRUE(p.videoCodec.isEmpty());
    EXPECT_EQ(p.width, 0);
    EXPECT_EQ(p.height, 0);
    EXPECT_EQ(p.container, "flac");
    EXPECT_EQ(p.audioCodec, "flac");
}

TEST(FormatIcons, EveryFormatOfBothProfilesHasItsPicture)
{
    int checked = 0;
    for (ProfileCatalogue *catalogue :
         {&ProfileCatalogue::encodingCatalogue(), &ProfileCatalogue::losslessCatalogue()}) {
        for (const QString &category : catalogue->getCategories()) {
            for (const FormatItemInfo &info : catalogue->getItems(category)) {
                SCOPED_TRACE((info.id + " " + info.icon).toStdString());
                for (const QString &suffix : {QString(".png"), QString("@2x.png")}) {
                    QString path = appFolder() + FormatItem::iconPath(info.icon);
                    path.replace(".png", suffix);
                    const QFileInfo file(path);
                    EXPECT_TRUE(file.exists()) << path.toStdString();
                    EXPECT_GT(file.size(), 0);
                    EXPECT_FALSE(QImage(path).isNull());
                }
                FormatItem tile(info.id, category, info.ext, info.title, info.icon, false);
                EXPECT_TRUE(tile.hasIcon());
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 60);
}

TEST(FormatPanel, SaysWhetherAnHdrSourceKeepsItsHdr)
{
    FormatWidget *dlg = freshDialog();
    dlg->show();
    QSettingDlg *panel = dlg->settingDlg();
    auto *note = child<QLabel>(dlg, "m_labHdr");
    ASSERT_NE(note, nullptr);
    dlg->setSourceHdr("HDR10");

    // H.265 carries HDR; H.264 gets the pictures in SDR.
    openPanel(dlg, pressTile(dlg, false, "General Video", "4001"));
    EXPECT_TRUE(note->isVisible());
    EXPECT_EQ(note->text(), "HDR kept");
    pressTile(dlg, false, "General Video", "4000");
    EXPECT_EQ(panel->hdrNote(), "HDR converted to SDR");
    EXPECT_TRUE(note->isVisible());

    // Within one format the note follows the codec the user picks.
    pressTile(dlg, false, "General Video", "4003");
    chooseValue(panel->combo(QSettingDlg::VEncoder), "H265");
    EXPECT_EQ(panel->hdrNote(), "HDR kept");
    chooseValue(panel->combo(QSettingDlg::VEncoder), "VP9");
    EXPECT_EQ(panel->hdrNote(), "HDR kept");
    chooseValue(panel->combo(QSettingDlg::VEncoder), "H264");
    EXPECT_EQ(panel->hdrNote(), "HDR converted to SDR");

    // An SDR source, or none, has nothing to say.
    dlg->setSourceHdr(QString());
    EXPECT_FALSE(note->isVisible());
    EXPECT_EQ(panel->hdrNote(), "");
    dlg->OnBtnCancel();
}
