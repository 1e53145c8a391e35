// The run viewer's widget-free rules: font steps, strip widths and colours, and renaming the
// current run together with the selection rows that show it.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/analysis/run_viewer_rules.h"
#include "core/analysis/viewer_text.h"
#include "core/common/text_file.h"
#include "core/library/selection.h"

namespace tolvane {
namespace {

TEST(RunViewerRules, NotesFontSteps)
{
    struct Case {
        int size;
        int smaller;
        int larger;
    };
    for (const Case& c :
         {Case{10, 8, 12}, Case{9, 8, 11}, Case{8, 8, 10}, Case{12, 10, 14}, Case{72, 70, 74}}) {
        EXPECT_EQ(smallerNotesFont(c.size), c.smaller) << c.size;
        EXPECT_EQ(largerNotesFont(c.size), c.larger) << c.size;
    }
}

TEST(RunViewerRules, StoredNotesFontWithinWhatTheBoxCanShow)
{
    for (const auto& [stored, shown] :
         {std::pair{12, 12}, {1, 1}, {200, 200}, {0, 1}, {-4, 1}, {100000, 200}})
        EXPECT_EQ(storedNotesFont(stored), shown) << stored;
}

TEST(RunViewerRules, StripColumnWidths)
{
    EXPECT_EQ(runStripColumnWidths(600, 4), (QList<int>{60, 171, 171, 171}));
    EXPECT_EQ(runStripColumnWidths(600, 2), (QList<int>{60, 515}));
    EXPECT_EQ(runStripColumnWidths(600, 1), (QList<int>{60}));
    EXPECT_TRUE(runStripColumnWidths(600, 0).isEmpty());
    EXPECT_EQ(runStripColumnWidths(50, 3), (QList<int>{60, 0, 0}));
}

TEST(RunViewerRules, StripTextColourOnlyCapitalClBlackTurnsWhite)
{
    EXPECT_EQ(runStripTextColor(QStringLiteral("ClBlack")), QStringLiteral("clWhite"));
    EXPECT_EQ(runStripTextColor(QStringLiteral("clBlack")), QStringLiteral("clBlack"));
    EXPECT_EQ(runStripTextColor(QStringLiteral("clRed")), QStringLiteral("clRed"));
}

class RenameTest : public ::testing::Test {
protected:
    RenameTest()
    {
        root = dir.path() + QStringLiteral("/dynoruns");
        QDir().mkpath(root + QStringLiteral("/Ford/Focus"));
        oldPath = root + QStringLiteral("/Ford/Focus/01dyno.SWP");
        lines = {QStringLiteral("Sweep Test"), QStringLiteral("Ford\\Focus\\01dyno.SWP"),
                 QStringLiteral("notes")};
        writeTextLines(oldPath, lines);
        text.setLines(lines, false);
        selection.addRun(root + QStringLiteral("/Ford/Focus/other.SWP"), root, QString(),
                         Selection::MarkerSpelling::Capital);
        selection.addRun(oldPath, root, QString(), Selection::MarkerSpelling::Capital);
    }

    QTemporaryDir dir;
    QString root;
    QString oldPath;
    QStringList lines;
    ViewerText text;
    Selection selection;
};

TEST_F(RenameTest, RenamesFileRowsAndLineTwo)
{
    const QString newPath = root + QStringLiteral("/Ford/Focus/02dyno.SWP");
    EXPECT_EQ(renameCurrentRun(text, selection, root, newPath), std::nullopt);

    EXPECT_FALSE(QFile::exists(oldPath));
    const QStringList written = readTextLines(newPath).lines;
    EXPECT_EQ(written, (QStringList{"Sweep Test", "Ford\\Focus\\02dyno.SWP", "notes"}));
    EXPECT_EQ(text.lines(), written);
    EXPECT_FALSE(text.isModified());
    EXPECT_EQ(selection.row(2).path, newPath);
    EXPECT_EQ(selection.row(2).displayName, QStringLiteral("   Ford   Focus   02dyno.SWP"));
    EXPECT_EQ(selection.row(1).path, root + QStringLiteral("/Ford/Focus/other.SWP"));
}

TEST_F(RenameTest, RefusalsKeepFileRowsAndText)
{
    writeTextLines(root + QStringLiteral("/Ford/Focus/taken.SWP"), {QStringLiteral("x")});
    const QStringList targets{dir.path() + QStringLiteral("/outside.SWP"),
                              root + QStringLiteral("/Ford/Focus/taken.SWP"),
                              root + QStringLiteral("/Ford/NoSuchFolder/03dyno.SWP")};
    for (const QString& target : targets) {
        EXPECT_TRUE(renameCurrentRun(text, selection, root, target).has_value()) << target.toStdString();
        EXPECT_TRUE(QFile::exists(oldPath));
        EXPECT_EQ(selection.row(2).path, oldPath);
        EXPECT_EQ(text.lines(), lines);
    }
}

TEST_F(RenameTest, LineTwoOutsideTheLibraryIsRefused)
{
    text.setLines({QStringLiteral("Sweep Test"), QStringLiteral("..\\..\\evil.SWP")}, true);
    EXPECT_TRUE(renameCurrentRun(text, selection, root, root + QStringLiteral("/Ford/x.SWP")).has_value());
    EXPECT_TRUE(QFile::exists(oldPath));
}

} // namespace
} // namespace tolvane
