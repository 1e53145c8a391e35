// The inertia and tach-ratio dialogs: the slider writes the value box, every readable value is
// previewed through the tools, "Apply" rewrites the notes, an unreadable value is reported.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "core/analysis/graph_settings.h"
#include "core/analysis/run_plotter.h"
#include "core/analysis/series_model.h"
#include "core/analysis/viewer_state.h"
#include "core/analysis/viewer_text.h"
#include "core/common/scripted_prompter.h"
#include "core/common/text_file.h"
#include "core/setup/unit_settings.h"
#include "support/fixtures.h"
#include "ui/analysis/chg_inertia_dialog.h"
#include "ui/analysis/chg_ratio_dialog.h"

namespace tolvane {
namespace {

class RecalcDialogsTest : public ::testing::Test {
protected:
    RecalcDialogsTest()
    {
        lines = readTextLines(test::fixturePath(QStringLiteral("tools/sweep.SWP"))).lines;
        text.setLines(lines, false);
        viewer.setRunInertia(3.5);
    }

    SeriesPoint firstPoint(int key) const
    {
        const Series* series = model.series(key);
        return series && !series->points.empty() ? series->points.front() : SeriesPoint{};
    }

    QStringList lines;
    ViewerText text;
    ViewerState viewer;
    SeriesModel model;
    GraphSettings settings;
    ScriptedPrompter prompter;
    UnitSettings units;
    RecalcContext context{text, viewer, model, settings, prompter, units, TextLocale::standard()};
};

TEST_F(RecalcDialogsTest, InertiaDialogOpensAtTheRunsInertia)
{
    TChg_IF dialog(context);
    int previews = 0;
    QObject::connect(&dialog, &RecalcValueDialog::previewDrawn, [&previews] { ++previews; });
    dialog.showForCurrentRun();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Adjust Inertia Value"));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.fileNameLabel()->text(), QStringLiteral("Yamaha\\R6\\Smith\\02dyno.SWP"));
    EXPECT_EQ(dialog.slider()->value(), 3500);
    EXPECT_EQ(dialog.slider()->minimum(), -1000);
    EXPECT_EQ(dialog.slider()->maximum(), 20000);
    EXPECT_EQ(dialog.slider()->singleStep(), 10);
    EXPECT_EQ(dialog.slider()->pageStep(), 20);
    EXPECT_EQ(dialog.valueBox()->text(), QStringLiteral("3.5000"));
    EXPECT_EQ(previews, 1);
    // First row: T = (3.5 * 1.50 + 20.0) / 2.0 (tach ratio of the file).
    EXPECT_NEAR(firstPoint(SeriesKey::PreviewTorque).y, (3.5 * 1.5 + 20.0) / 2.0, 1e-9);
    EXPECT_EQ(dialog.evenIncButton()->text(), QStringLiteral("Even Inc."));
}

// Slider position -> value box text -> torque of the first previewed row.
TEST_F(RecalcDialogsTest, InertiaSliderPreviews)
{
    struct Case {
        int position;
        const char* valueText;
        double torque;
    };
    TChg_IF dialog(context);
    dialog.showForCurrentRun();
    for (const Case& c : {Case{3000, "3.0000", 12.25}, Case{1000, "1.0000", 10.75}, Case{0, "0.0000", 10.0},
                          Case{12345, "12.3450", (12.345 * 1.5 + 20.0) / 2.0}}) {
        dialog.slider()->setValue(c.position);
        EXPECT_EQ(dialog.valueBox()->text(), QString::fromLatin1(c.valueText));
        EXPECT_NEAR(firstPoint(SeriesKey::PreviewTorque).y, c.torque, 1e-9) << c.position;
        EXPECT_NEAR(firstPoint(SeriesKey::PreviewPower).y, 4020.0 * c.torque / 5252.0, 1e-9) << c.position;
        EXPECT_NEAR(viewer.runInertia(), c.position * 0.001, 1e-9);
    }
}

TEST_F(RecalcDialogsTest, TypedValuesPreviewUnreadableOnesDoNot)
{
    TChg_IF dialog(context);
    dialog.showForCurrentRun();
    dialog.valueBox()->setText(QStringLiteral("2.0"));
    EXPECT_NEAR(firstPoint(SeriesKey::PreviewTorque).y, 11.5, 1e-9);
    dialog.valueBox()->setText(QStringLiteral("2.0x"));
    EXPECT_NEAR(firstPoint(SeriesKey::PreviewTorque).y, 11.5, 1e-9);
    EXPECT_TRUE(prompter.asked().empty());
}

TEST_F(RecalcDialogsTest, InertiaApplyRewritesTheNotesAndCloses)
{
    TChg_IF dialog(context);
    dialog.showForCurrentRun();
    dialog.valueBox()->setText(QStringLiteral("3"));
    dialog.applyButton()->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(text.isModified());
    EXPECT_TRUE(text.lines().contains(QStringLiteral("Inertia:3.0000")));
    EXPECT_EQ(text.lines(),
              readTextLines(test::fixturePath(QStringLiteral("tools/sweep_inertia_3.SWP"))).lines);
}

TEST_F(RecalcDialogsTest, ApplyOfAnUnreadableValueIsReportedAndTheDialogStays)
{
    TChg_Ratio dialog(context);
    dialog.showForCurrentRun();
    dialog.valueBox()->setText(QStringLiteral("abc"));
    dialog.applyButton()->click();
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(prompter.asked().size(), 1u);
    EXPECT_EQ(prompter.asked()[0].title, QStringLiteral("Adjust Tach Ratio"));
    EXPECT_EQ(prompter.asked()[0].text, QStringLiteral("'abc' is not a valid floating point value."));
    EXPECT_EQ(text.lines(), lines);
}

TEST_F(RecalcDialogsTest, RatioDialogAlwaysOpensAtOne)
{
    TChg_Ratio dialog(context);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Adjust Tach Ratio"));
    EXPECT_EQ(dialog.slider()->minimum(), -1000);
    EXPECT_EQ(dialog.slider()->maximum(), 6000);
    EXPECT_EQ(dialog.slider()->pageStep(), 20);
    for (const double ratio : {2.0, 2.5}) {
        dialog.showForCurrentRun();
        EXPECT_EQ(dialog.valueBox()->text(), QStringLiteral("1.0000"));
        EXPECT_NEAR(firstPoint(SeriesKey::PreviewPower).x, 76.2 * 26.3852, 1e-9);
        dialog.slider()->setValue(static_cast<int>(ratio * 1000));
        EXPECT_EQ(dialog.valueBox()->text(), QString::number(ratio, 'f', 4));
        EXPECT_NEAR(firstPoint(SeriesKey::PreviewPower).x, ratio * 76.2 * 26.3852, 1e-9);
        EXPECT_NEAR(firstPoint(SeriesKey::PreviewTorque).y, 9.7 * 5252.0 / (ratio * 76.2 * 26.3852), 1e-9);
        dialog.cancelButton()->click();
        EXPECT_FALSE(dialog.isVisible());
        // Cancel leaves the preview.
        EXPECT_NEAR(firstPoint(SeriesKey::PreviewPower).x, ratio * 76.2 * 26.3852, 1e-9);
    }
    // The slider keeps its position between openings.
    EXPECT_EQ(dialog.slider()->value(), 2500);
}

TEST_F(RecalcDialogsTest, RatioApplyRewritesTheNotes)
{
    TChg_Ratio dialog(context);
    dialog.showForCurrentRun();
    dialog.valueBox()->setText(QStringLiteral("2.5"));
    dialog.applyButton()->click();
    EXPECT_EQ(text.lines(),
              readTextLines(test::fixturePath(QStringLiteral("tools/sweep_ratio_2.5.SWP"))).lines);
    EXPECT_TRUE(text.isModified());
}

} // namespace
} // namespace tolvane
