#include <gtest/gtest.h>

#include "core/common/data_paths.h"
#include "core/common/library_path.h"

using namespace tolvane;

TEST(LibraryPath, StoredPathsUseBackslashes)
{
    EXPECT_EQ(toStoredPath(QStringLiteral("Ford/Focus/Smith/01dyno.STP")), QLatin1String("Ford\\Focus\\Smith\\01dyno.STP"));
    EXPECT_EQ(fromStoredPath(QStringLiteral("Ford\\Focus\\Smith\\01dyno.STP")), QLatin1String("Ford/Focus/Smith/01dyno.STP"));
    EXPECT_EQ(storedPathBelow(QStringLiteral("/data/dynoruns"), QStringLiteral("/data/dynoruns/Ford/x.STP")),
              QLatin1String("Ford\\x.STP"));
    EXPECT_EQ(storedPathBelow(QStringLiteral("/data/dynoruns"), QStringLiteral("/data/other/x.STP")), QString());
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
        {"..\\dynoruns2\\x", nullptr},       // a sibling whose name starts like the root
    };
    for (const Case& c : cases) {
        const auto got = resolveInsideRoot(root, QString::fromLatin1(c.stored));
        if (c.expected)
            EXPECT_EQ(got, QString::fromLatin1(c.expected)) << c.stored;
        else
            EXPECT_FALSE(got) << c.stored;
    }
}

TEST(DataPaths, ChoosesOptionThenEnvironmentThenHome)
{
    qputenv("TOLVANE_DATA_DIR", "/env/dir");
    EXPECT_EQ(DataPaths::fromArguments({QStringLiteral("prog"), QStringLiteral("--data-dir"), QStringLiteral("/opt/x")}).dataDir(),
              QLatin1String("/opt/x"));
    EXPECT_EQ(DataPaths::fromArguments({QStringLiteral("prog")}).dataDir(), QLatin1String("/env/dir"));
    qunsetenv("TOLVANE_DATA_DIR");
    const DataPaths home = DataPaths::fromArguments({QStringLiteral("prog")});
    EXPECT_TRUE(home.dataDir().endsWith(QLatin1String("/tolvane")));
    EXPECT_EQ(home.usbIni(), home.dataDir() + QLatin1String("/ZezeDur_USB.Ini"));
    EXPECT_EQ(home.defaultLibraryRoot(), home.dataDir() + QLatin1String("/dynoruns"));
}
