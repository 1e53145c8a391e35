// The whole program's start and end over a data directory: every window made once and wired, the
// default library made on a first start, the History opened, and the layout saved on closing.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QTemporaryDir>

#include "app/application_context.h"
#include "core/common/configuration.h"
#include "core/common/text_file.h"
#include "core/library/selection.h"
#include "support/fixtures.h"
#include "ui/shell/browser_window.h"
#include "ui/shell/main_window.h"
#include "ui/shell/save_dialog.h"

namespace tolvane {
namespace {

TEST(ApplicationContext, StartsOnTheDefaultLibraryWithTheHistoryAndSavesOnClosing)
{
    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("dynoruns"));
    const QStringList sweep = readTextLines(test::fixturePath(QStringLiteral("tools/sweep.SWP"))).lines;
    Configuration config(dir.filePath(QStringLiteral("ZezeDur_USB.Ini")), TextLocale::standard());
    ConfigChanges seed = config.changes();
    seed.set(ConfigKeys::CompanyName, QStringLiteral("Demo Motorcycles"));
    seed.set(ConfigKeys::CompanyAddr, QStringLiteral("Sparkford"));
    for (int n = 1; n <= 2; ++n) {
        const QString name = QStringLiteral("0%1dyno.SWP").arg(n);
        QDir().mkpath(root + QStringLiteral("/Yamaha/R1/Jenkins"));
        QStringList lines = sweep;
        lines[1] = QStringLiteral("Yamaha\\R1\\Jenkins\\") + name;
        writeTextLines(root + QStringLiteral("/Yamaha/R1/Jenkins/") + name, lines);
        seed.set(historyKey(n), QStringLiteral("\\") + lines[1]);
    }
    seed.set(ConfigKeys::FileIndex, 2);
    ASSERT_FALSE(config.apply(seed));

    {
        ApplicationContext context({QStringLiteral("tolvane"), QStringLiteral("--data-dir"), dir.path()});
        EXPECT_TRUE(context.mainWindow().isVisible());
        EXPECT_EQ(context.selection().runCount(), 2);
        EXPECT_EQ(QDir::cleanPath(context.browser().rootDirectory()), QDir::cleanPath(root));
        EXPECT_EQ(context.browser().Makecb()->currentText(), QStringLiteral("Yamaha"));
        context.mainWindow().close();
    }
    EXPECT_EQ(config.read(ConfigSettings::FileIndex), 2);
    EXPECT_EQ(config.read(ConfigKeys::FileMask, QString()), QStringLiteral("N/A"));
    EXPECT_EQ(QDir::cleanPath(config.read(ConfigKeys::RootDirectory, QString())), QDir::cleanPath(root));
}

TEST(ApplicationContext, FirstStartMakesTheDefaultLibrary)
{
    QTemporaryDir dir;
    Configuration config(dir.filePath(QStringLiteral("ZezeDur_USB.Ini")), TextLocale::standard());
    ConfigChanges seed = config.changes();
    seed.set(ConfigKeys::CompanyName, QStringLiteral("Demo Motorcycles"));
    seed.set(ConfigKeys::CompanyAddr, QStringLiteral("Sparkford"));
    seed.set(ConfigKeys::FileIndex, 0);
    ASSERT_FALSE(config.apply(seed));

    ApplicationContext context({QStringLiteral("tolvane"), QStringLiteral("--data-dir"), dir.path()});
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("dynoruns"))).isDir());
    EXPECT_TRUE(context.selection().isEmpty());
}

} // namespace
} // namespace tolvane
