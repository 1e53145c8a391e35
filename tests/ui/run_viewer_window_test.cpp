// The run viewer driven through its handlers with a scripted operator: context-menu captions,
// notes font steps, the notes backup, saving inside the library only, renaming with the
// selection rows, the run strip and the run table.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "core/analysis/graph_settings.h"
#include "core/analysis/run_plotter.h"
#include "core/analysis/series_model.h"
#include "core/analysis/viewer_state.h"
#include "core/analysis/viewer_text.h"
#include "core/common/data_paths.h"
#include "core/common/scripted_prompter.h"
#include "core/common/text_file.h"
#include "core/library/layout_settings.h"
#include "core/library/selection.h"
#include "core/setup/unit_settings.h"
#include "support/fixtures.h"
#include "support/ui_items.h"
#include "ui/analysis/chg_inertia_dialog.h"
#include "ui/analysis/run_viewer_window.h"

namespace tolvane {
namespace {

QStringList toolFixture(const QString& name)
{
    return readTextLines(test::fixturePath(QStringLiteral("tools/") + name)).lines;
}

class RunViewerWindowTest : public ::testing::Test {
protected:
    RunViewerWindowTest()
        : paths(dir.path()), root(dir.path() + QStringLiteral("/dynoruns")),
          plotter(model, selection, settings, viewer, prompter, QLatin1Char('.'))
    {
        QDir().mkpath(root + QStringLiteral("/Yamaha/R6/Smith"));
        runPath = root + QStringLiteral("/Yamaha/R6/Smith/02dyno.SWP");
        runLines = toolFixture(QStringLiteral("sweep.SWP"));
        writeTextLines(runPath, runLines);
        window = std::make_unique<TViewFiles>(
            RecalcContext{text, viewer, model, settings, prompter, units, TextLocale::standard()}, selection,
            plotter, paths, layout);
        window->setRootDirectory(root);
        window->resize(600, 400);
    }

    void loadRun() { text.setLines(runLines, false); }

    // An operator's edit: the box's text changes as typing would change it.
    void typeInNotes(const QString& added)
    {
        window->notesBox()->moveCursor(QTextCursor::End);
        window->notesBox()->insertPlainText(added);
    }

    QTemporaryDir dir;
    DataPaths paths;
    QString root;
    QString runPath;
    QStringList runLines;
    UnitSettings units;
    GraphSettings settings;
    Selection selection;
    ViewerState viewer;
    ViewerText text;
    SeriesModel model;
    ScriptedPrompter prompter;
    LayoutSettings layout;
    RunPlotter plotter;
    std::unique_ptr<TViewFiles> window;
};

TEST_F(RunViewerWindowTest, ContextMenuCaptionsInOrder)
{
    QStringList captions;
    for (const QAction* item : window->contextMenu()->actions())
        captions << (item->isSeparator() ? QStringLiteral("-") : item->text());
    EXPECT_EQ(captions, (QStringList{"Compare Notes",
                                     "-",
                                     "&Save",
                                     "Rename...",
                                     "Save Copy As...",
                                     "-",
                                     "Cut              Ctrl+X",
                                     "Copy           Ctrl+C",
                                     "Paste          Ctrl+P",
                                     "-",
                                     "Larger Font",
                                     "Smaller Font",
                                     "-",
                                     "Load Backup",
                                     "-",
                                     "Print",
                                     "Goto &Test",
                                     "Even Inc",
                                     "writem",
                                     "Spike Filter"}));
}

TEST_F(RunViewerWindowTest, NotesFontSteps)
{
    test::item(*window->contextMenu(), "SmallerFont1").trigger(); // 10 -> 8
    EXPECT_EQ(layout.notesFontSize(), 8);
    test::item(*window->contextMenu(), "LargerFont1").trigger();  // 8 -> 10
    test::item(*window->contextMenu(), "LargerFont1").trigger();  // 10 -> 12
    test::item(*window->contextMenu(), "SmallerFont1").trigger(); // 12 -> 10
    test::item(*window->contextMenu(), "LargerFont1").trigger();  // 10 -> 12
    EXPECT_EQ(layout.notesFontSize(), 12);
    EXPECT_EQ(window->notesBox()->font().pointSize(), 12);
}

TEST_F(RunViewerWindowTest, NotesShowTheTextWithTabsAndEditsMarkItModified)
{
    loadRun();
    EXPECT_EQ(window->notesBox()->toPlainText(), runLines.join(QLatin1Char('\n')));
    EXPECT_TRUE(window->notesBox()->toPlainText().contains(QStringLiteral("4020\t76.2\t")));
    EXPECT_EQ(window->notesBox()->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_FALSE(text.isModified());

    typeInNotes(QStringLiteral("\nnew note"));
    EXPECT_TRUE(text.isModified());
    EXPECT_EQ(text.lines().last(), QStringLiteral("new note"));
}

TEST_F(RunViewerWindowTest, LoadBackupGivesBackTheEditedTextNotTheFile)
{
    loadRun();
    for (const char* key : {" ", "e", "d", "i", "t", "e", "d"})
        typeInNotes(QString::fromLatin1(key));
    const QStringList edited = text.lines();
    // A burst of keys is not written key by key.
    EXPECT_FALSE(QFile::exists(paths.notesBackup()));

    // Another run replaces the box before the backup was written; reading the backup writes the
    // edit first, so it gives back the edit.
    text.showFile(toolFixture(QStringLiteral("step.STP")), QStringLiteral("step.STP"));
    test::item(*window->contextMenu(), "LoadBackup1").trigger();
    EXPECT_EQ(readTextLines(paths.notesBackup()).lines, edited);
    EXPECT_EQ(text.lines(), edited);
    EXPECT_EQ(window->notesBox()->toPlainText(), edited.join(QLatin1Char('\n')));
    EXPECT_TRUE(text.isModified());
}

TEST_F(RunViewerWindowTest, NotesBackupIsWrittenShortlyAfterTypingStops)
{
    loadRun();
    typeInNotes(QStringLiteral(" edited"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(paths.notesBackup()); }, 5000));
    EXPECT_EQ(readTextLines(paths.notesBackup()).lines, text.lines());
}

TEST_F(RunViewerWindowTest, LoadBackupWithoutABackupSaysSoAndKeepsTheNotes)
{
    loadRun();
    window->LoadBackup1Click();
    ASSERT_EQ(prompter.asked().size(), 1u);
    EXPECT_EQ(text.lines(), runLines);
}

TEST_F(RunViewerWindowTest, SaveAsksThenWritesToLineTwo)
{
    struct Case {
        const char* name;
        QString lineTwo;
        PromptAnswer answer;
        QString writtenTo; // empty: nothing written
    };
    const QString moved = root + QStringLiteral("/Yamaha/R6/Smith/03dyno.SWP");
    const std::vector<Case> cases{
        {"ok", QStringLiteral("Yamaha\\R6\\Smith\\02dyno.SWP"), PromptAnswer::Ok, runPath},
        {"cancel", QStringLiteral("Yamaha\\R6\\Smith\\02dyno.SWP"), PromptAnswer::Cancel, QString()},
        {"line two edited", QStringLiteral("Yamaha\\R6\\Smith\\03dyno.SWP"), PromptAnswer::Ok, moved},
    };
    int refresh = 0;
    QObject::connect(window.get(), &TViewFiles::refreshRequested, [&refresh] { ++refresh; });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        refresh = 0;
        writeTextLines(runPath, runLines);
        QFile::remove(moved);
        QStringList lines = runLines;
        lines[1] = c.lineTwo;
        lines << QStringLiteral("saved note");
        text.setLines(lines, true);
        prompter.clearRecord();
        prompter.queueAnswer(c.answer);

        test::item(*window->contextMenu(), "Save1").trigger();

        ASSERT_EQ(prompter.asked().size(), 1u);
        EXPECT_EQ(prompter.asked()[0].buttons, PromptButtons::OkCancel);
        const QString expectedPath = QDir::toNativeSeparators(
            root + QLatin1Char('/') + QString(c.lineTwo).replace(QLatin1Char('\\'), QLatin1Char('/')));
        EXPECT_EQ(prompter.asked()[0].text, QStringLiteral("Save as- ") + expectedPath);
        if (c.writtenTo.isEmpty()) {
            EXPECT_EQ(readTextLines(runPath).lines, runLines);
            EXPECT_TRUE(text.isModified());
            EXPECT_EQ(refresh, 0);
        } else {
            EXPECT_EQ(readTextLines(c.writtenTo).lines, lines);
            EXPECT_FALSE(text.isModified());
            EXPECT_EQ(refresh, 1);
        }
    }
}

TEST_F(RunViewerWindowTest, SaveRefusesALineTwoOutsideTheLibrary)
{
    for (const QString& lineTwo :
         {QStringLiteral("..\\..\\outside.SWP"), QStringLiteral("c:\\windows\\x.SWP"), QString()}) {
        QStringList lines = runLines;
        lines[1] = lineTwo;
        text.setLines(lines, true);
        prompter.clearRecord();
        window->Save1Click();
        ASSERT_EQ(prompter.asked().size(), 1u) << lineTwo.toStdString();
        EXPECT_TRUE(
            prompter.asked()[0].text.startsWith(QStringLiteral("Nothing was written: the file's path")));
        EXPECT_TRUE(text.isModified());
    }
    EXPECT_FALSE(QFile::exists(dir.path() + QStringLiteral("/outside.SWP")));
    EXPECT_EQ(readTextLines(runPath).lines, runLines);
}

TEST_F(RunViewerWindowTest, SaveCopyAsKeepsLineTwo)
{
    loadRun();
    typeInNotes(QStringLiteral(" copy"));
    const QString copy = dir.path() + QStringLiteral("/copy.SWP");
    prompter.queueFile(copy);
    int fileList = 0;
    QObject::connect(window.get(), &TViewFiles::fileListChanged, [&fileList] { ++fileList; });
    test::item(*window->contextMenu(), "SaveCopyAs1").trigger();
    EXPECT_EQ(readTextLines(copy).lines, text.lines());
    EXPECT_EQ(text.storedPath(), QStringLiteral("Yamaha\\R6\\Smith\\02dyno.SWP"));
    EXPECT_FALSE(text.isModified());

    prompter.queueFile(std::nullopt);
    window->SaveCopyAs1Click();
    EXPECT_EQ(fileList, 2);
}

TEST_F(RunViewerWindowTest, RenameUpdatesTheSelectionRowsAndLineTwo)
{
    selection.addRun(runPath, root, QString(), Selection::MarkerSpelling::Capital);
    loadRun();
    const QString renamed = root + QStringLiteral("/Yamaha/R6/Smith/07dyno.SWP");
    prompter.queueFile(renamed);
    test::item(*window->contextMenu(), "Rename1").trigger();

    ASSERT_EQ(prompter.fileRequests().size(), 1u);
    EXPECT_EQ(prompter.fileRequests()[0].fileName, QStringLiteral("02dyno.SWP"));
    EXPECT_EQ(prompter.fileRequests()[0].directory, root + QStringLiteral("/Yamaha/R6/Smith"));
    EXPECT_FALSE(QFile::exists(runPath));
    EXPECT_EQ(selection.row(1).path, renamed);
    EXPECT_EQ(selection.row(1).displayName, QStringLiteral("   Yamaha   R6   Smith   07dyno.SWP"));
    EXPECT_EQ(text.storedPath(), QStringLiteral("Yamaha\\R6\\Smith\\07dyno.SWP"));
    EXPECT_EQ(readTextLines(renamed).lines, text.lines());

    // Cancel: nothing moves.
    prompter.queueFile(std::nullopt);
    window->Rename1Click();
    EXPECT_TRUE(QFile::exists(renamed));
    EXPECT_EQ(selection.row(1).path, renamed);
}

TEST_F(RunViewerWindowTest, CompareNotesNeedsTwoRuns)
{
    int compare = 0;
    QObject::connect(window.get(), &TViewFiles::compareNotesRequested, [&compare] { ++compare; });
    selection.addRun(runPath, root, QString(), Selection::MarkerSpelling::Capital);
    window->CompareNotes1Click();
    EXPECT_EQ(compare, 0);
    selection.addRun(runPath, root, QString(), Selection::MarkerSpelling::Capital);
    window->CompareNotes1Click();
    EXPECT_EQ(compare, 1);
}

TEST_F(RunViewerWindowTest, RunStripColumnsColoursAndClick)
{
    for (int i = 0; i < 3; ++i)
        selection.addRun(runPath, root, QString(), Selection::MarkerSpelling::Capital);
    selection.setColor(2, QStringLiteral("ClBlack"));
    window->show();
    window->runStrip()->setFixedWidth(600);
    viewer.setRunStrip(
        {QStringLiteral("02dyno.SWP"), QStringLiteral("02dyno.SWP"), QStringLiteral("02dyno.SWP")});

    QTableWidget* strip = window->runStrip();
    ASSERT_EQ(strip->columnCount(), 4);
    EXPECT_EQ(strip->columnWidth(0), 60);
    EXPECT_EQ(strip->columnWidth(1), 171);
    EXPECT_EQ(strip->columnWidth(3), 171);
    EXPECT_EQ(strip->item(0, 1)->foreground().color(), QColor(Qt::red));
    EXPECT_EQ(strip->item(0, 2)->foreground().color(), QColor(Qt::white));
    EXPECT_EQ(strip->item(0, 1)->text(), QStringLiteral("02dyno.SWP"));

    int checks = 0;
    window->setNotesCheck([&checks] {
        ++checks;
        return false;
    });
    window->LineColorClick(3);
    EXPECT_EQ(checks, 1);
    EXPECT_EQ(text.lines(), runLines);
    EXPECT_FALSE(text.isModified());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("02dyno.SWP"));
    EXPECT_FALSE(model.series(SeriesKey::PreviewPower)->points.empty());

    window->LineColorClick(0);
    window->LineColorClick(4);
    EXPECT_EQ(checks, 1);
}

TEST_F(RunViewerWindowTest, PlotAllSettlesTheNotesFirstAndShowsTheLastRun)
{
    const QString secondPath = root + QStringLiteral("/Yamaha/R6/Smith/03dyno.SWP");
    QStringList secondLines = runLines;
    secondLines[1] = QStringLiteral("\\Yamaha\\R6\\Smith\\03dyno.SWP");
    writeTextLines(secondPath, secondLines);
    selection.addRun(runPath, root, QString(), Selection::MarkerSpelling::Capital);
    selection.addRun(secondPath, root, QString(), Selection::MarkerSpelling::Capital);

    // An operator who throws the edits away skips this pass: nothing is drawn, the notes stay.
    text.setLines({QStringLiteral("edited")}, true);
    window->setNotesCheck([] { return true; });
    window->PlotAll();
    EXPECT_TRUE(model.series(1) == nullptr || model.series(1)->points.empty());
    EXPECT_EQ(text.lines(), QStringList{QStringLiteral("edited")});

    // The caption follows the text: the box now shows the last run, whatever was shown before.
    text.showFile(runLines, QStringLiteral("removed.SWP"));
    window->setNotesCheck([] { return false; });
    window->PlotAll();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("03dyno.SWP"));
    ASSERT_NE(model.series(2), nullptr);
    EXPECT_FALSE(model.series(2)->points.empty());
    EXPECT_EQ(window->runStrip()->columnCount(), 3);
    EXPECT_EQ(window->runStrip()->item(0, 2)->text(), QStringLiteral("03dyno.SWP"));
    EXPECT_EQ(text.lines(), secondLines);
    EXPECT_FALSE(text.isModified());
    EXPECT_EQ(viewer.fileCountAtPlot(), 2);
}

TEST_F(RunViewerWindowTest, DoubleClicksSwapNotesAndRunTable)
{
    loadRun();
    window->show();
    window->Memo1DblClick();
    EXPECT_FALSE(window->notesBox()->isVisible());
    ASSERT_TRUE(window->runTableGrid()->isVisible());
    const QAbstractItemModel& grid = *window->runTableGrid()->model();
    EXPECT_EQ(grid.rowCount(), 6);
    EXPECT_EQ(grid.index(0, 0).data().toString(), QStringLiteral("4020.00"));
    EXPECT_EQ(grid.index(5, 1).data().toString(), QStringLiteral("83.20"));
    window->StringGrid1DblClick();
    EXPECT_TRUE(window->notesBox()->isVisible());
    EXPECT_FALSE(window->runTableGrid()->isVisible());
}

TEST_F(RunViewerWindowTest, ArmedSpikeFilterSavesTheNextRunShownThenRefreshes)
{
    const QString file = root + QStringLiteral("/Honda/Civic/Jones/03dyno.STP");
    QDir().mkpath(QFileInfo(file).path());
    const QStringList spiky = toolFixture(QStringLiteral("spike.STP"));
    writeTextLines(file, spiky);
    int refreshes = 0;
    int fileLists = 0;
    QObject::connect(window.get(), &TViewFiles::refreshRequested, [&refreshes] { ++refreshes; });
    QObject::connect(window.get(), &TViewFiles::fileListChanged, [&fileLists] { ++fileLists; });

    test::item(*window->contextMenu(), "SpikeFilter1").trigger();
    EXPECT_TRUE(viewer.spikeFilterArmed());
    window->showRun(spiky, QStringLiteral("clWhite"), QStringLiteral("03dyno.STP"));
    EXPECT_FALSE(viewer.spikeFilterArmed());
    EXPECT_EQ(readTextLines(file).lines, toolFixture(QStringLiteral("spike_filtered.STP")));
    // The refresh waits until the plot that ran the filter has finished.
    EXPECT_EQ(refreshes, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(fileLists, 1);
}

TEST_F(RunViewerWindowTest, EvenIncrementsFromTheInertiaDialogAndWritem)
{
    loadRun();
    int graphShown = 0;
    QObject::connect(window.get(), &TViewFiles::showGraphRequested, [&graphShown] { ++graphShown; });

    // "writem" before any "Even Inc" has nothing to write.
    test::item(*window->contextMenu(), "writem1").trigger();
    EXPECT_EQ(text.lines(), runLines);
    ASSERT_EQ(prompter.asked().size(), 1u);

    window->ChangeInertia1Click();
    window->inertiaDialog().evenIncButton()->click();
    const QStringList even = toolFixture(QStringLiteral("sweep_even.SWP"));
    EXPECT_EQ(text.lines(), even);
    EXPECT_TRUE(text.isModified());
    EXPECT_EQ(window->notesBox()->toPlainText(), even.join(QLatin1Char('\n')));
    EXPECT_GE(graphShown, 2); // the dialog's preview and the even-increment curve

    // The kept table writes the same lines into a fresh copy of the run.
    loadRun();
    test::item(*window->contextMenu(), "writem1").trigger();
    EXPECT_EQ(text.lines(), even);
}

// Run strip clicks on the smallest run files: the notes always show the file; only a run with
// two data rows draws a preview.
TEST_F(RunViewerWindowTest, StripClickOnSmallFiles)
{
    struct Case {
        const char* file;
        bool preview;
    };
    for (const Case& c : {Case{"runs/lines15.STP", false}, Case{"runs/lines16.STP", false},
                          Case{"runs/step_basic.STP", true}}) {
        SCOPED_TRACE(c.file);
        const QString path = test::fixturePath(QString::fromLatin1(c.file));
        selection.clear();
        model.ClearSeries(SeriesKey::PreviewPower);
        selection.addRun(path, test::fixturePath(QString()), QString(), Selection::MarkerSpelling::Capital);
        viewer.setRunStrip({QFileInfo(path).fileName()});
        window->LineColorClick(1);
        EXPECT_EQ(text.lines(), readTextLines(path).lines);
        EXPECT_EQ(window->windowTitle(), QFileInfo(path).fileName());
        const Series* power = model.series(SeriesKey::PreviewPower);
        EXPECT_EQ(power != nullptr && !power->points.empty(), c.preview);
    }
}

} // namespace
} // namespace tolvane
