#include "core/library/selection.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

QString pathOf(int i)
{
    return QStringLiteral("c:\\tolvane\\dynoruns\\Ford\\Focus\\Smith\\run%1.STP").arg(i);
}

const QString Root = QStringLiteral("c:\\tolvane\\dynoruns");

TEST(SelectionTest, PaletteAndMarkersFollowTheRowNumber)
{
    Selection selection;
    for (int i = 1; i <= 11; ++i)
        ASSERT_FALSE(selection.addRun(pathOf(i), Root, QString(), Selection::MarkerSpelling::Capital));
    const QStringList colors = {"clRed",  "clAqua",  "clLime",   "clYellow", "clFuchsia", "clTeal",
                                "clGreen", "clOlive", "clPurple", "clMaroon", "clRed"};
    const QStringList markers = {"Circle", "Diamond", "Cross",  "Square", "Circle", "Diamond",
                                 "Cross",  "Square",  "Circle", "Diamond", "Cross"};
    for (int r = 1; r <= 11; ++r) {
        EXPECT_EQ(selection.row(r).colorName, colors[r - 1]) << r;
        EXPECT_EQ(selection.row(r).markerName, markers[r - 1]) << r;
    }
    EXPECT_EQ(selection.row(1).displayName, QStringLiteral("   Ford   Focus   Smith   run1.STP"));
    EXPECT_EQ(Selection::markerName(2, Selection::MarkerSpelling::LowerCaseDiamond), QStringLiteral("diamond"));
}

TEST(SelectionTest, RemovingARowKeepsMarkersInPlace)
{
    Selection selection;
    selection.addRun(pathOf(1), Root, QStringLiteral("d1"), Selection::MarkerSpelling::Capital);
    selection.addRun(pathOf(2), Root, QStringLiteral("d2"), Selection::MarkerSpelling::LowerCaseDiamond);
    selection.addRun(pathOf(3), Root, QStringLiteral("d3"), Selection::MarkerSpelling::Capital);
    selection.removeRun(2);
    ASSERT_EQ(selection.runCount(), 2);
    EXPECT_EQ(selection.row(2).path, pathOf(3));
    EXPECT_EQ(selection.row(2).colorName, QStringLiteral("clLime"));
    EXPECT_EQ(selection.row(2).dateTimeText, QStringLiteral("d3"));
    EXPECT_EQ(selection.row(2).markerName, QStringLiteral("diamond")); // as written for row 2
}

TEST(SelectionTest, TwentyFirstRunIsRefused)
{
    Selection selection;
    for (int i = 1; i <= Selection::MaxRuns; ++i)
        ASSERT_FALSE(selection.addRun(pathOf(i), Root, QString(), Selection::MarkerSpelling::Capital)) << i;
    int changes = 0;
    QObject::connect(&selection, &Selection::changed, [&] { ++changes; });
    const std::optional<QString> refusal =
        selection.addRun(pathOf(21), Root, QString(), Selection::MarkerSpelling::Capital);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(*refusal, QStringLiteral("The selection already holds 20 runs, the most the graph can compare.\n"
                                       "Remove a run before adding another."));
    EXPECT_EQ(selection.runCount(), 20);
    EXPECT_EQ(changes, 0);
}

TEST(SelectionTest, HistoryKeepsTheTenMostRecent)
{
    Selection selection;
    for (int i = 1; i <= 12; ++i)
        selection.updateHistory(QStringLiteral("\\run%1").arg(i));
    ASSERT_EQ(selection.history().size(), 10);
    EXPECT_EQ(selection.history().front(), QStringLiteral("\\run12"));
    EXPECT_EQ(selection.history().back(), QStringLiteral("\\run3"));
    selection.updateHistory(QStringLiteral("\\run12")); // a file may appear twice
    EXPECT_EQ(selection.history().mid(0, 2), QStringList({"\\run12", "\\run12"}));
}

} // namespace
} // namespace tolvane
