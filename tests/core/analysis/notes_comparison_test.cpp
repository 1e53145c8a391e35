// The notes comparison grid: rows lined up from the runs' note lines, and its colours.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "core/analysis/notes_comparison.h"
#include "tool_test_support.h"

namespace tolvane {
namespace {

using test::toolFixture;
using test::toolFixturePath;

std::vector<ComparedRun> twoRuns(const QString& colour1 = QStringLiteral("clRed"),
                                 const QString& colour2 = QStringLiteral("clAqua"))
{
    return {ComparedRun{QStringLiteral("Honda   Civic   Jones   01dyno.STP"), colour1,
                        toolFixture("notes_a.STP")},
            ComparedRun{QStringLiteral("Honda   Civic   Jones   02dyno.STP"), colour2,
                        toolFixture("notes_b.STP")}};
}

struct RowCase {
    int row;
    const char* label;
    const char* run1;
    const char* run2;
};

TEST(NotesComparison, RowsLineUpTheRunsNoteLines)
{
    const NotesComparison grid = NotesComparison::build(twoRuns());
    const std::vector<RowCase> rows{
        {0, "", "Honda   Civic   Jones   01dyno.STP", "Honda   Civic   Jones   02dyno.STP"},
        {1, "Type/Time", "-USB- Auto Step   1/2/2026 8:30:15 AM", "-USB- Auto Step   1/2/2026 9:00:00 AM"},
        {2, "Correction", "1.0500", "1.0200"},
        {3, "Tach Ratio", "3.1250", "3.1250"},
        {4, "New exhaust:", "yes", "yes"},
        {5, "Min Rpm:", "3000", "3000"},
        {6, "Redline:", "12000", "12000"},
        {7, "Inertia:", "3.5000", "3.2000"},
        {8, "EGA:", "False", "False"},
        {9, "Main St, Phone:", "555-0100", "555-0100"},
    };
    ASSERT_EQ(grid.rowCount(), static_cast<int>(rows.size()));
    ASSERT_EQ(grid.columnCount(), 3);
    for (const RowCase& row : rows) {
        EXPECT_EQ(grid.cell(row.row, 0), QString::fromLatin1(row.label)) << "row " << row.row;
        EXPECT_EQ(grid.cell(row.row, 1), QString::fromLatin1(row.run1)) << "row " << row.row;
        EXPECT_EQ(grid.cell(row.row, 2), QString::fromLatin1(row.run2)) << "row " << row.row;
    }
}

TEST(NotesComparison, FirstLineWithoutTimeStillFillsTypeTime)
{
    // A file saved at midnight has no time, so no colon, on its first line.
    std::vector<ComparedRun> runs = twoRuns();
    runs[1].lines[0] = QStringLiteral("QV512e -USB- Auto Step   1/3/2026");
    const NotesComparison grid = NotesComparison::build(runs);
    EXPECT_EQ(grid.cell(1, 2), QStringLiteral("-USB- Auto Step   1/3/2026"));
    EXPECT_EQ(grid.cell(4, 2), QStringLiteral("yes"));
    EXPECT_EQ(grid.cell(7, 2), QStringLiteral("3.2000"));
}

TEST(NotesComparison, NoRunsSayNoData)
{
    const NotesComparison grid = NotesComparison::build({});
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.columnCount(), 2);
    EXPECT_EQ(grid.cell(0, 1), QStringLiteral("No Data"));
}

struct ColourCase {
    const char* name;
    const char* colour1;
    int row;
    int column;
    NotesCellStyle style;
};

class NotesColours : public ::testing::TestWithParam<ColourCase> {};

TEST_P(NotesColours, CellStyle)
{
    const NotesComparison grid =
        NotesComparison::build(twoRuns(QString::fromLatin1(GetParam().colour1), QStringLiteral("clAqua")));
    EXPECT_EQ(grid.cellStyle(GetParam().row, GetParam().column), GetParam().style);
}

const NotesCellStyle Fixed{"clBlack", "clBtnFace"};

INSTANTIATE_TEST_SUITE_P(
    Cells, NotesColours,
    ::testing::Values(
        // Only the Inertia and Correction rows differ: yellow in the first run's column only.
        ColourCase{"inertia_differs", "clRed", 7, 1, {"clRed", "clYellow"}},
        ColourCase{"correction_differs", "clRed", 2, 1, {"clRed", "clYellow"}},
        ColourCase{"last_run_never_yellow", "clRed", 7, 2, {"clAqua", "clBlack"}},
        ColourCase{"same_text", "clRed", 4, 1, {"clRed", "clBlack"}},
        // Type/Time always differs and is never marked.
        ColourCase{"type_time_not_marked", "clRed", 1, 1, {"clRed", "clBlack"}},
        // Light run colours turn black on yellow.
        ColourCase{"aqua_on_yellow", "clAqua", 7, 1, {"clBlack", "clYellow"}},
        ColourCase{"lime_on_yellow", "clLime", 2, 1, {"clBlack", "clYellow"}},
        ColourCase{"fuchsia_on_yellow", "clFuchsia", 7, 1, {"clFuchsia", "clYellow"}},
        // Black text would vanish on the black grid.
        ColourCase{"black_shows_white", "clBlack", 4, 1, {"clWhite", "clBlack"}},
        ColourCase{"capital_black_shows_white", "ClBlack", 4, 1, {"clWhite", "clBlack"}},
        ColourCase{"names_row", "clRed", 0, 1, Fixed}, ColourCase{"labels_column", "clRed", 7, 0, Fixed}),
    [](const ::testing::TestParamInfo<ColourCase>& info) { return std::string(info.param.name); });

TEST(NotesComparison, NamesAreCutFromTheLeftToTheColumnWidth)
{
    const NotesComparison grid = NotesComparison::build(twoRuns());
    EXPECT_EQ(NotesComparison::runColumnWidth(600, 3), 250);
    // Seven pixels a character: 35 fit in 250 pixels, 14 in 100, none in 6.
    EXPECT_EQ(grid.headerText(1, 250), QStringLiteral("Honda   Civic   Jones   01dyno.STP"));
    EXPECT_EQ(grid.headerText(1, 100), QStringLiteral("s   01dyno.STP"));
    EXPECT_EQ(grid.headerText(2, 6), QString());
}

TEST(ComparedRuns, FileThatCannotBeReadStopsTheReading)
{
    QTemporaryDir temp;
    QList<SelectionRow> rows{
        {QStringLiteral("clRed"),
         QStringLiteral("a"),
         {},
         toolFixturePath(QStringLiteral("notes_a.STP")),
         {}},
        {QStringLiteral("clAqua"), QStringLiteral("gone"), {}, temp.filePath(QStringLiteral("gone.STP")), {}},
        {QStringLiteral("clLime"),
         QStringLiteral("b"),
         {},
         toolFixturePath(QStringLiteral("notes_b.STP")),
         {}}};
    const ComparedRunsResult read = readComparedRuns(rows);
    ASSERT_EQ(read.runs.size(), 1u);
    EXPECT_EQ(read.runs[0].colour, QStringLiteral("clRed"));
    EXPECT_EQ(read.runs[0].lines, toolFixture(QStringLiteral("notes_a.STP")));
    ASSERT_TRUE(read.error.has_value());
    EXPECT_TRUE(read.error->message.contains(QStringLiteral("gone.STP")));
}

} // namespace
} // namespace tolvane
