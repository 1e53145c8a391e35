// The whole program's start and end over a data directory: every window made once and wired, the
// default library made on a first start, the History opened, and the layout saved on closing.
#include <gtest/gtest.h>

#include <functional>

#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QTemporaryDir>

#include "app/application_context.h"
#include "app/live_testing.h"
#include "core/common/configuration.h"
#include "core/common/scripted_prompter.h"
#include "core/common/text_file.h"
#include "core/library/selection.h"
#include "support/fixtures.h"
#include "support/ui_items.h"
#include "ui/analysis/graph_window.h"
#include "ui/shell/browser_window.h"
#include "ui/shell/directory_list.h"
#include "ui/acquisition/demo_dyno_window.h"
#include "ui/acquisition/step_test_window.h"
#include "ui/acquisition/sweep_test_window.h"
#include "ui/shell/main_window.h"
#include "ui/shell/save_dialog.h"

namespace tolvane {
namespace {

// A data directory whose default library holds runs 01dyno.SWP ... in Yamaha\R1\Jenkins, each the
// History entry of its number, File_Index = runs, and the company known.
void seedLibrary(const QTemporaryDir& dir, int runs)
{
    const QString folder = dir.filePath(QStringLiteral("dynoruns/Yamaha/R1/Jenkins"));
    const QStringList sweep = readTextLines(test::fixturePath(QStringLiteral("tools/sweep.SWP"))).lines;
    Configuration config(dir.filePath(QStringLiteral("ZezeDur_USB.Ini")), TextLocale::standard());
    ConfigChanges seed = config.changes();
    seed.set(ConfigKeys::CompanyName, QStringLiteral("Demo Motorcycles"));
    seed.set(ConfigKeys::CompanyAddr, QStringLiteral("Sparkford"));
    ASSERT_TRUE(QDir().mkpath(folder));
    for (int n = 1; n <= runs; ++n) {
        const QString name = QStringLiteral("0%1dyno.SWP").arg(n);
        QStringList lines = sweep;
        lines[1] = QStringLiteral("Yamaha\\R1\\Jenkins\\") + name;
        ASSERT_FALSE(writeTextLines(folder + QLatin1Char('/') + name, lines));
        seed.set(historyKey(n), QStringLiteral("\\") + lines[1]);
    }
    seed.set(ConfigKeys::FileIndex, runs);
    ASSERT_FALSE(config.apply(seed));
}

TEST(ApplicationContext, StartsOnTheDefaultLibraryWithTheHistoryAndSavesOnClosing)
{
    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("dynoruns"));
    ASSERT_NO_FATAL_FAILURE(seedLibrary(dir, 2));
    const Configuration config(dir.filePath(QStringLiteral("ZezeDur_USB.Ini")), TextLocale::standard());

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

// What one window changes reaches the others through the shared state and the context's wiring:
// the graph's colour the browser, the browser's pop-up menu the save dialog's folder list, and a
// removed run the File_Index the close saves.
TEST(ApplicationContext, WindowsFollowTheSharedStateTheyAreWiredTo)
{
    QTemporaryDir dir;
    ASSERT_NO_FATAL_FAILURE(seedLibrary(dir, 3));
    const Configuration config(dir.filePath(QStringLiteral("ZezeDur_USB.Ini")), TextLocale::standard());

    ScriptedPrompter prompter;
    {
        ApplicationContext context({QStringLiteral("tolvane"), QStringLiteral("--data-dir"), dir.path()},
                                   prompter);
        ASSERT_EQ(context.selection().runCount(), 3);

        prompter.queueColor(QStringLiteral("clNavy"));
        test::item(*context.graphWindow().contextMenu(), "Colors1").trigger();
        EXPECT_EQ(context.browser().palette().color(QPalette::Window), QColor(0, 0, 128));

        TTstTypeF& save = context.saveDialog();
        emit save.Dir1()->customContextMenuRequested(QPoint(2, 2));
        EXPECT_TRUE(context.browser().PopupMenu1()->isVisible());
        context.browser().PopupMenu1()->hide();

        // Run 2 removed, and the program closed before the graph caught up with a re-plot.
        context.browser().SelfilegDblClick(2, 1);
        context.mainWindow().close();
    }
    EXPECT_EQ(config.read(ConfigSettings::FileIndex), 2);
    EXPECT_TRUE(prompter.asked().empty());
}

// The Demo Dyno's controls stay on top of everything: back on the graph screen they are put away.
TEST(ApplicationContext, LeavingTheLiveWindowsForTheGraphScreenPutsTheDemoDynoAway)
{
    QTemporaryDir dir;
    ASSERT_NO_FATAL_FAILURE(seedLibrary(dir, 1));
    ScriptedPrompter prompter;
    ApplicationContext context({QStringLiteral("tolvane"), QStringLiteral("--data-dir"), dir.path()}, prompter);
    LiveTesting& live = context.liveTesting();
    ASSERT_NE(live.demoDynoWindow(), nullptr);

    for (const auto& leave : std::initializer_list<std::function<void()>>{
             [&] { emit live.stepWindow().graphsRequested(); }, [&] { emit live.sweepWindow().graphsRequested(); }}) {
        emit live.sweepWindow().demoDynoWindowRequested();
        ASSERT_TRUE(live.demoDynoWindow()->isVisible());
        leave();
        EXPECT_FALSE(live.demoDynoWindow()->isVisible());
        EXPECT_TRUE(context.mainWindow().isVisible());
    }
    EXPECT_TRUE(prompter.asked().empty());
}

} // namespace
} // namespace tolvane
