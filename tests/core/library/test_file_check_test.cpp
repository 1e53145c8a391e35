// Which files the browser opens as test runs, and the repair of a test file's own line 2.
#include "core/library/test_file_check.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

TEST(TestFileCheckTest, RefusalTextsAsTheOperatorReadsThem)
{
    EXPECT_EQ(systemExtensionText(), QStringLiteral("This file is off limits as it has a system extension."));
    EXPECT_EQ(testFileSizeText(),
              QStringLiteral("This file is off limits as it too large or small to be a valid test file."));
}

TEST(TestFileCheckTest, SystemExtensionsInUpperCaseAnywhereInThePath)
{
    struct Case {
        const char* path;
        bool refused;
    };
    const Case cases[] = {
        {"/lib/Ford/SETUP.EXE", true},
        {"/lib/Ford/ZezeDur_USB.INI", true},
        {"/lib/Ford/x.DLL", true},
        {"/lib/Ford/go.BAT", true},
        {"/lib/Ford/io.SYS", true},
        {"/lib/OLD.BATCH/01dyno.STP", true}, // anywhere in the path, not only at the end
        {"/lib/Ford/setup.exe", false},      // lower case passes, as it always has
        {"/lib/Ford/ZezeDur_USB.Ini", false},
        {"/lib/Ford/01dyno.STP", false},
        {"/lib/Ford/EXE", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(hasSystemExtension(QString::fromLatin1(c.path)), c.refused) << c.path;
}

TEST(TestFileCheckTest, SixteenToOneThousandLines)
{
    const std::pair<int, bool> cases[] = {{0, false},  {15, false},  {16, true},
                                          {500, true}, {1000, true}, {1001, false}};
    for (const auto& [lines, accepted] : cases)
        EXPECT_EQ(hasTestFileSize(lines), accepted) << lines;
}

QStringList testFile(const QString& line2)
{
    return {QStringLiteral("QV512e Auto Sweep   10/12/2026 14:02:11"), line2, QStringLiteral("third")};
}

TEST(TestFileCheckTest, LineTwoNamingTheFileStaysAsItIs)
{
    const QString root = QStringLiteral("/data/dynoruns");
    const QString file = QStringLiteral("/data/dynoruns/Ford/Focus/Smith/01dyno.STP");
    for (const char* line2 : {"Ford\\Focus\\Smith\\01dyno.STP", "ford\\FOCUS\\smith\\01DYNO.stp",
                              "\\Ford\\Focus\\Smith\\01dyno.STP"}) {
        const StoredPathRepair check = checkStoredPath(root, file, testFile(QString::fromLatin1(line2)));
        EXPECT_EQ(check.outcome, StoredPathRepair::Outcome::Unchanged) << line2;
    }
    EXPECT_EQ(checkStoredPath(root, file, {QStringLiteral("one line")}).outcome,
              StoredPathRepair::Outcome::Unchanged);
}

TEST(TestFileCheckTest, LineTwoIsRepairedToTheFilesOwnPlace)
{
    const QString root = QStringLiteral("/data/dynoruns");
    const QString file = QStringLiteral("/data/dynoruns/Ford/Focus/Jones/01dyno.STP");
    // Moved, renamed, leading out of the library, another drive, empty: always the file's place.
    for (const char* line2 : {"Ford\\Focus\\Smith\\01dyno.STP", "Ford\\Focus\\Jones\\old.STP", "..\\..\\x",
                              "c:\\tolvane\\dynoruns\\Ford\\x.STP", ""}) {
        const StoredPathRepair check = checkStoredPath(root, file, testFile(QString::fromLatin1(line2)));
        ASSERT_EQ(check.outcome, StoredPathRepair::Outcome::Repaired) << line2;
        EXPECT_EQ(check.lines, testFile(QStringLiteral("Ford\\Focus\\Jones\\01dyno.STP"))) << line2;
    }
}

// Only a test data file, known by its first line, is ever rewritten: a customer's notes or any
// other text in a vehicle folder keeps its line 2 whatever it says.
TEST(TestFileCheckTest, OnlyTestDataFilesAreRepaired)
{
    const struct {
        const char* firstLine;
        bool testFile;
    } cases[] = {
        {"QV512e -USB- Auto Step   10/12/2026 14:02:11", true},
        {"QV512e Auto Sweep   10/12/2026", true},
        {"Customer: J. Jenkins", false},
        {"", false},
        {"qv512e auto sweep", false},
    };
    const QString root = QStringLiteral("/data/dynoruns");
    const QString file = QStringLiteral("/data/dynoruns/Ford/Focus/Jones/customer-notes.txt");
    for (const auto& c : cases) {
        const QStringList lines{QString::fromLatin1(c.firstLine), QStringLiteral("Called back on Monday"),
                                QStringLiteral("third")};
        EXPECT_EQ(isTestDataFile(lines), c.testFile) << c.firstLine;
        EXPECT_EQ(checkStoredPath(root, file, lines).outcome,
                  c.testFile ? StoredPathRepair::Outcome::Repaired : StoredPathRepair::Outcome::Unchanged)
            << c.firstLine;
    }
    EXPECT_FALSE(isTestDataFile({}));
}

TEST(TestFileCheckTest, FileOutsideTheLibraryIsNeverWrittenFor)
{
    const StoredPathRepair check =
        checkStoredPath(QStringLiteral("/data/dynoruns"), QStringLiteral("/home/ann/01dyno.STP"),
                        testFile(QStringLiteral("..\\..\\x")));
    EXPECT_EQ(check.outcome, StoredPathRepair::Outcome::OutsideLibrary);
    EXPECT_TRUE(check.lines.isEmpty());
    EXPECT_TRUE(check.message.contains(QStringLiteral("/home/ann/01dyno.STP")));
    EXPECT_TRUE(check.message.contains(QStringLiteral("/data/dynoruns")));
}

} // namespace
} // namespace tolvane
