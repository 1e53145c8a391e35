// The main window of the whole program, made by the application's own wiring over a small library
// in a temporary data directory, with a scripted operator and modal dialogs answered without a
// modal loop: the menu, the start-up from a saved layout and from none (company check, History
// and File_Index, a window saved too small), the layout save read back, the Graph switches with
// their ticks, Refresh and the exit screen.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTableWidget>
#include <QTemporaryDir>

#include "app/application_context.h"
#include "core/analysis/graph_settings.h"
#include "core/analysis/run_plotter.h"
#include "core/analysis/series_model.h"
#include "core/analysis/viewer_state.h"
#include "core/common/configuration.h"
#include "core/common/data_paths.h"
#include "core/common/scripted_prompter.h"
#include "core/common/text_file.h"
#include "core/library/layout_settings.h"
#include "core/library/selection.h"
#include "core/setup/company_info.h"
#include "support/fixtures.h"
#include "support/ui_items.h"
#include "ui/analysis/graph_window.h"
#include "ui/analysis/run_viewer_window.h"
#include "ui/setup/hints_window.h"
#include "ui/setup/splash_window.h"
#include "ui/shell/browser_window.h"
#include "ui/shell/company_dialog.h"
#include "ui/shell/main_window.h"
#include "ui/shell/power_unit_dialog.h"

namespace tolvane {
namespace {

const QStringList RunFiles{QStringLiteral("Yamaha/R1/Jenkins/02dyno.SWP"),
                           QStringLiteral("Yamaha/R1/Jenkins/03dyno.SWP"),
                           QStringLiteral("Honda/CBR600RR/Okafor/02dyno.SWP")};

QString stored(const QString& relative)
{
    return QStringLiteral("\\") + QString(relative).replace(QLatin1Char('/'), QLatin1Char('\\'));
}

// The whole program over the test's data directory, made by the application's own wiring with a
// scripted operator: every window once, in the program's order, and the start-up.
class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest()
        : paths(dir.path()), root(dir.path() + QStringLiteral("/dynoruns")),
          config(paths.usbIni(), TextLocale::standard())
    {
        const QStringList sweep = readTextLines(test::fixturePath(QStringLiteral("tools/sweep.SWP"))).lines;
        for (const QString& relative : RunFiles) {
            EXPECT_TRUE(QDir().mkpath(QFileInfo(root + QLatin1Char('/') + relative).path()));
            QStringList lines = sweep;
            lines[1] = stored(relative).mid(1);
            EXPECT_FALSE(writeTextLines(root + QLatin1Char('/') + relative, lines));
        }
        ConfigChanges seed = config.changes();
        seed.set(ConfigKeys::RootDirectory, root);
        seed.set(ConfigKeys::CompanyName, QStringLiteral("Demo Motorcycles"));
        seed.set(ConfigKeys::CompanyAddr, QStringLiteral("Sparkford"));
        for (int n = 1; n <= 3; ++n)
            seed.set(historyKey(n), stored(RunFiles.at(n - 1)));
        seed.set(ConfigKeys::FileIndex, 3);
        // Within the 800 x 600 screen of the offscreen platform.
        seed.setWindowRect(LayoutWindow::Main, {0, 0, 560, 780});
        seed.setWindowRect(LayoutWindow::Directory, {44, 6, 244, 431});
        seed.setWindowRect(LayoutWindow::Graph, {239, 6, 544, 431});
        seed.setWindowRect(LayoutWindow::Notes, {44, 426, 544, 778});
        EXPECT_FALSE(config.apply(seed));
    }

    // The program starts over the data directory as it stands.
    void start()
    {
        app = std::make_unique<ApplicationContext>(
            QStringList{QStringLiteral("tolvane"), QStringLiteral("--data-dir"), dir.path()}, prompter);
        form = &app->mainWindow();
        splash = &app->splashWindow();
        graphWindow = &app->graphWindow();
        viewFiles = &app->runViewer();
        browser = &app->browser();
        selection = &app->selection();
        viewer = &app->viewer();
        chart = &app->chart();
        graph = &app->graphSettings();
        layout = &app->layout();
        companyInfo = &app->company();
    }

    // The program ends: every window goes, in the reverse order of creation.
    void destroy() { app.reset(); }

    QStringList gridPaths() const
    {
        QStringList result;
        for (const SelectionRow& row : selection->rows())
            result << QDir::fromNativeSeparators(row.path).mid(root.size() + 1);
        return result;
    }

    bool runsPlotted() const
    {
        const Series* power = chart->series(SeriesKey::Power + 1);
        return power != nullptr && !power->points.empty();
    }

    QTemporaryDir dir;
    DataPaths paths;
    QString root;
    Configuration config;
    ScriptedPrompter prompter;
    std::unique_ptr<ApplicationContext> app;

    TForm1* form = nullptr;
    Tsplashf* splash = nullptr;
    TGraph* graphWindow = nullptr;
    TViewFiles* viewFiles = nullptr;
    TDirForm* browser = nullptr;
    Selection* selection = nullptr;
    ViewerState* viewer = nullptr;
    SeriesModel* chart = nullptr;
    GraphSettings* graph = nullptr;
    LayoutSettings* layout = nullptr;
    CompanyInfo* companyInfo = nullptr;
};

TEST_F(MainWindowTest, MenuCaptionsShortcutsAndItemsNotYetAvailable)
{
    start();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("TOLVANE   QV512e    Eddy Current  Dynamometer"));
    QStringList menus;
    for (QAction* menu : form->menuBar()->actions())
        menus << menu->text();
    EXPECT_EQ(menus, (QStringList{"Files", "Graph", "History", "Tools", "Window", "&Help"}));

    struct Item {
        const char* name;
        const char* caption;
        const char* shortcut;
        bool visible;
        bool enabled;
    };
    const Item items[] = {
        {"NewTest1", "New Test", "F5", true, true},
        {"Savedtestlocation1", "Saved test location", "", true, true},
        {"PrintSelectedFiles1", "Print...", "", true, false},
        {"ExitAll1", "Exit", "Alt+F4", true, true},
        {"Refresh1", "Refresh", "Alt+R", true, true},
        {"FindComPort1", "Find Com Ports...", "", true, false},
        {"Cal1", "Calibrate DAQ Unit...", "", true, false},
        {"PowerUnit1", "Power Units", "", true, true},
        {"ChangeInertia1", "Change Inertia...", "", true, true},
        {"ChangeTachRatio1", "Change Tach. Ratio...", "", true, true},
        {"RefreshDirectorys1", "Refresh Directorys", "Alt+F5", true, true},
        {"Default1", "Default", "", true, true},
        {"AsSaved1", "As Saved", "", true, true},
        // Hidden items are in the menu but cannot be chosen there.
        {"Save1", "Save Layout", "", false, false},
        {"Show_Browser", "Help...", "", false, false},
        {"HintBrowser1", "Hints...", "Alt+F1", false, false},
        {"BugList1", "Bug List...", "", true, false},
        {"EnableHintWindows1", "Show New Test Hints", "", true, true},
        {"TolvaneWEB1", "Tolvane WEB", "", true, true},
        {"About1", "&About...", "", true, true},
    };
    for (const Item& item : items) {
        SCOPED_TRACE(item.caption);
        QAction* action = &test::item(*form->menuBar(), item.name);
        EXPECT_EQ(action->text(), QString::fromLatin1(item.caption));
        EXPECT_EQ(action->shortcut().toString(), QString::fromLatin1(item.shortcut));
        EXPECT_EQ(action->isVisible(), item.visible);
        EXPECT_EQ(action->isEnabled(), item.enabled);
    }
    // So are the child windows' items of windows still to come.
    for (const char* name : {"GraphAll1", "PrintGraph1"})
        EXPECT_FALSE(test::item(*graphWindow->contextMenu(), name).isEnabled()) << name;
    for (const char* name : {"CompareNotes1", "Print1"})
        EXPECT_FALSE(test::item(*viewFiles->contextMenu(), name).isEnabled()) << name;
    // Every way to a new test is open.
    EXPECT_TRUE(test::item(*graphWindow->contextMenu(), "GotoTest1").isEnabled());
    EXPECT_TRUE(test::item(*viewFiles->contextMenu(), "GotoTest1").isEnabled());
    EXPECT_TRUE(test::item(*browser->PopupMenu1(), "GoToTest1").isEnabled());
    EXPECT_TRUE(test::item(*browser->PopupMenu1(), "ClearAll1").isEnabled());

    // The hidden hints item's key works all the same.
    const QList<QShortcut*> keys = form->findChildren<QShortcut*>();
    ASSERT_EQ(keys.size(), 1);
    EXPECT_EQ(keys.first()->key(), QKeySequence(QStringLiteral("Alt+F1")));

    QStringList graphItems;
    for (QAction* item : form->menuBar()->actions().at(1)->menu()->actions())
        graphItems << (item->isSeparator() ? QStringLiteral("-")
                                           : item->text() + (item->isChecked() ? "*" : ""));
    EXPECT_EQ(graphItems, (QStringList{"Refresh", "-", "RPM*", "MPH", "-", "HP*", "Torque*", "CO%*", "-",
                                       "Corrected*", "Uncorrected", "-", "Grid Lines*"}));
}

TEST_F(MainWindowTest, StartUpRestoresTheLayoutAndPlotsTheHistory)
{
    start();
    EXPECT_TRUE(prompter.modalWindows().isEmpty())
        << prompter.modalWindows().join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(form->layoutReady());
    EXPECT_EQ(form->frameGeometry(), QRect(0, 0, 780, 560));
    const GraphScreenRects rects = form->childRects();
    EXPECT_EQ(rects.browser, QRect(0, 0, 425, 200));
    EXPECT_EQ(rects.graph, QRect(0, 195, 425, 305));
    EXPECT_EQ(rects.viewer, QRect(420, 0, 352, 500));

    // File_Index 3: History 3, 2, 1 in rows 1, 2, 3, and plotted.
    EXPECT_EQ(gridPaths(), (QStringList{RunFiles[2], RunFiles[1], RunFiles[0]}));
    EXPECT_TRUE(runsPlotted());
    EXPECT_EQ(viewer->fileIndex(), 3);
    EXPECT_EQ(QDir::fromNativeSeparators(viewer->currentFile()), root + QStringLiteral("/") + RunFiles[0]);
    EXPECT_EQ(form->historyMenu()->actions().at(0)->text(), stored(RunFiles[0]));
    // The exit screen is ready: its buttons show, the company fields are editable.
    EXPECT_FALSE(splash->isVisible());
    EXPECT_FALSE(splash->comp1()->isReadOnly());
    EXPECT_EQ(companyInfo->name(), QStringLiteral("Demo Motorcycles"));
    EXPECT_EQ(splash->comp1()->text(), QStringLiteral("Demo Motorcycles"));
}

TEST_F(MainWindowTest, OneHistoryRunIsAddedButNotPlotted)
{
    config.write(ConfigKeys::FileIndex, 1);
    start();
    EXPECT_EQ(gridPaths(), QStringList{RunFiles[0]});
    EXPECT_FALSE(runsPlotted());
    form->Refresh1Click();
    EXPECT_TRUE(runsPlotted());
}

TEST_F(MainWindowTest, MissingHistoryFileIsSkippedAndStaysInTheMenu)
{
    QFile::remove(root + QLatin1Char('/') + RunFiles[1]);
    start();
    EXPECT_EQ(gridPaths(), (QStringList{RunFiles[2], RunFiles[0]}));
    EXPECT_EQ(form->historyMenu()->actions().at(1)->text(), stored(RunFiles[1]));
    EXPECT_TRUE(prompter.asked().empty());
}

TEST_F(MainWindowTest, StartUpAsksForTheCompanyWhenEitherFieldIsEmpty)
{
    config.write(ConfigKeys::CompanyAddr, QString());
    start();
    EXPECT_EQ(prompter.modalWindows(), QStringList{QStringLiteral("TCmpNamef")});
    // Its OK leads on to the root directory.
    app->companyDialog().OKBtnClick();
    EXPECT_EQ(prompter.modalWindows().last(), QStringLiteral("TCngDir"));
}

TEST_F(MainWindowTest, UnopenableRootShowsTheRootDirectoryDialog)
{
    config.write(ConfigKeys::RootDirectory, dir.path() + QStringLiteral("/nowhere"));
    start();
    EXPECT_EQ(prompter.modalWindows(), QStringList{QStringLiteral("TCngDir")});
}

// A first start has no saved layout: the graph screen comes up maximised over the screen in the
// default layout for that size, instead of the small rectangles of an empty configuration.
TEST_F(MainWindowTest, FirstStartFillsTheScreenInTheDefaultLayout)
{
    QStringList ini = readTextLines(paths.usbIni()).lines;
    const qsizetype section = ini.indexOf(QStringLiteral("[Window Position]"));
    ASSERT_GE(section, 0);
    qsizetype end = section + 1;
    while (end < ini.size() && !ini.at(end).startsWith(QLatin1Char('[')))
        ++end;
    ini.remove(section, end - section);
    ASSERT_FALSE(writeTextLines(paths.usbIni(), ini));
    // The sample History entry of a first start names folders that do not exist.
    config.write(historyKey(1), QStringLiteral("\\Demo\\Dyno\\Sample\\01dyno.STP"));

    start();
    EXPECT_TRUE(form->isMaximized());
    EXPECT_TRUE(form->frameGeometry().contains(form->screen()->availableGeometry()));
    const QSize outer = form->frameGeometry().size();
    const GraphScreenRects expected = GraphScreenLayout::defaults(outer.width(), outer.height());
    EXPECT_EQ(form->childRects().browser, expected.browser);
    EXPECT_EQ(form->childRects().graph, expected.graph);
    EXPECT_EQ(form->childRects().viewer, expected.viewer);
    EXPECT_GE(form->childRects().browser.height(), 200);
    EXPECT_EQ(browser->Makecb()->findText(QStringLiteral("Demo")), -1);
}

TEST_F(MainWindowTest, SavedWindowSizesAtTheLimits)
{
    struct Case {
        WindowRect saved;
        bool defaultLayout;
    };
    // Less than 200 high: maximised and the default layout; 200 high and narrow: as saved.
    for (const Case& c : {Case{{0, 0, 199, 780}, true}, Case{{10, 20, 210, 270}, false}}) {
        SCOPED_TRACE(c.saved.bottom);
        config.write(ConfigKeys::FileIndex, 0);
        ConfigChanges changes = config.changes();
        changes.setWindowRect(LayoutWindow::Main, c.saved);
        config.apply(changes);
        start();
        if (c.defaultLayout) {
            EXPECT_TRUE(form->isMaximized());
            const QSize outer = form->frameGeometry().size();
            EXPECT_EQ(form->childRects().browser,
                      GraphScreenLayout::defaults(outer.width(), outer.height()).browser);
            EXPECT_EQ(form->childRects().viewer,
                      GraphScreenLayout::defaults(outer.width(), outer.height()).viewer);
        } else {
            EXPECT_EQ(form->frameGeometry(), QRect(20, 10, 250, 200));
        }
        destroy();
    }
}

TEST_F(MainWindowTest, AbsurdSavedLayoutFontAndColourAreHeldInBounds)
{
    ConfigChanges changes = config.changes();
    changes.set(ConfigKeys::NotesFont, 100000);
    changes.set(ConfigKeys::Colors, QStringLiteral("clNothing"));
    changes.setWindowRect(LayoutWindow::Main, {0, 0, 100000, 100000});
    changes.setWindowRect(LayoutWindow::Graph, {-50000, -50000, 100000, 100000});
    config.apply(changes);
    start();
    const QRect screen = form->screen()->availableVirtualGeometry();
    EXPECT_LE(form->frameGeometry().width(), screen.width());
    EXPECT_LE(form->frameGeometry().height(), screen.height());
    EXPECT_LE(form->childRects().graph.width(), form->clientArea()->width());
    EXPECT_TRUE(form->childRects().graph.intersects(form->clientArea()->rect()));
    EXPECT_EQ(layout->notesFontSize(), 200);
    EXPECT_EQ(graph->backgroundColor(), QStringLiteral("clBlack"));
}

TEST_F(MainWindowTest, SavedLayoutIsReadBackWhereItWasLeft)
{
    start();
    form->move(30, 40);
    form->Default1Click();
    const GraphScreenRects before = form->childRects();
    layout->setBrowserWidths({25, 90, 140});
    layout->setNotesFontSize(14);
    form->Save1Click();
    EXPECT_EQ(config.read(ConfigSettings::FileIndex), 3);
    EXPECT_EQ(config.read(ConfigKeys::FileMask, QString()), QStringLiteral("N/A"));
    EXPECT_EQ(config.read(ConfigSettings::NotesFont), 14);
    EXPECT_EQ(config.read(ConfigSettings::ColorWidth), 25);
    EXPECT_EQ(config.windowRect(LayoutWindow::Main).left, 30);

    form->move(300, 200);
    form->AsSaved1Click();
    EXPECT_EQ(form->frameGeometry().topLeft(), QPoint(30, 40));
    EXPECT_EQ(form->childRects().browser, before.browser);
    EXPECT_EQ(form->childRects().graph, before.graph);
    EXPECT_EQ(form->childRects().viewer, before.viewer);
    EXPECT_EQ(layout->browserWidths().date, 90);
    EXPECT_EQ(browser->Selfileg()->columnWidth(2), 90);
    EXPECT_EQ(layout->notesFontSize(), 14);
}

TEST_F(MainWindowTest, ResizingOneWindowMovesItsSiblings)
{
    start();
    const QSize outer = form->frameGeometry().size();
    QMdiSubWindow* browserFrame = form->clientArea()->subWindowList().at(0);
    browserFrame->resize(500, 260);
    GraphScreenRects expected = GraphScreenLayout::afterBrowserResize(form->childRects(), outer);
    EXPECT_EQ(form->childRects().graph, expected.graph);
    EXPECT_EQ(form->childRects().graph.top(), 256);
    EXPECT_EQ(form->childRects().viewer.left(), 495);
}

TEST_F(MainWindowTest, GraphSwitchesTickBothMenusAndRefresh)
{
    config.write(ConfigKeys::RoadSpeed, QStringLiteral("MPH\tmiles per hour"));
    start();
    test::item(*form->menuBar(), "MPH1").trigger();
    EXPECT_EQ(chart->xAxis().title, QStringLiteral("Roller MPH"));
    EXPECT_FALSE(test::item(*form->menuBar(), "Torque1").isChecked());
    EXPECT_FALSE(test::item(*graphWindow->contextMenu(), "Torque1").isChecked());
    EXPECT_TRUE(test::item(*form->menuBar(), "MPH1").isChecked());
    EXPECT_FALSE(test::item(*form->menuBar(), "RPM1").isChecked());
    test::item(*form->menuBar(), "RPM1").trigger();
    EXPECT_FALSE(graph->showTorque());
    EXPECT_TRUE(test::item(*form->menuBar(), "RPM1").isChecked());

    test::item(*form->menuBar(), "Uncorrected1").trigger();
    EXPECT_EQ(chart->yAxis().title.endsWith(QStringLiteral("(UnCorrected)")), true);
    EXPECT_FALSE(test::item(*form->menuBar(), "Corrected1").isChecked());
    test::item(*form->menuBar(), "Corrected1").trigger();
    EXPECT_EQ(chart->appearance().marginColor, QStringLiteral("clBlack"));
    EXPECT_TRUE(test::item(*graphWindow->contextMenu(), "Corrected1").isChecked());

    test::item(*form->menuBar(), "GridLines1").trigger();
    EXPECT_FALSE(graph->gridLines());
    EXPECT_FALSE(test::item(*graphWindow->contextMenu(), "GridLines1").isChecked());
    test::item(*form->menuBar(), "HP1").trigger();
    EXPECT_FALSE(test::item(*graphWindow->contextMenu(), "HP1").isChecked());
    // Every switch ends with Refresh, which writes the History.
    EXPECT_EQ(config.read(ConfigSettings::FileIndex), 3);
}

TEST_F(MainWindowTest, SavedRunReplacesHistoryOneAndIsSelected)
{
    start();
    const QString saved = root + QStringLiteral("/Yamaha/R1/Jenkins/04dyno.SWP");
    QStringList lines = readTextLines(root + QLatin1Char('/') + RunFiles[0]).lines;
    lines[1] = QStringLiteral("Yamaha\\R1\\Jenkins\\04dyno.SWP");
    writeTextLines(saved, lines);
    form->hide();

    form->showSavedRun(saved);
    EXPECT_TRUE(form->isVisible());
    const QList<QAction*> history = form->historyMenu()->actions();
    EXPECT_EQ(history.at(0)->text(), QStringLiteral("\\Yamaha\\R1\\Jenkins\\04dyno.SWP"));
    // The former first entry is replaced, not moved down.
    EXPECT_EQ(history.at(1)->text(), stored(RunFiles[1]));
    EXPECT_EQ(gridPaths().last(), QStringLiteral("Yamaha/R1/Jenkins/04dyno.SWP"));
    EXPECT_EQ(QDir::fromNativeSeparators(viewer->currentFile()), saved);
    EXPECT_EQ(viewFiles->windowTitle(), QStringLiteral("04dyno.SWP"));
    EXPECT_EQ(viewer->fileIndex(), 4);
    EXPECT_EQ(config.read(ConfigSettings::FileIndex), 4);
}

TEST_F(MainWindowTest, LateWindowsFromTheMenuAndTheHiddenHintsKey)
{
    start();
    emit form->findChildren<QShortcut*>().first()->activated();
    EXPECT_TRUE(app->hintsWindow().isVisible());
    test::item(*form->menuBar(), "PowerUnit1").trigger();
    EXPECT_TRUE(app->powerUnitsDialog().isVisible());
}

TEST_F(MainWindowTest, ExitScreenAboutAndWebAddress)
{
    start();
    int closes = 0;
    QObject::connect(form, &TForm1::closed, [&closes] { ++closes; });
    test::item(*form->menuBar(), "ExitAll1").trigger();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(splash->isVisible());
    splash->viewGraphsButton()->click();
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(splash->isVisible());

    form->ExitAll1Click();
    splash->closeAllButton()->click();
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(config.read(ConfigSettings::CompanyName), QStringLiteral("Demo Motorcycles"));

    form->About1Click();
    EXPECT_EQ(prompter.modalWindows(), QStringList{QStringLiteral("Tsplashf")});
    EXPECT_FALSE(splash->panel2()->isHidden());

    test::item(*form->menuBar(), "TolvaneWEB1").trigger();
    EXPECT_EQ(prompter.openedAddresses(), QStringList{QString::fromLatin1(TForm1::WebAddress)});

    config.write(ConfigKeys::ShowHelp, QStringLiteral("False"));
    test::item(*form->menuBar(), "EnableHintWindows1").trigger();
    EXPECT_EQ(config.read(ConfigKeys::ShowHelp, QString()), QStringLiteral("True"));
}

} // namespace
} // namespace tolvane
