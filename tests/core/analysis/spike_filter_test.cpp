// The spike filter: which values are spikes, and the rewrite and save of the run's file, which
// must stay inside the test library.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "core/analysis/run_plotter.h"
#include "core/analysis/spike_filter.h"
#include "core/library/selection.h"
#include "tool_test_support.h"

namespace tolvane {
namespace {

using test::expectSameLines;
using test::toolFixture;

struct SpikeCase {
    const char* name;
    std::vector<double> power;
    std::vector<int> spikes;
    std::vector<double> powerAfter;
};

class SmoothSpikes : public ::testing::TestWithParam<SpikeCase> {};

TEST_P(SmoothSpikes, FindsAndSmoothsSpikes)
{
    const std::vector<double>& power = GetParam().power;
    RunTable table;
    for (std::size_t i = 0; i < power.size(); ++i)
        table.appendRow(std::vector<double>{4000.0 + 100.0 * static_cast<double>(i), 50.0, power[i], 50.0});

    EXPECT_EQ(smoothSpikes(table), GetParam().spikes);
    for (int row = 0; row < table.rowCount(); ++row)
        EXPECT_DOUBLE_EQ(*table.value(row, RunTable::PowerColumn),
                         GetParam().powerAfter[static_cast<std::size_t>(row)])
            << "row " << row;
}

INSTANTIATE_TEST_SUITE_P(
    Tables, SmoothSpikes,
    ::testing::Values(
        // 80 is more than 10 % off both 52 and 50: it becomes their mean.
        SpikeCase{"spike", {50, 80, 52, 53}, {1}, {50, 51, 52, 53}},
        // |54 - 52| = 2 is not above 5.2.
        SpikeCase{"within_ten_percent", {50, 54, 52, 53}, {}, {50, 54, 52, 53}},
        SpikeCase{"three_rows_untested", {50, 80, 52}, {}, {50, 80, 52}},
        // With four rows only row 1 can be a spike; the 80 in row 2 is not tested.
        SpikeCase{"four_rows_test_row_one_only", {50, 52, 80, 52}, {}, {50, 52, 80, 52}},
        SpikeCase{"five_rows_test_row_two", {50, 52, 80, 52, 53}, {2}, {50, 52, 52, 52, 53}},
        // The smoothed 51 is what the next test compares with: 52 is then no spike.
        SpikeCase{"later_tests_see_smoothed_value", {50, 80, 52, 80, 53}, {1}, {50, 51, 52, 80, 53}}),
    [](const ::testing::TestParamInfo<SpikeCase>& info) { return std::string(info.param.name); });

// The models a current-run load needs, with the spike filter installed as the viewer does.
struct SpikeBench {
    explicit SpikeBench(const QString& root)
        : plotter(chart, selection, graph, viewer, prompter, QLatin1Char('.'))
    {
        plotter.setSpikeFilter([this, root](RunTable& table, int) {
            result = SpikeFilterClick(table, text, viewer, prompter, root);
        });
    }

    ViewerText text;
    ViewerState viewer;
    SeriesModel chart;
    GraphSettings graph;
    Selection selection;
    ScriptedPrompter prompter;
    RunPlotter plotter;
    SpikeFilterResult result;
};

TEST(SpikeFilter, ArmedLoadRemovesTheSpikeLineAndSavesTheFile)
{
    QTemporaryDir temp;
    const QString root = temp.filePath(QStringLiteral("dynoruns"));
    const QString file = root + QStringLiteral("/Honda/Civic/Jones/03dyno.STP");
    ASSERT_TRUE(QDir().mkpath(QFileInfo(file).path()));
    ASSERT_TRUE(QFile::copy(test::toolFixturePath(QStringLiteral("spike.STP")), file));

    SpikeBench bench(root);
    bench.text.setLines(toolFixture(QStringLiteral("spike.STP")), false);
    bench.viewer.setSpikeFilterArmed(true);
    ASSERT_TRUE(bench.plotter.PreViewG(QStringList(bench.text.lines())));

    const QStringList golden = toolFixture(QStringLiteral("spike_filtered.STP"));
    EXPECT_EQ(bench.result.spikeRows, std::vector<int>{1});
    EXPECT_TRUE(bench.result.saved);
    expectSameLines(bench.text.lines(), golden);
    expectSameLines(readTextLines(file).lines, golden);
    EXPECT_FALSE(bench.text.isModified());
    EXPECT_FALSE(bench.viewer.spikeFilterArmed());
    // The preview shows the smoothed table.
    const Series* power = bench.chart.series(SeriesKey::PreviewPower);
    ASSERT_NE(power, nullptr);
    ASSERT_EQ(power->points.size(), 5u);
    EXPECT_DOUBLE_EQ(power->points[1].y, 51.0);
    EXPECT_TRUE(bench.prompter.asked().empty());

    // Disarmed: the next load leaves the text alone.
    bench.result = {};
    bench.text.setLines(toolFixture(QStringLiteral("spike.STP")), false);
    ASSERT_TRUE(bench.plotter.PreViewG(QStringList(bench.text.lines())));
    EXPECT_TRUE(bench.result.spikeRows.empty());
    EXPECT_FALSE(bench.text.isModified());
}

TEST(SpikeFilter, RunWithoutSpikesIsNotWritten)
{
    QTemporaryDir temp;
    SpikeBench bench(temp.path());
    bench.text.setLines(toolFixture(QStringLiteral("step.STP")), false);
    bench.viewer.setSpikeFilterArmed(true);
    ASSERT_TRUE(bench.plotter.PreViewG(QStringList(bench.text.lines())));
    EXPECT_TRUE(bench.result.spikeRows.empty());
    EXPECT_FALSE(bench.result.saved);
    EXPECT_TRUE(QDir(temp.path()).isEmpty());
    EXPECT_FALSE(bench.viewer.spikeFilterArmed());
}

// Armed, the filter still only ever rewrites a test data file: the same numbers in another
// text file (a first line that is no run's) leave that file and the notes as they were.
TEST(SpikeFilter, OtherTextIsNeverRewritten)
{
    QTemporaryDir temp;
    const QString root = temp.filePath(QStringLiteral("dynoruns"));
    QStringList lines = toolFixture(QStringLiteral("spike.STP"));
    lines[0] = QStringLiteral("Copied from the spreadsheet");
    const QString file =
        root + QLatin1Char('/') + QString(lines[1]).replace(QLatin1Char('\\'), QLatin1Char('/'));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(file).path()));
    ASSERT_FALSE(writeTextLines(file, lines));

    SpikeBench bench(root);
    bench.text.setLines(lines, false);
    bench.viewer.setSpikeFilterArmed(true);
    ASSERT_TRUE(bench.plotter.PreViewG(QStringList(lines)));
    EXPECT_FALSE(bench.result.saved);
    EXPECT_EQ(bench.text.lines(), lines);
    EXPECT_FALSE(bench.text.isModified());
    EXPECT_EQ(readTextLines(file).lines, lines);
    EXPECT_FALSE(bench.viewer.spikeFilterArmed());
}

TEST(SpikeFilter, PathLeavingTheLibraryIsRefused)
{
    // Line 2 reads "..\..\outside.STP": from <temp>/lib/dynoruns it would land in <temp>.
    QTemporaryDir temp;
    const QString root = temp.filePath(QStringLiteral("lib/dynoruns"));
    ASSERT_TRUE(QDir().mkpath(root));
    SpikeBench bench(root);
    const QStringList original = toolFixture(QStringLiteral("spike_outside.STP"));
    bench.text.setLines(original, false);
    bench.viewer.setSpikeFilterArmed(true);
    ASSERT_TRUE(bench.plotter.PreViewG(QStringList(original)));

    EXPECT_EQ(bench.result.spikeRows, std::vector<int>{1});
    EXPECT_FALSE(bench.result.saved);
    EXPECT_FALSE(QFile::exists(temp.filePath(QStringLiteral("outside.STP"))));
    EXPECT_FALSE(QFile::exists(temp.filePath(QStringLiteral("lib/outside.STP"))));
    // The filtered text stays in the viewer, unsaved.
    EXPECT_TRUE(bench.text.isModified());
    EXPECT_EQ(bench.text.lines().size(), original.size() - 1);
    ASSERT_EQ(bench.prompter.asked().size(), 1u);
    EXPECT_EQ(bench.prompter.asked()[0].title, QStringLiteral("Spike Filter"));
    EXPECT_EQ(bench.prompter.asked()[0].icon, PromptIcon::Warning);
    EXPECT_EQ(
        bench.prompter.asked()[0].text,
        QStringLiteral("Nothing was written: the file's path \"..\\..\\outside.STP\" (line 2) lies outside "
                       "the test library %1.")
            .arg(QDir::toNativeSeparators(root)));
}

} // namespace
} // namespace tolvane
