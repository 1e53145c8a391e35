// Making a library folder from a typed path: parents made on the way, an existing folder accepted
// silently, a path that cannot be a folder refused with the warning.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/common/scripted_prompter.h"
#include "core/library/new_folder.h"

namespace tolvane {
namespace {

TEST(NewFolderTest, MakesExistingOrRefuses)
{
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("Ford/Focus")));
    QFile file(root.filePath(QStringLiteral("notes.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    struct Case {
        QString relative;
        bool made;
    };
    const Case cases[] = {
        {QStringLiteral("Ford/Focus/Smith/v1"), true}, // two missing levels
        {QStringLiteral("Ford/Focus"), true},          // already there: no warning
        {QStringLiteral("notes.txt"), false},          // a file of that name
        {QStringLiteral("notes.txt/sub"), false},      // below a file
    };
    for (const Case& c : cases) {
        ScriptedPrompter prompter;
        const QString path = root.filePath(c.relative);
        EXPECT_EQ(makeNewFolder(path, prompter), c.made) << c.relative.toStdString();
        EXPECT_EQ(QFileInfo(path).isDir(), c.made) << c.relative.toStdString();
        if (c.made) {
            EXPECT_TRUE(prompter.asked().empty());
        } else {
            ASSERT_EQ(prompter.asked().size(), 1u);
            EXPECT_EQ(prompter.asked()[0].text,
                      QStringLiteral("Cannot Make ") + path +
                          "  Make Sure Dir. Does Not Exist and is Less than 9 Char.");
            EXPECT_EQ(prompter.asked()[0].buttons, PromptButtons::Ok);
        }
    }
}

TEST(NewFolderTest, EmptyPathIsRefused)
{
    ScriptedPrompter prompter;
    EXPECT_FALSE(makeNewFolder(QString(), prompter));
    ASSERT_EQ(prompter.asked().size(), 1u);
    EXPECT_EQ(prompter.asked()[0].text,
              QStringLiteral("Cannot Make   Make Sure Dir. Does Not Exist and is Less than 9 Char."));
}

} // namespace
} // namespace tolvane
