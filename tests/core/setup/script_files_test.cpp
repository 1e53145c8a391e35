#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/common/scripted_prompter.h"
#include "core/common/text_file.h"
#include "core/setup/script_files.h"
#include "core/setup/test_setup.h"
#include "core/setup/unit_settings.h"

using namespace tolvane;

namespace {

struct Page {
    ScriptedPrompter prompter;
    UnitSettings units;
    TestSetup setup{units, prompter, TextLocale::standard()};
    ScriptFiles files{setup, prompter};
};

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

TEST(ScriptFiles, SaveAppendsTheExtensionAndWritesCrLfLines)
{
    struct Case {
        const char* chosen;
        const char* path;
    };
    const Case cases[] = {{"test", "test.Script"},
                          {"test.Script", "test.Script"},
                          {"old.Script.bak", "old.Script.bak"},
                          {"test.script", "test.script.Script"}};
    for (const Case& c : cases)
        EXPECT_EQ(scriptFilePath(QString::fromLatin1(c.chosen)), QLatin1String(c.path)) << c.chosen;

    QTemporaryDir dir;
    Page p;
    p.setup.setScript({QStringLiteral("3000"), QStringLiteral("80% Throttle"), QStringLiteral("4000")});
    p.prompter.queueFile(dir.filePath(QStringLiteral("test")));
    ASSERT_TRUE(p.files.SaveScriptClick());
    ASSERT_EQ(p.prompter.fileRequests().size(), 1u);
    EXPECT_EQ(p.prompter.fileRequests().front().kind, FileDialogRequest::Kind::Save);
    EXPECT_EQ(p.prompter.fileRequests().front().filter, QLatin1String("Script files (*.Script)"));

    QFile written(dir.filePath(QStringLiteral("test.Script")));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), QByteArray("3000\r\n80% Throttle\r\n4000\r\n"));
    // Linux has no hidden attribute: the saved script stays listed under its own name.
    EXPECT_EQ(listScriptFiles(dir.path()), QStringList{QStringLiteral("test.Script")});

    // A save that cannot be written is reported; nothing else changes.
    p.prompter.queueFile(dir.filePath(QStringLiteral("no such folder/test")));
    EXPECT_FALSE(p.files.SaveScriptClick());
    EXPECT_EQ(p.prompter.asked().size(), 1u);
    EXPECT_EQ(p.prompter.asked().back().icon, PromptIcon::Error);
    p.prompter.queueFile(std::nullopt);
    EXPECT_FALSE(p.files.SaveScriptClick());
}

TEST(ScriptFiles, SearchOffersTheLastScriptOfTheCurrentTestsFolder)
{
    QTemporaryDir dir;
    writeBytes(dir.filePath(QStringLiteral("a.Script")), "5000\r\n6000\r\n");
    writeBytes(dir.filePath(QStringLiteral("B.script")), "7000\n8000\n");
    writeBytes(dir.filePath(QStringLiteral(".hidden.Script")), "9000\r\n");
    writeBytes(dir.filePath(QStringLiteral("07Smith.STP")), "not a script\r\n");
    const QString currentFile = dir.filePath(QStringLiteral("07Smith.STP"));

    Page p;
    EXPECT_EQ(listScriptFiles(dir.path()),
              (QStringList{QStringLiteral(".hidden.Script"), QStringLiteral("a.Script"),
                           QStringLiteral("B.script")}));
    p.setup.setChkScriptPending(true);
    p.prompter.queueAnswer(PromptAnswer::Yes);
    EXPECT_EQ(p.files.ChkScript(currentFile), ScriptFiles::Page::ScriptFiles);
    EXPECT_FALSE(p.setup.chkScriptPending());
    EXPECT_EQ(p.files.directory(), dir.path());
    ASSERT_EQ(p.prompter.asked().size(), 1u);
    EXPECT_EQ(p.prompter.asked().front().title, QLatin1String("Script Found"));
    EXPECT_EQ(
        p.prompter.asked().front().text,
        QLatin1String("A Script file has been found in this directory, would you like to use this file?."));
    EXPECT_EQ(p.prompter.asked().front().buttons, PromptButtons::YesNo);
    EXPECT_EQ(p.setup.script(), (QStringList{QStringLiteral("7000"), QStringLiteral("8000")}));

    Page no;
    no.setup.setScript({QStringLiteral("3000")});
    no.prompter.queueAnswer(PromptAnswer::No);
    EXPECT_EQ(no.files.ChkScript(currentFile), ScriptFiles::Page::RecordingParameters);
    EXPECT_EQ(no.setup.script(), QStringList{QStringLiteral("3000")});

    // A folder without scripts asks nothing.
    QTemporaryDir empty;
    Page none;
    none.setup.setChkScriptPending(true);
    EXPECT_EQ(none.files.ChkScript(empty.filePath(QStringLiteral("01x.STP"))), std::nullopt);
    EXPECT_TRUE(none.prompter.asked().empty());
    EXPECT_FALSE(none.setup.chkScriptPending());
}

TEST(ScriptFiles, LoadingReplacesTheScriptAndAFailedLoadKeepsIt)
{
    QTemporaryDir dir;
    writeBytes(dir.filePath(QStringLiteral("a.Script")), "5000\r\n6000\r\n");
    Page p;
    p.files.ChkScript(dir.filePath(QStringLiteral("x.STP"))); // the list moves to the folder; answered No
    p.prompter.clearRecord();
    p.setup.setScript({QStringLiteral("3000")});

    EXPECT_FALSE(p.files.ScriptLBDblClick(QStringLiteral("gone.Script")));
    EXPECT_EQ(p.setup.script(), QStringList{QStringLiteral("3000")});
    ASSERT_EQ(p.prompter.asked().size(), 1u);
    EXPECT_EQ(p.prompter.asked().front().icon, PromptIcon::Error);

    EXPECT_TRUE(p.files.ScriptLBDblClick(QStringLiteral("a.Script")));
    EXPECT_EQ(p.setup.script(), (QStringList{QStringLiteral("5000"), QStringLiteral("6000")}));

    QTemporaryDir other;
    writeBytes(other.filePath(QStringLiteral("far.Script")), "11000\r\n");
    p.prompter.queueFile(other.filePath(QStringLiteral("far.Script")));
    EXPECT_TRUE(p.files.BrowseScriptClick());
    EXPECT_EQ(p.setup.script(), QStringList{QStringLiteral("11000")});
    EXPECT_EQ(p.prompter.fileRequests().back().directory, dir.path());
    EXPECT_EQ(p.prompter.fileRequests().back().filter,
              QLatin1String("Script files (*.Script);;All files (*.*)"));
    EXPECT_EQ(p.files.directory(), dir.path()); // the list keeps its folder
}
