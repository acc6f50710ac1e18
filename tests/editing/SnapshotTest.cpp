// Snapshots of the editing dialog's preview: every snapshot lands in a file
// of its own, the picture format follows the setting, a folder that cannot
// take it says so, and the settings dialog shows and stores its choices.
#include "QCaptureSettingDlg.h"
#include "QMessageOpacityForm.h"
#include "QVideoEditingDlg.h"
#include "QVideoEditingSettings.h"
#include "QVoBaseButton.h"
#include "QVoComboBox.h"
#include "QVoLineEdit.h"
#include "QVoMessageBox.h"
#include "TestSupport.h"
#include "VoPlayerManager.h"

#include <QApplication>
#include <QDir>
#include <QJsonArray>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

using testsupport::fixture;

namespace {

std::unique_ptr<QVideoEditingDlg> loadedDialog()
{
    auto dlg = std::make_unique<QVideoEditingDlg>();
    dlg->setMediaSource(fixture("h264_aac.mp4"), 0, 0);
    dlg->setInitialConfig(VEEditConfig());
    dlg->show();
    return dlg;
}

QString codecOf(const QString &file)
{
    return testsupport::ffprobeJson(file)["streams"].toArray().first().toObject()["codec_name"].toString();
}

} // namespace

TEST(Snapshot, twoInOneMillisecondGiveTwoFilesInTheChosenFormat)
{
    QTemporaryDir dir;
    setImgFolder(dir.path());
    setImgSuffix("PNG");
    auto dlg = loadedDialog();
    QTRY_VERIFY_WITH_TIMEOUT(dlg->isLoaded(), 10000);
    dlg->player()->onPause();
    const QDateTime instant(QDate(2026, 3, 4), QTime(5, 6, 7, 89));
    dlg->setSnapshotClock([&] { return instant; });
    dlg->onSnapshot();
    dlg->onSnapshot();
    const QStringList shots = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(shots, QStringList({"ScreenCapture_20260304050607089.png", "ScreenCapture_20260304050607089_2.png"}));
    for (const QString &shot : shots)
        EXPECT_EQ(codecOf(dir.filePath(shot)), "png");
    ASSERT_NE(dlg->toast(), nullptr);
    EXPECT_EQ(dlg->toast()->text(), "Snapshot successfully!");
    // The message fades out by itself.
    QTRY_VERIFY_WITH_TIMEOUT(!dlg->toast()->isVisible(), 5000);

    // JPG, the default format, gives ".jpg" files in JPEG.
    QTemporaryDir jpgDir;
    setImgFolder(jpgDir.path());
    setImgSuffix("JPG");
    auto second = loadedDialog();
    QTRY_VERIFY_WITH_TIMEOUT(second->isLoaded(), 10000);
    second->onSnapshot();
    const QStringList jpgs = QDir(jpgDir.path()).entryList(QDir::Files);
    ASSERT_EQ(jpgs.size(), 1);
    EXPECT_TRUE(jpgs[0].endsWith(".jpg"));
    EXPECT_EQ(codecOf(jpgDir.filePath(jpgs[0])), "mjpeg");
}

TEST(Snapshot, aFolderThatCannotTakeTheFileSaysSo)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath("gone");
    setImgFolder(missing);
    setImgSuffix("PNG");
    auto dlg = loadedDialog();
    QTRY_VERIFY_WITH_TIMEOUT(dlg->isLoaded(), 10000);
    dlg->onSnapshot();
    ASSERT_NE(dlg->toast(), nullptr);
    EXPECT_EQ(dlg->toast()->text(), QString("\"%1\"is not exists").arg(missing));
    EXPECT_FALSE(QFileInfo::exists(missing));

    // A folder that exists but takes no files (even for an administrator).
    setImgFolder("/proc");
    auto readOnly = loadedDialog();
    QTRY_VERIFY_WITH_TIMEOUT(readOnly->isLoaded(), 10000);
    readOnly->onSnapshot();
    ASSERT_NE(readOnly->toast(), nullptr);
    EXPECT_TRUE(readOnly->toast()->text().contains("cannot be written")) << readOnly->toast()->text().toStdString();
    EXPECT_TRUE(QDir("/proc").entryList({"ScreenCapture_*"}).isEmpty());
}

TEST(Snapshot, settingsDialogShowsSlashesAndStoresOnlyOnOk)
{
    setImgFolder("C:\\Users\\me\\Snapshots");
    setImgSuffix("PNG");
    {
        QCaptureSettingDlg dlg;
        EXPECT_EQ(dlg.pathEdit()->text(), "C:/Users/me/Snapshots");
        EXPECT_EQ(dlg.formatCombo()->currentText(), "PNG");
        EXPECT_EQ(dlg.formatCombo()->itemText(0), "JPG");
        EXPECT_EQ(dlg.okButton()->size(), QSize(64, 28));
        dlg.formatCombo()->setCurrentIndex(0);
        QTest::mouseClick(dlg.cancelButton(), Qt::LeftButton);
        EXPECT_EQ(getImgSuffix(), "PNG");
    }

    QTemporaryDir dir;
    {
        QCaptureSettingDlg dlg;
        dlg.setPath(dir.path());
        dlg.formatCombo()->setCurrentIndex(0);
        QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
        EXPECT_EQ(getImgSuffix(), "JPG");
        EXPECT_EQ(getImgFolder(), dir.path());
    }
    {
        // OK with a folder that takes no files: a message, nothing stored.
        QCaptureSettingDlg dlg;
        dlg.setPath("/proc");
        dlg.show();
        QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
        // The message opens over the dialog without holding the click up.
        QTRY_VERIFY(QApplication::activeModalWidget() && QApplication::activeModalWidget() != &dlg);
        auto *box = qobject_cast<QVoMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        const QString seen = box->message();
        box->close();
        EXPECT_NE(dlg.result(), QDialog::Accepted);
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_TRUE(seen.contains("cannot be written")) << seen.toStdString();
        EXPECT_EQ(getImgFolder(), dir.path());
    }
}
