// Our reader against Python's plistlib: files written by plistlib, binary
// and XML, must print (through plistdump) what plistlib reads back.
#include "TestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(PlistOracle, MatchesPythonPlistlib)
{
    QTemporaryDir work;
    const testsupport::ProcessResult r = testsupport::runProcess(
        "/usr/bin/python3",
        {testsupport::sourceDir() + "/tests/formats/plistlib_oracle.py", testsupport::appDir() + "/plistdump", work.path()},
        120000);
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.out.toStdString() << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("80 files, 0 mismatches")) << r.out.toStdString();
}

TEST(PlistOracle, PlistdumpReportsErrors)
{
    QTemporaryDir work;
    const testsupport::ProcessResult r =
        testsupport::runProcess(testsupport::appDir() + "/plistdump", {work.path() + "/missing.plist"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.trimmed().toStdString(), ("Can't open file: " + work.path() + "/missing.plist").toStdString());
    EXPECT_TRUE(r.out.isEmpty());
}
