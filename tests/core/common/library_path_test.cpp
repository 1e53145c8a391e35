#include <gtest/gtest.h>

#include "core/common/data_paths.h"
#include "core/common/library_path.h"

using namespace tolvane;

TEST(LibraryPath, StoredPathsUseBackslashes)
{
    EXPECT_EQ(toStoredPath(QStringLiteral("Ford/Focus/Smith/01dyno.STP")),
              QLatin1String("Ford\\Focus\\Smith\\01dyno.STP"));
    EXPECT_EQ(fromStoredPath(QStringLiteral("Ford\\Focus\\Smith\\01dyno.STP")),
              QLatin1String("Ford/Focus/Smith/01dyno.STP"));
    EXPECT_EQ(storedPathBelow(QStringLiteral("/data/dynoruns"), QStringLiteral("/data/dynoruns/Ford/x.STP")),
              QLatin1String("Ford\\x.STP"));
    EXPECT_EQ(storedPathBelow(QStringLiteral("/data/dynoruns"), QStringLiteral("/data/other/x.STP")),
              QString());
}

TEST(LibraryPath, ResolvesOnlyInsideTheRoot)
{
    const QString root = QStringLiteral("/data/dynoruns");
    struct Case {
        const char* stored;
        const char* expected; // nullptr: refused
    };
    const Case cases[] = {
        {"Ford\\Focus\\Smith\\01dyno.STP", "/data/dynoruns/Ford/Focus/Smith/01dyno.STP"},
        {"\\Ford\\x.STP", "/data/dynoruns/Ford/x.STP"}, // a leading separator still means below the root
        {"\\..\\x", nullptr},
        {"..\\..\\x", nullptr},
        {"Ford\\..\\..\\x", nullptr},
        {"Ford\\..\\Audi\\x.STP", "/data/dynoruns/Audi/x.STP"},
        {"c:\\tolvane\\x.STP", nullptr},
        {"", nullptr},
        {"..\\dynoruns2\\x", nullptr}, // a sibling whose name starts like the root
    };
    for (const Case& c : cases) {
        const auto got = resolveInsideRoot(root, QString::fromLatin1(c.stored));
        if (c.expected)
            EXPECT_EQ(got, QString::fromLatin1(c.expected)) << c.stored;
        else
            EXPECT_FALSE(got) << c.stored;
    }
}

// Every write that would leave the library is refused with the same words, whether the place was
// typed or came from a file's line 2.
TEST(LibraryPath, WritesOutsideTheRootAreRefusedWithOneText)
{
    const QString root = QStringLiteral("/data/dynoruns");
    EXPECT_FALSE(outsideLibraryRefusal(root, QStringLiteral("/data/dynoruns/Ford/x.STP")));
    EXPECT_EQ(
        outsideLibraryRefusal(root, QStringLiteral("/data/dynoruns/../x.STP")),
        QStringLiteral("Nothing was written: /data/x.STP lies outside the test library /data/dynoruns."));
    EXPECT_EQ(outsideLibraryRefusal(root, QStringLiteral("/data/dynoruns2/x.STP")),
              QStringLiteral("Nothing was written: /data/dynoruns2/x.STP lies outside the test library "
                             "/data/dynoruns."));
    EXPECT_TRUE(outsideLibraryRefusal(root, root)) << "the root itself is no file in the library";

    const LibraryTarget inside = storedPathTarget(root, QStringLiteral("Ford\\x.STP"));
    EXPECT_EQ(inside.path, QStringLiteral("/data/dynoruns/Ford/x.STP"));
    const LibraryTarget outside = storedPathTarget(root, QStringLiteral("..\\x.STP"));
    EXPECT_FALSE(outside.path);
    EXPECT_EQ(outside.refusal,
              QStringLiteral("Nothing was written: the file's path \"..\\x.STP\" (line 2) lies "
                             "outside the test library /data/dynoruns."));
}

TEST(DataPaths, ChoosesOptionThenEnvironmentThenHome)
{
    qputenv("TOLVANE_DATA_DIR", "/env/dir");
    EXPECT_EQ(DataPaths::fromArguments(
                  {QStringLiteral("prog"), QStringLiteral("--data-dir"), QStringLiteral("/opt/x")})
                  .dataDir(),
              QLatin1String("/opt/x"));
    EXPECT_EQ(DataPaths::fromArguments({QStringLiteral("prog")}).dataDir(), QLatin1String("/env/dir"));
    qunsetenv("TOLVANE_DATA_DIR");
    const DataPaths home = DataPaths::fromArguments({QStringLiteral("prog")});
    EXPECT_TRUE(home.dataDir().endsWith(QLatin1String("/tolvane")));
    EXPECT_EQ(home.usbIni(), home.dataDir() + QLatin1String("/ZezeDur_USB.Ini"));
    EXPECT_EQ(home.defaultLibraryRoot(), home.dataDir() + QLatin1String("/dynoruns"));
}
