#include "FileDialogAnswer.h"
#include "AppPaths.h"
#include "ConfigState.h"
#include "ConvertWidget.h"
#include "GeneralWidget.h"
#include "Languages.h"
#include "ParserXML.h"
#include "QCheckButton.h"
#include "QImageButton.h"
#include "QPreferencesDlg.h"
#include "QTextImageButton.h"
#include "QVoComboBox.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// The settings file as saved once every change made so far has reached it.
QByteArray settingsBytes()
{
    ParserXML::flushWrites();
    QFile f(ParserXML::defaultSettingFile());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

template <typename T>
T *child(QWidget *dlg, const char *name)
{
    T *w = dlg->findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

void click(QWidget *w)
{
    ASSERT_NE(w, nullptr);
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(6, w->height() / 2));
}

// Picks a language the way the keyboard does: focus the combo and step.
void chooseLanguage(QVoComboBox *combo, const QString &name)
{
    const int target = combo->findText(name);
    ASSERT_GE(target, 0) << qPrintable(name);
    combo->setFocus();
    while (combo->currentIndex() != target)
        QTest::keyClick(combo, combo->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
}

class PreferencesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir(settingsFolder()).removeRecursively();
        QDir().mkpath(settingsFolder());
        removeInstalledLanguage();
        setLanguageIndex("English");
        ConfigState::instance().setConverterPath(QString());
    }
};

} // namespace

TEST_F(PreferencesTest, FreshProfileShowsTheDefaultsOnTheGeneralPage)
{
    QPreferencesDlg dlg;
    dlg.show();
    EXPECT_TRUE(child<GeneralWidget>(&dlg, "GeneralWidget")->isVisible());
    EXPECT_FALSE(child<ConvertWidget>(&dlg, "ConvertWidget")->isVisible());
    EXPECT_TRUE(dlg.pageButtons().at(0)->isSelected());
    EXPECT_FALSE(child<QCheckButton>(&dlg, "m_radAutoUpdate")->isChecked());
    EXPECT_TRUE(child<QCheckButton>(&dlg, "m_radCloseUpdate")->isChecked());
    EXPECT_TRUE(child<QCheckButton>(&dlg, "m_radExit")->isChecked());
    EXPECT_FALSE(child<QCheckButton>(&dlg, "m_radMin")->isChecked());
    auto *combo = child<QVoComboBox>(&dlg, "m_cmbLan");
    EXPECT_EQ(combo->currentText(), "English");
    EXPECT_EQ(combo->count(), languageNames().size());
    EXPECT_FALSE(child<QCheckButton>(&dlg, "m_chkShowDown")->isChecked());
    const QString folder = child<QLineEdit>(&dlg, "m_pathTextEdit")->text();
    EXPECT_EQ(folder, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/Zelvane Snipwell/Converted/");
    EXPECT_TRUE(QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/Zelvane Snipwell").exists());

    // The page buttons switch pages, one selected at a time.
    click(dlg.pageButtons().at(1));
    EXPECT_FALSE(child<GeneralWidget>(&dlg, "GeneralWidget")->isVisible());
    EXPECT_TRUE(child<ConvertWidget>(&dlg, "ConvertWidget")->isVisible());
    EXPECT_TRUE(dlg.pageButtons().at(1)->isSelected());
    EXPECT_FALSE(dlg.pageButtons().at(0)->isSelected());
}

TEST_F(PreferencesTest, ChoicesInAGroupAreExclusive)
{
    QPreferencesDlg dlg;
    dlg.show();
    auto *autoUpdate = child<QCheckButton>(&dlg, "m_radAutoUpdate");
    auto *noUpdate = child<QCheckButton>(&dlg, "m_radCloseUpdate");
    click(autoUpdate);
    EXPECT_TRUE(autoUpdate->isChecked());
    EXPECT_FALSE(noUpdate->isChecked());
    click(autoUpdate); // a second click keeps the choice
    EXPECT_TRUE(autoUpdate->isChecked());
    click(noUpdate);
    EXPECT_FALSE(autoUpdate->isChecked());
    EXPECT_TRUE(noUpdate->isChecked());
    click(child<QCheckButton>(&dlg, "m_radMin"));
    EXPECT_FALSE(child<QCheckButton>(&dlg, "m_radExit")->isChecked());
}

TEST_F(PreferencesTest, CancelWritesNothingAndReportsNoLanguageChange)
{
    const QString before = ParserXML::readItemValue("OutPut_path", "path_value", "/tmp/kept/");
    ConfigState::instance().setConverterPath(before);
    QPreferencesDlg dlg;
    dlg.show();
    const QByteArray opened = settingsBytes();
    QSignalSpy lang(&dlg, &QPreferencesDlg::emitLangugeChangeSet);
    QSignalSpy update(&dlg, &QPreferencesDlg::emitAutoUpdate);

    click(child<QCheckButton>(&dlg, "m_radAutoUpdate"));
    click(child<QCheckButton>(&dlg, "m_radMin"));
    chooseLanguage(child<QVoComboBox>(&dlg, "m_cmbLan"), QString::fromUtf8("日本語"));
    EXPECT_EQ(languageIndex(), 4); // previewing sets the layout index...
    click(dlg.pageButtons().at(1));
    click(child<QCheckButton>(&dlg, "m_chkShowDown"));
    click(child<QTextImageButton>(&dlg, "m_btnReset"));
    click(dlg.cancelButton());

    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(settingsBytes(), opened);
    EXPECT_EQ(ConfigState::instance().converterPath(), before);
    EXPECT_EQ(update.count(), 0);
    ASSERT_EQ(lang.count(), 1);
    EXPECT_FALSE(lang.at(0).at(0).toBool());
    EXPECT_EQ(languageIndex(), 0); // ...and a language not taken puts it back
}

TEST_F(PreferencesTest, OkWritesEveryValueAndTheChosenFolderWithASlash)
{
    QTemporaryDir target;
    ASSERT_TRUE(target.isValid());
    QPreferencesDlg dlg;
    dlg.show();
    QSignalSpy lang(&dlg, &QPreferencesDlg::emitLangugeChangeSet);
    QSignalSpy update(&dlg, &QPreferencesDlg::emitAutoUpdate);

    click(child<QCheckButton>(&dlg, "m_radAutoUpdate"));
    click(child<QCheckButton>(&dlg, "m_radMin"));
    chooseLanguage(child<QVoComboBox>(&dlg, "m_cmbLan"), "Deutsch");
    click(dlg.pageButtons().at(1));
    click(child<QCheckButton>(&dlg, "m_chkShowDown"));

    // The folder chooser is the toolkit's own dialog: pick the folder in it.
    bool sawChooser = false;
    QTimer::singleShot(0, [&] {
        auto *chooser = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!chooser)
            return;
        sawChooser = true;
        EXPECT_EQ(chooser->windowTitle(), "Save to");
        EXPECT_TRUE(chooser->testOption(QFileDialog::ShowDirsOnly));
        chooser->setDirectory(target.path());
        testsupport::chooseInFileDialog(chooser, target.path());
    });
    click(child<QTextImageButton>(&dlg, "m_btnChange"));
    ASSERT_TRUE(sawChooser);
    EXPECT_EQ(child<QLineEdit>(&dlg, "m_pathTextEdit")->text(), target.path() + "/");

    click(dlg.okButton());
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_TRUE(dlg.isAccepted());
    EXPECT_EQ(ParserXML::readItemValue("UPDATES_ITEM", "bIsAutoUpdate", "?"), "Y");
    EXPECT_EQ(ParserXML::readItemValue("CLOSE_ITEM", "bIsCloseDlg", "?"), "N");
    EXPECT_EQ(ParserXML::readItemValue("Language_item", "Language_Name", "?"), "Deutsch");
    EXPECT_EQ(ParserXML::readItemValue("SHOWDOWN_ITEM", "bIsShowDownComputer", "?"), "Y");
    EXPECT_EQ(ConfigState::instance().converterPath(), target.path() + "/");
    ASSERT_EQ(update.count(), 1);
    EXPECT_TRUE(update.at(0).at(0).toBool());
    ASSERT_EQ(lang.count(), 1);
    EXPECT_TRUE(lang.at(0).at(0).toBool());
    EXPECT_EQ(languageIndex(), 2);

    // What the main window does after the dialog: the folder becomes the setting.
    QPreferencesDlg::storeOutputFolder();
    EXPECT_EQ(ParserXML::readItemValue("OutPut_path", "path_value", "?"), target.path() + "/");

    // The next opening shows what was stored.
    QPreferencesDlg again;
    EXPECT_TRUE(child<QCheckButton>(&again, "m_radAutoUpdate")->isChecked());
    EXPECT_TRUE(child<QCheckButton>(&again, "m_radMin")->isChecked());
    EXPECT_EQ(child<QVoComboBox>(&again, "m_cmbLan")->currentText(), "Deutsch");
    EXPECT_TRUE(child<QCheckButton>(&again, "m_chkShowDown")->isChecked());
    EXPECT_EQ(child<QLineEdit>(&again, "m_pathTextEdit")->text(), target.path() + "/");
}

TEST_F(PreferencesTest, OkWithoutChangesKeepsTheChoicesAndSignalsNothingChanged)
{
    ParserXML::readItemValue("UPDATES_ITEM", "bIsAutoUpdate", "Y");
    QPreferencesDlg dlg;
    dlg.show();
    QSignalSpy lang(&dlg, &QPreferencesDlg::emitLangugeChangeSet);
    QSignalSpy update(&dlg, &QPreferencesDlg::emitAutoUpdate);
    // Closing the folder chooser without a choice leaves the folder alone.
    const QString shown = child<QLineEdit>(&dlg, "m_pathTextEdit")->text();
    QTimer::singleShot(0, [] {
        if (auto *chooser = qobject_cast<QFileDialog *>(QApplication::activeModalWidget()))
            chooser->reject();
    });
    click(dlg.pageButtons().at(1));
    click(child<QTextImageButton>(&dlg, "m_btnChange"));
    EXPECT_EQ(child<QLineEdit>(&dlg, "m_pathTextEdit")->text(), shown);

    click(dlg.okButton());
    EXPECT_EQ(update.count(), 0);
    ASSERT_EQ(lang.count(), 1);
    EXPECT_FALSE(lang.at(0).at(0).toBool());
    EXPECT_EQ(ParserXML::readItemValue("UPDATES_ITEM", "bIsAutoUpdate", "?"), "Y");
    EXPECT_EQ(ParserXML::readItemValue("SHOWDOWN_ITEM", "bIsShowDownComputer", "?"), "N");
    EXPECT_EQ(ConfigState::instance().converterPath(), shown);
}

TEST_F(PreferencesTest, ChoosingALanguagePreviewsItOnTheDialogOnly)
{
    QPreferencesDlg dlg;
    dlg.show();
    auto *combo = child<QVoComboBox>(&dlg, "m_cmbLan");
    chooseLanguage(combo, "Deutsch");
    EXPECT_EQ(dlg.cancelButton()->text(), "Abbrechen");
    EXPECT_EQ(dlg.pageButtons().at(0)->text(), "Allgemein");
    EXPECT_EQ(dlg.windowTitle(), "Einstellungen");
    // The translator lived only for the preview.
    EXPECT_EQ(QCoreApplication::translate("QPreferencesDlg", "Cancel"), "Cancel");

    chooseLanguage(combo, QString::fromUtf8("日本語"));
    EXPECT_EQ(dlg.cancelButton()->text(), QString::fromUtf8("キャンセル"));
    EXPECT_EQ(child<QCheckButton>(&dlg, "m_radExit")->text(), QString::fromUtf8("終了"));

    // Back to the language without a translation file.
    chooseLanguage(combo, "English");
    EXPECT_EQ(dlg.cancelButton()->text(), "Cancel");
    EXPECT_EQ(dlg.windowTitle(), "Preferences");

    EXPECT_FALSE(dlg.setLanguge(appFolder() + "/Language/missing.qm"));
    EXPECT_EQ(dlg.cancelButton()->text(), "Cancel");
    // A file that is not a translation changes nothing either.
    EXPECT_FALSE(dlg.setLanguge(appFolder() + "/Language/Language.xml"));
    EXPECT_EQ(dlg.cancelButton()->text(), "Cancel");
}

TEST_F(PreferencesTest, TheCloseButtonClosesLikeCancel)
{
    QPreferencesDlg dlg;
    dlg.show();
    const QByteArray opened = settingsBytes();
    QSignalSpy lang(&dlg, &QPreferencesDlg::emitLangugeChangeSet);
    chooseLanguage(child<QVoComboBox>(&dlg, "m_cmbLan"), "Deutsch");
    click(dlg.closeButton());
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(settingsBytes(), opened);
    ASSERT_EQ(lang.count(), 1);
    EXPECT_FALSE(lang.at(0).at(0).toBool());
}
