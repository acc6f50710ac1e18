#include "AppPaths.h"
#include "Languages.h"
#include "ParserXML.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Languages, ShippedListKeepsFileOrder)
{
    EXPECT_EQ(languageNames(),
              (QStringList{"English", QString::fromUtf8("简体中文"), "Deutsch",
                           QString::fromUtf8("Français"), QString::fromUtf8("日本語")}));
}

TEST(Languages, IndexFromType)
{
    setLanguageIndex("Japanese");
    EXPECT_EQ(languageIndex(), 4);
    setLanguageIndex("German");
    EXPECT_EQ(languageIndex(), 2);
    setLanguageIndex("Korean");
    EXPECT_EQ(languageIndex(), 0);
    setLanguageIndex("");
    EXPECT_EQ(languageIndex(), 0);
}

TEST(Languages, UnknownNameGivesIndexZeroAndNoTranslator)
{
    setLanguageIndex("French");
    EXPECT_EQ(installLanguage("Klingon"), nullptr);
    EXPECT_EQ(languageIndex(), 0);
    EXPECT_EQ(installLanguage("English"), nullptr);
    EXPECT_EQ(languageIndex(), 0);
}

TEST(Languages, GermanTranslationIsInstalledAndRemoved)
{
    const char *source = "An instance has already been running.";
    ASSERT_NE(installLanguage("Deutsch"), nullptr);
    EXPECT_EQ(languageIndex(), 2);
    EXPECT_EQ(QCoreApplication::translate("main", source), "Es läuft bereits eine Instanz.");
    // Switching replaces the previous translator instead of stacking it.
    ASSERT_NE(installLanguage(QString::fromUtf8("日本語")), nullptr);
    EXPECT_EQ(languageIndex(), 4);
    EXPECT_NE(QCoreApplication::translate("main", source), "Es läuft bereits eine Instanz.");
    removeInstalledLanguage();
    EXPECT_EQ(QCoreApplication::translate("main", source), source);
}

TEST(Languages, EveryListedTranslationFileExists)
{
    for (const QString &name : languageNames()) {
        const QPair<QString, QString> entry = ParserXML::readLanguageEntry(languageListPath(), name);
        if (entry.second == "English")
            continue;
        EXPECT_TRUE(QFile::exists(appFolder() + "/Language/" + entry.first)) << entry.first.toStdString();
    }
}

TEST(Languages, LookupRulesOnAListOfOurOwn)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Language.xml");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<L><A Language_Name=\"X\" Language_File=\"x1.qm\" Language_Type=\"German\"/>"
            "<B Language_Name=\"Y\" Language_File=\"y.qm\" Language_Type=\"French\"/>"
            "<C Language_Name=\"X\" Language_File=\"x2.qm\" Language_Type=\"Chinese\"/></L>");
    f.close();
    EXPECT_EQ(ParserXML::listLanguageNames(path), (QStringList{"X", "Y", "X"}));
    // The last matching entry wins; no match gives empty strings.
    EXPECT_EQ(ParserXML::readLanguageEntry(path, "X"), qMakePair(QString("x2.qm"), QString("Chinese")));
    EXPECT_EQ(ParserXML::readLanguageEntry(path, "Z"), qMakePair(QString(), QString()));
    EXPECT_TRUE(ParserXML::listLanguageNames(dir.filePath("none.xml")).isEmpty());
}

TEST(Languages, SuspendedTranslatorComesBackOnlyIfStillTheInstalledOne)
{
    ASSERT_NE(installLanguage("Deutsch"), nullptr);
    const QString german = QCoreApplication::translate("QPreferencesDlg", "Cancel");
    ASSERT_NE(german, "Cancel");
    suspendInstalledLanguage();
    EXPECT_EQ(QCoreApplication::translate("QPreferencesDlg", "Cancel"), "Cancel");
    resumeInstalledLanguage();
    EXPECT_EQ(QCoreApplication::translate("QPreferencesDlg", "Cancel"), german);
    removeInstalledLanguage();
    resumeInstalledLanguage(); // nothing left to resume
    EXPECT_EQ(QCoreApplication::translate("QPreferencesDlg", "Cancel"), "Cancel");
}
