// The folders and files the browser lists at each level of the library, and the levels of a
// file's place.
#include "core/library/library_tree.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace tolvane {
namespace {

void touch(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

class LibraryTreeTest : public ::testing::Test {
protected:
    LibraryTreeTest() : root(dir.path() + QStringLiteral("/dynoruns"))
    {
        for (const char* folder : {"yamaha", "Honda", ".cache", "Kawasaki/ZX-6R", "Kawasaki/z900",
                                   "Kawasaki/.hidden", "Kawasaki/Locked", "Kawasaki/Ninja"})
            QDir().mkpath(root + QLatin1Char('/') + QLatin1String(folder));
        QFile::link(root + QStringLiteral("/Kawasaki/Ninja"), root + QStringLiteral("/Kawasaki/Linked"));
        QFile::link(root + QStringLiteral("/Honda"), root + QStringLiteral("/HondaLink"));
        QFile::setPermissions(root + QStringLiteral("/Kawasaki/Locked"),
                              QFile::ReadOwner | QFile::ExeOwner | QFile::ReadUser | QFile::ExeUser);
        touch(root + QStringLiteral("/Kawasaki/02dyno.SWP"));
        touch(root + QStringLiteral("/Kawasaki/01dyno.STP"));
        touch(root + QStringLiteral("/Kawasaki/.step.scr"));
        touch(root + QStringLiteral("/Kawasaki/aNotes.txt"));
    }
    ~LibraryTreeTest() override
    {
        QFile::setPermissions(root + QStringLiteral("/Kawasaki/Locked"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QTemporaryDir dir;
    QString root;
};

TEST_F(LibraryTreeTest, MakeLevelListsEveryFolderSorted)
{
    EXPECT_EQ(listLibraryFolders(root, LibraryLevel::Make),
              (QStringList{".cache", "Honda", "HondaLink", "Kawasaki", "yamaha"}));
}

TEST_F(LibraryTreeTest, LowerLevelsListPlainFoldersOnly)
{
    // Hidden and linked folders are not plain folders; nor is a read-only one, where we are not
    // allowed to write (an administrator may write anywhere, so it stays plain for them).
    const bool lockedWritable = QFileInfo(root + QStringLiteral("/Kawasaki/Locked")).isWritable();
    QStringList expected{"Ninja", "z900", "ZX-6R"};
    if (lockedWritable)
        expected.insert(0, QStringLiteral("Locked"));
    EXPECT_EQ(listLibraryFolders(root + QStringLiteral("/Kawasaki"), LibraryLevel::BelowMake), expected);
}

TEST_F(LibraryTreeTest, FilesOnlyWithoutHiddenOnesSorted)
{
    EXPECT_EQ(listLibraryFiles(root + QStringLiteral("/Kawasaki")),
              (QStringList{"01dyno.STP", "02dyno.SWP", "aNotes.txt"}));
}

TEST_F(LibraryTreeTest, MissingOrEmptyFolderListsNothing)
{
    EXPECT_TRUE(listLibraryFolders(root + QStringLiteral("/Suzuki"), LibraryLevel::Make).isEmpty());
    EXPECT_TRUE(listLibraryFolders(QString(), LibraryLevel::Make).isEmpty());
    EXPECT_TRUE(listLibraryFiles(root + QStringLiteral("/Suzuki")).isEmpty());
    EXPECT_TRUE(listLibraryFiles(QString()).isEmpty());
}

TEST(LibraryFolderLevelsTest, LevelsBetweenRootAndFile)
{
    const QString root = QStringLiteral("/data/dynoruns");
    struct Case {
        const char* file;
        QStringList levels;
    };
    const Case cases[] = {
        {"/data/dynoruns/Ford/Focus/Smith/V2/01dyno.STP", {"Ford", "Focus", "Smith", "V2"}},
        {"/data/dynoruns/Ford/Focus/Smith/01dyno.STP", {"Ford", "Focus", "Smith"}},
        {"/data/dynoruns/Ford/01dyno.STP", {"Ford"}},
        {"/data/dynoruns/01dyno.STP", {}},
        {"/data/dynoruns/A/B/C/D/E/01dyno.STP", {"A", "B", "C", "D"}},
        {"/data/DYNORUNS/Ford/Focus/01dyno.STP", {"Ford", "Focus"}},
        {"/elsewhere/Ford/Focus/01dyno.STP", {}},
        {"/data/dynoruns2/Ford/01dyno.STP", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(libraryFolderLevels(root, QString::fromLatin1(c.file)), c.levels) << c.file;
}

} // namespace
} // namespace tolvane
