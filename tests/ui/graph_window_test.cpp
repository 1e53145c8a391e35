// The graph window driven through its context menu with a scripted operator: menu captions and
// checks, the line display radio group, axis titles, the mouse read-out, colours and the JPEG
// export.
#include <gtest/gtest.h>

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>

#include "core/analysis/graph_settings.h"
#include "core/analysis/run_plotter.h"
#include "core/analysis/series_model.h"
#include "core/analysis/viewer_state.h"
#include "core/common/scripted_prompter.h"
#include "core/library/selection.h"
#include "core/setup/unit_settings.h"
#include "platform/chart/qcp_chart.h"
#include "support/fixtures.h"
#include "support/ui_items.h"
#include "ui/analysis/graph_window.h"

namespace tolvane {
namespace {

class GraphWindowTest : public ::testing::Test {
protected:
    GraphWindowTest()
    {
        units.setEngineSpeedUnit(QStringLiteral("RPM"));
        units.setRoadSpeedUnit(QStringLiteral("MPH"));
        units.setPowerUnitLabel(QStringLiteral("BHP"));
        units.setForceUnit(QStringLiteral("Ft/Lbs"));
        window = std::make_unique<TGraph>(model, settings, selection, viewer, units, prompter,
                                          TextLocale::standard());
        window->resize(800, 500);
    }

    QStringList captions(const QMenu* menu) const
    {
        QStringList result;
        for (const QAction* item : menu->actions())
            result << (item->isSeparator() ? QStringLiteral("-") : item->text());
        return result;
    }

    void addRuns(int count)
    {
        const QStringList files{QStringLiteral("render/sweep_a.SWP"), QStringLiteral("render/sweep_b.SWP"),
                                QStringLiteral("render/sweep_c.SWP")};
        for (int i = 0; i < count; ++i)
            selection.addRun(test::fixturePath(files.at(i)), test::fixturePath(QString()), QString(),
                             Selection::MarkerSpelling::Capital);
    }

    UnitSettings units;
    GraphSettings settings;
    Selection selection;
    ViewerState viewer;
    SeriesModel model;
    ScriptedPrompter prompter;
    std::unique_ptr<TGraph> window;
};

TEST_F(GraphWindowTest, ContextMenuCaptionsAndStartChecks)
{
    EXPECT_EQ(captions(window->contextMenu()), (QStringList{"Refresh",
                                                            "Graph All",
                                                            "-",
                                                            "RPM",
                                                            "MPH",
                                                            "-",
                                                            "HP",
                                                            "Torque",
                                                            "CO% / Acc",
                                                            "-",
                                                            "Corrected",
                                                            "Uncorrected",
                                                            "-",
                                                            "Grid &Lines",
                                                            "&Colors...",
                                                            "Average test phases",
                                                            "Line display mode",
                                                            "-",
                                                            "Save as jpg...",
                                                            "Print Graph...",
                                                            "-",
                                                            "Goto Test"}));
    QMenu* modes = &test::item<QMenu>(*window->contextMenu(), "Linedisplaymode1");
    EXPECT_EQ(modes->title(), QStringLiteral("Line display mode"));
    EXPECT_EQ(captions(modes), (QStringList{"Show highest (normal)", "Show all (diagnose)", "3.0", "2.0",
                                            "1.0", "0.5", "0.1"}));
    for (const char* checked : {"RPM1", "HP1", "Torque1", "CO1", "Corrected1"})
        EXPECT_TRUE(test::item(*window->contextMenu(), checked).isChecked()) << checked;
    for (const char* unchecked : {"MPH1", "Uncorrected1"})
        EXPECT_FALSE(test::item(*window->contextMenu(), unchecked).isChecked()) << unchecked;
    for (QAction* item : modes->actions())
        EXPECT_FALSE(item->isChecked()) << item->text().toStdString();
    EXPECT_DOUBLE_EQ(settings.pointTolerance(), 0.001);
}

TEST_F(GraphWindowTest, StartLook)
{
    const ChartAppearance& look = model.appearance();
    EXPECT_EQ(look.backgroundColor, QStringLiteral("clBlack"));
    EXPECT_EQ(look.marginColor, QStringLiteral("clBlack"));
    EXPECT_EQ(look.axisColor, QStringLiteral("clSilver"));
    EXPECT_EQ(look.textColor, QStringLiteral("clAqua"));
    EXPECT_FALSE(look.axesCrossAtZero);
    EXPECT_EQ(window->chart().widget()->cursor().shape(), Qt::CrossCursor);
}

TEST_F(GraphWindowTest, LineDisplayModeIsOneRadioGroupSettingTheTolerance)
{
    const struct {
        const char* name;
        const char* caption;
        double tolerance;
    } cases[] = {{"Showhighestnormal1", "Show highest (normal)", 1.0},
                 {"Showalldiagnose1", "Show all (diagnose)", 0.001},
                 {"N301", "3.0", 3.0},
                 {"N201", "2.0", 2.0},
                 {"N101", "1.0", 1.0},
                 {"N051", "0.5", 0.1},
                 {"N011", "0.1", 0.001}};
    int refreshes = 0;
    QObject::connect(window.get(), &TGraph::refreshRequested, [&] { ++refreshes; });
    for (const auto& c : cases) {
        QAction* item = &test::item(*window->contextMenu(), c.name);
        EXPECT_EQ(item->text(), QString::fromLatin1(c.caption));
        item->trigger();
        EXPECT_DOUBLE_EQ(settings.pointTolerance(), c.tolerance) << c.caption;
        for (QAction* other : item->actionGroup()->actions())
            EXPECT_EQ(other->isChecked(), other == item) << c.caption << " / " << other->text().toStdString();
    }
    EXPECT_EQ(refreshes, 7);
    EXPECT_TRUE(settings.lineDisplayMode() == GraphSettings::LineDisplayMode::Tolerance01);
}

TEST_F(GraphWindowTest, ToleranceReachesTheRunCurves)
{
    addRuns(1);
    RunPlotter plotter(model, selection, settings, viewer, prompter, QLatin1Char('.'));
    QObject::connect(window.get(), &TGraph::refreshRequested, [&] { plotter.PlotAll(); });
    test::item(*window->contextMenu(), "N051").trigger();
    ASSERT_NE(model.series(SeriesKey::Power + 1), nullptr);
    EXPECT_DOUBLE_EQ(model.series(SeriesKey::Power + 1)->numericalTolerance, 0.1);
    test::item(*window->contextMenu(), "N301").trigger();
    EXPECT_DOUBLE_EQ(model.series(SeriesKey::Power + 1)->numericalTolerance, 3.0);
}

TEST_F(GraphWindowTest, CorrectedRewritesTheTitlesUncorrectedKeepsItsOwn)
{
    test::item(*window->contextMenu(), "Uncorrected1").trigger();
    EXPECT_FALSE(settings.corrected());
    EXPECT_TRUE(test::item(*window->contextMenu(), "Uncorrected1").isChecked());
    EXPECT_FALSE(test::item(*window->contextMenu(), "Corrected1").isChecked());
    EXPECT_EQ(model.yAxis().title, QStringLiteral("(UnCorrected)"));
    EXPECT_EQ(model.appearance().marginColor, QStringLiteral("clSilver"));
    EXPECT_EQ(model.appearance().textColor, QStringLiteral("clBlack"));

    test::item(*window->contextMenu(), "Corrected1").trigger();
    EXPECT_EQ(model.yAxis().title, QStringLiteral("BHP, Ft/Lbs, CO%/Acc"));
    EXPECT_EQ(model.appearance().marginColor, QStringLiteral("clBlack"));
    EXPECT_EQ(model.appearance().textColor, QStringLiteral("clAqua"));

    test::item(*window->contextMenu(), "GridLines1").trigger();
    EXPECT_FALSE(settings.gridLines());
    EXPECT_FALSE(test::item(*window->contextMenu(), "GridLines1").isChecked());
    EXPECT_FALSE(model.appearance().gridLines);
}

TEST_F(GraphWindowTest, AxisTitlesFollowTheSwitches)
{
    EXPECT_EQ(model.xAxis().title, QStringLiteral("RPM"));
    EXPECT_EQ(model.yAxis().title, QStringLiteral("BHP, Ft/Lbs, CO%/Acc"));

    test::item(*window->contextMenu(), "Torque1").trigger();
    EXPECT_FALSE(settings.showTorque());
    EXPECT_EQ(model.yAxis().title, QStringLiteral("BHP, CO%/Acc"));

    test::item(*window->contextMenu(), "HP1").trigger();
    test::item(*window->contextMenu(), "CO1").trigger();
    EXPECT_EQ(model.yAxis().title, QString());
    EXPECT_FALSE(test::item(*window->contextMenu(), "HP1").isChecked());

    // RPM and MPH toggle between the two; MPH writes the titles.
    test::item(*window->contextMenu(), "MPH1").trigger();
    EXPECT_EQ(settings.xAxisColumn(), GraphSettings::RoadSpeedAxis);
    EXPECT_TRUE(test::item(*window->contextMenu(), "MPH1").isChecked());
    EXPECT_FALSE(test::item(*window->contextMenu(), "RPM1").isChecked());
    EXPECT_EQ(model.xAxis().title, QStringLiteral("MPH"));
    test::item(*window->contextMenu(), "MPH1").trigger();
    EXPECT_EQ(settings.xAxisColumn(), GraphSettings::EngineSpeedAxis);
    EXPECT_TRUE(test::item(*window->contextMenu(), "RPM1").isChecked());
    EXPECT_EQ(model.xAxis().title, QStringLiteral("RPM"));
    test::item(*window->contextMenu(), "RPM1").trigger();
    EXPECT_EQ(settings.xAxisColumn(), GraphSettings::RoadSpeedAxis);
}

TEST_F(GraphWindowTest, MouseReadoutAndCatchUpReplotOnce)
{
    addRuns(2);
    RunPlotter plotter(model, selection, settings, viewer, prompter, QLatin1Char('.'));
    QObject::connect(window.get(), &TGraph::refreshRequested, [&] { plotter.PlotAll(); });
    int refreshes = 0;
    QObject::connect(window.get(), &TGraph::refreshRequested, [&] { ++refreshes; });

    window->showMouseReadout(QPointF(4512.34, 123.45));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("     123.5 BHP, Ft/Lbs, CO%/Acc   @   4512.3 RPM"));
    EXPECT_EQ(refreshes, 1); // nothing plotted yet: the graph catches up
    window->showMouseReadout(QPointF(1, 2));
    EXPECT_EQ(refreshes, 1);

    selection.removeRun(2);
    window->showMouseReadout(QPointF(1, 2));
    window->showMouseReadout(QPointF(1, 2));
    EXPECT_EQ(refreshes, 2);
}

TEST_F(GraphWindowTest, ColorsStoreTheToolkitNameAndPaintTheChart)
{
    prompter.queueColor(QStringLiteral("clNavy"));
    test::item(*window->contextMenu(), "Colors1").trigger();
    EXPECT_EQ(prompter.colorRequests(), QStringList{"clBlack"});
    EXPECT_EQ(settings.backgroundColor(), QStringLiteral("clNavy"));
    EXPECT_EQ(model.appearance().backgroundColor, QStringLiteral("clNavy"));
    EXPECT_EQ(model.appearance().marginColor, QStringLiteral("clNavy"));

    prompter.queueColor(QStringLiteral("$00030201"));
    window->chooseColors();
    EXPECT_EQ(settings.backgroundColor(), QStringLiteral("$00030201"));

    prompter.queueColor(std::nullopt);
    window->chooseColors();
    EXPECT_EQ(settings.backgroundColor(), QStringLiteral("$00030201"));
}

bool isJfif(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(11);
    return head.startsWith(QByteArray("\xFF\xD8\xFF\xE0", 4)) && head.mid(6, 5) == QByteArray("JFIF\0", 5);
}

TEST_F(GraphWindowTest, SaveAsJpgAppendsTheExtensionOnlyWhenMissing)
{
    QTemporaryDir dir;
    prompter.queueFile(dir.filePath(QStringLiteral("graph1")));
    prompter.queueFile(dir.filePath(QStringLiteral("graph2.bmp")));
    prompter.queueFile(std::nullopt);
    test::item(*window->contextMenu(), "Saveasjpg1").trigger();
    window->saveAsJpg();
    window->saveAsJpg();
    EXPECT_TRUE(isJfif(dir.filePath(QStringLiteral("graph1.jpg"))));
    EXPECT_TRUE(isJfif(dir.filePath(QStringLiteral("graph2.bmp"))));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("graph2.bmp.jpg"))));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
    ASSERT_EQ(prompter.fileRequests().size(), 3u);
    EXPECT_TRUE(prompter.fileRequests().front().kind == FileDialogRequest::Kind::Save);
    EXPECT_TRUE(prompter.asked().empty());
}

// The dialog only asked about the name typed: a file that the added extension names is not
// replaced without asking, and "No" leaves it as it was.
TEST_F(GraphWindowTest, SaveAsJpgAsksBeforeReplacingTheFileTheExtensionNames)
{
    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("graph1.jpg"));
    {
        QFile file(existing);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write("customer picture"), 16);
    }
    prompter.queueFile(dir.filePath(QStringLiteral("graph1")));
    prompter.queueAnswer(PromptAnswer::No);
    window->saveAsJpg();
    ASSERT_EQ(prompter.asked().size(), 1u);
    EXPECT_EQ(prompter.asked()[0].text, QDir::toNativeSeparators(existing) +
                                            QStringLiteral(" already exists.\nDo you want to replace it?"));
    EXPECT_EQ(prompter.asked()[0].buttons, PromptButtons::YesNo);
    EXPECT_FALSE(isJfif(existing));

    prompter.queueFile(dir.filePath(QStringLiteral("graph1")));
    prompter.queueAnswer(PromptAnswer::Yes);
    window->saveAsJpg();
    EXPECT_TRUE(isJfif(existing));
    EXPECT_EQ(prompter.asked().size(), 2u);
}

TEST_F(GraphWindowTest, SaveAsJpgReportsAWriteFailure)
{
    QTemporaryDir dir;
    prompter.queueFile(dir.filePath(QStringLiteral("missing/graph1")));
    window->saveAsJpg();
    ASSERT_EQ(prompter.asked().size(), 1u);
    EXPECT_TRUE(prompter.asked().front().icon == PromptIcon::Error);
    EXPECT_FALSE(prompter.asked().front().text.isEmpty());
}

TEST_F(GraphWindowTest, PrintAndGraphAllRequests)
{
    int graphAll = 0;
    QObject::connect(window.get(), &TGraph::graphAllRequested, [&] { ++graphAll; });
    int refreshes = 0;
    QObject::connect(window.get(), &TGraph::refreshRequested, [&] { ++refreshes; });
    addRuns(1);
    window->GraphAll1Click();
    EXPECT_EQ(graphAll, 0); // one run compares with nothing
    addRuns(2);
    window->GraphAll1Click();
    EXPECT_EQ(graphAll, 1);

    // While a print starts, mouse movement does not re-plot.
    int prints = 0;
    QObject::connect(window.get(), &TGraph::printRequested, [&] {
        ++prints;
        window->showMouseReadout(QPointF(1, 1));
    });
    window->PrintGraph1Click();
    EXPECT_EQ(prints, 1);
    EXPECT_EQ(refreshes, 0);
    // The data graph and printing are not part of the program yet: their items stay disabled.
    EXPECT_FALSE(test::item(*window->contextMenu(), "GraphAll1").isEnabled());
    EXPECT_FALSE(test::item(*window->contextMenu(), "PrintGraph1").isEnabled());
}

TEST_F(GraphWindowTest, ThreeRunsPicture)
{
    addRuns(3);
    viewer.setRescalePending(true);
    RunPlotter plotter(model, selection, settings, viewer, prompter, QLatin1Char('.'));
    ASSERT_EQ(plotter.PlotAll().outcome, PlotAllResult::Outcome::Plotted);
    const QImage picture = window->grab().toImage();
    EXPECT_EQ(picture.size(), QSize(800, 500));
    // The first run's red curves (antialiased, so reddish) are drawn on the black background.
    int red = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QColor c = picture.pixelColor(x, y);
            red += c.red() > 150 && c.green() < 80 && c.blue() < 80;
        }
    }
    EXPECT_GT(red, 300);
    EXPECT_EQ(picture.pixelColor(400, 5), QColor(Qt::black));
    if (const QByteArray out = qgetenv("TOLVANE_GRAPH_PNG"); !out.isEmpty())
        picture.save(QString::fromLocal8Bit(out));
}

} // namespace
} // namespace tolvane
