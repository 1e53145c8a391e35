#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/common/scripted_prompter.h"
#include "core/library/file_name_proposal.h"
#include "core/setup/run_conditions.h"
#include "core/setup/test_setup.h"
#include "core/setup/unit_settings.h"

using namespace tolvane;

TEST(FileNameProposal, SequenceStemAndExtension)
{
    struct Case {
        const char* currentFile;
        int listed;
        const char* extension;
        const char* expected;
    };
    const Case cases[] = {
        {"/runs/Honda/CBR/05dyno.stp", 4, ".STP", "05dyno.STP"},
        {"/runs/Honda/CBR/12abc.swp", 9, ".QWS", "10abc.QWS"},
        {"/runs/Honda/CBR/07Smith.STP", 9, ".SWP", "10Smith.SWP"},
        {"/runs/07Smith.STP.bak", 0, ".flt", "01Smith.flt"}, // everything from the first "."
        {"/runs/07Smith", 2, ".mjt", "03Smith.mjt"},         // no "." keeps the whole stem
        {"/runs/x", 122, ".STP", "123.STP"},                 // at least two digits
        {"", 0, ".RLD", "01.RLD"},
        {"/runs/01dyno.STP", 0, "", "01dyno"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(
            proposeFileName(QString::fromLatin1(c.currentFile), c.listed, QString::fromLatin1(c.extension)),
            QLatin1String(c.expected))
            << c.currentFile;
}

TEST(FileNameProposal, SaveDialogAndSetupUseTheirOwnExtensionTables)
{
    struct Case {
        TestType type;
        const char* saveDialog;
        const char* setup;
    };
    const Case cases[] = {
        {TestType::StepTest, ".STP", ".STP"},  {TestType::RoadLoad, ".PTH", ".RLD"},
        {TestType::SweepTest, ".SWP", ".SWP"}, {TestType::QuickSweep, ".QWS", ".QWS"},
        {TestType::FloatBowl, ".SWP", ".flt"}, {TestType::MainJet, ".SWP", ".mjt"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(saveDialogExtension(c.type), QLatin1String(c.saveDialog));
        EXPECT_EQ(setupExtension(c.type), QLatin1String(c.setup));
    }
    EXPECT_EQ(saveDialogExtension(std::nullopt), QString());
}

TEST(FileNameProposal, CountsTheFilesTheSaveDialogLists)
{
    QTemporaryDir dir;
    for (const char* name : {"01a.STP", "02a.STP", "03a.SWP", "notes.txt", "04a.STP", "05a.STP", "06a.STP",
                             "07Smith.STP", "08a.STP", ".hidden"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    EXPECT_EQ(countListedFiles(dir.path()), 9); // no folders, no hidden files
    EXPECT_EQ(countListedFiles(QString()), 0);

    ScriptedPrompter prompter;
    UnitSettings units;
    TestSetup setup(units, prompter, TextLocale::standard());
    RunConditions saveDialog;
    saveDialog.setFolder(dir.path());
    const QString current = dir.filePath(QStringLiteral("07Smith.STP"));

    setup.TstTypRClick(TestType::SweepTest);
    proposeSetupFileName(setup, saveDialog, current);
    EXPECT_EQ(saveDialog.fileName(), QLatin1String("10Smith.SWP"));
    EXPECT_EQ(setup.text(TestSetup::Text::NFName), QLatin1String("10Smith.SWP"));

    setup.TstTypRClick(TestType::RoadLoad);
    proposeSetupFileName(setup, saveDialog, current);
    EXPECT_EQ(saveDialog.fileName(), QLatin1String("10Smith.RLD"));
    proposeSaveDialogFileName(saveDialog, current, setup.testType());
    EXPECT_EQ(saveDialog.fileName(), QLatin1String("10Smith.PTH")); // whichever proposed last stands
    EXPECT_EQ(setup.text(TestSetup::Text::NFName), QLatin1String("10Smith.RLD"));
}
