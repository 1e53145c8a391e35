// The test-library browser driven through its handlers over a small library in a temporary
// folder, with a scripted operator: walking the folder lists, new folders, adding runs by
// double-click, drop and History, removing and recolouring rows, refusing files that are not
// test files, repairing line 2, the unsaved-notes question and Clear All.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTemporaryDir>

#include "core/analysis/graph_settings.h"
#include "core/analysis/run_plotter.h"
#include "core/analysis/series_model.h"
#include "core/analysis/viewer_state.h"
#include "core/analysis/viewer_text.h"
#include "core/common/configuration.h"
#include "core/common/data_paths.h"
#include "core/common/scripted_prompter.h"
#include "core/common/text_file.h"
#include "core/library/layout_settings.h"
#include "core/library/selection.h"
#include "core/setup/unit_settings.h"
#include "support/operator_answers.h"
#include "support/ui_items.h"
#include "ui/analysis/run_viewer_window.h"
#include "ui/shell/browser_window.h"

namespace tolvane {
namespace {

const QString SystemFileText = QStringLiteral("This file is off limits as it has a system extension.");
const QString SizeText =
    QStringLiteral("This file is off limits as it too large or small to be a valid test file.");

// A test file of count lines whose line 2 is stored.
QStringList testFile(const QString& stored, int count)
{
    QStringList lines{QStringLiteral("Tolvane QV512e"), stored};
    while (lines.size() < count)
        lines << QStringLiteral("note %1").arg(lines.size() + 1);
    return lines;
}

QStringList gridColumn(const QTableWidget* grid, int column)
{
    QStringList texts;
    for (int row = 0; row < grid->rowCount(); ++row)
        texts << (grid->item(row, column) ? grid->item(row, column)->text() : QString());
    return texts;
}

QStringList listEntries(const QComboBox* list)
{
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->itemText(i);
    return entries;
}

class BrowserWindowTest : public ::testing::Test {
protected:
    BrowserWindowTest()
        : paths(dir.path()), root(dir.path() + QStringLiteral("/dynoruns")),
          configuration(dir.path() + QStringLiteral("/ZezeDur_USB.Ini"), TextLocale::standard()),
          plotter(model, selection, settings, viewer, prompter, QLatin1Char('.'))
    {
        for (const char* folder : {"Yamaha/R1/Jenkins/V2", "Yamaha/R6", "Honda/CBR600RR/Okafor"})
            QDir().mkpath(root + QLatin1Char('/') + QLatin1String(folder));
        for (const char* file : {"Yamaha/R1/Jenkins/01dyno.STP", "Yamaha/R1/Jenkins/02dyno.SWP",
                                 "Yamaha/R1/Jenkins/03dyno.SWP", "Honda/CBR600RR/Okafor/01dyno.STP"})
            writeRun(QString::fromLatin1(file), 20);
        runViewer = std::make_unique<TViewFiles>(
            RecalcContext{text, viewer, model, settings, prompter, units, TextLocale::standard()}, selection,
            plotter, paths, layout);
        runViewer->setRootDirectory(root);
        window = std::make_unique<TDirForm>(TDirForm::Models{selection, viewer, text, model, settings, layout,
                                                             configuration, prompter, locale},
                                            *runViewer, makeDir);
        window->setRootDirectory(root);
        window->resize(660, 200);
        QObject::connect(window.get(), &TDirForm::refreshRequested, [this] { ++refreshes; });
        QObject::connect(window.get(), &TDirForm::plotAllRequested, [this] { ++plotAlls; });
        QObject::connect(window.get(), &TDirForm::fileNameProposalRequested, [this] { ++proposals; });
    }

    // Writes a run below the root whose line 2 names it.
    QString writeRun(const QString& relative, int lineCount)
    {
        const QString path = root + QLatin1Char('/') + relative;
        QDir().mkpath(QFileInfo(path).path());
        writeTextLines(path,
                       testFile(QString(relative).replace(QLatin1Char('/'), QLatin1Char('\\')), lineCount));
        return path;
    }

    // The operator clicks a file of the file list.
    void chooseInList(const QString& name)
    {
        const QList<QListWidgetItem*> found = window->Mfilelb()->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        window->Mfilelb()->setCurrentItem(found.first());
    }

    void choose(QComboBox* list, const QString& entry)
    {
        const int index = list->findText(entry);
        ASSERT_GE(index, 0) << entry.toStdString();
        list->setCurrentIndex(index);
    }

    // The Jenkins folder in the file list, as a walk through the lists leaves it.
    void openJenkins() { window->WriteDirBoxs(root + QStringLiteral("/Yamaha/R1/Jenkins/01dyno.STP")); }

    // count runs in the selection, made in the Jenkins folder and added by double-click.
    void addRuns(int count)
    {
        openJenkins();
        for (int i = 1; i <= count; ++i) {
            const QString name = QStringLiteral("%1run.STP").arg(i, 2, 10, QLatin1Char('0'));
            if (window->Mfilelb()->findItems(name, Qt::MatchExactly).isEmpty()) {
                writeRun(QStringLiteral("Yamaha/R1/Jenkins/") + name, 20);
                window->setFileListDirectory(window->fileListDirectory());
            }
            chooseInList(name);
            window->MfilelbDblClick();
        }
    }

    QTemporaryDir dir;
    DataPaths paths;
    QString root;
    Configuration configuration;
    UnitSettings units;
    GraphSettings settings;
    Selection selection;
    ViewerState viewer;
    ViewerText text;
    SeriesModel model;
    ScriptedPrompter prompter;
    LayoutSettings layout;
    TextLocale locale = TextLocale::standard();
    TMkDirF makeDir{prompter};
    RunPlotter plotter;
    std::unique_ptr<TViewFiles> runViewer;
    std::unique_ptr<TDirForm> window;
    QStringList folderPrefills;
    int refreshes = 0;
    int plotAlls = 0;
    int proposals = 0;

    QStringList inputTitles() const
    {
        QStringList titles;
        for (const ScriptedPrompter::InputRequest& request : prompter.inputs())
            titles << request.title;
        return titles;
    }
    QStringList inputInitials() const
    {
        QStringList initials;
        for (const ScriptedPrompter::InputRequest& request : prompter.inputs())
            initials << request.initial;
        return initials;
    }
};

TEST_F(BrowserWindowTest, CaptionGridHeaderAndMenu)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Select Files"));
    QStringList headers;
    for (int column = 0; column < 5; ++column)
        headers << window->Selfileg()->horizontalHeaderItem(column)->text();
    EXPECT_EQ(headers, (QStringList{"Clr:", "File Name:", "Date\\Time:", "Path:", ""}));
    EXPECT_TRUE(window->Selfileg()->isColumnHidden(3));
    EXPECT_TRUE(window->Selfileg()->isColumnHidden(4));
    EXPECT_EQ(window->Selfileg()->rowCount(), 0);
    EXPECT_EQ(window->Selfileg()->font().pixelSize(), 11);
    QStringList captions;
    for (const QAction* item : window->PopupMenu1()->actions())
        captions << item->text();
    EXPECT_EQ(captions, (QStringList{"Clear All", "Rename File", "Saved Test Location", "Go To Test"}));
    EXPECT_EQ(window->Mfilelb()->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_TRUE(window->Mfilelb()->dragEnabled());

    int rootDialogs = 0;
    QObject::connect(window.get(), &TDirForm::rootDirectoryDialogRequested, [&] { ++rootDialogs; });
    test::item(*window->PopupMenu1(), "ChangeRoot1").trigger();
    EXPECT_EQ(rootDialogs, 1);
    int newTests = 0;
    QObject::connect(window.get(), &TDirForm::newTestRequested, [&] { ++newTests; });
    test::item(*window->PopupMenu1(), "GoToTest1").trigger();
    EXPECT_EQ(newTests, 1);
}

TEST_F(BrowserWindowTest, RenameFileRenamesTheShownRunAndItsSelectionRow)
{
    openJenkins();
    chooseInList(QStringLiteral("02dyno.SWP"));
    window->MfilelbDblClick();
    window->MfilelbClick();
    const QString renamed = root + QStringLiteral("/Yamaha/R1/Jenkins/02baseline.SWP");
    prompter.queueFile(renamed);
    test::item(*window->PopupMenu1(), "Rename1").trigger();
    EXPECT_TRUE(QFileInfo::exists(renamed));
    EXPECT_EQ(selection.row(1).path, renamed);
    EXPECT_EQ(window->Selfileg()->item(0, 1)->text(),
              QStringLiteral("   Yamaha   R1   Jenkins   02baseline.SWP"));
    // The file list shows the new name at once.
    EXPECT_EQ(window->Mfilelb()->findItems(QStringLiteral("02baseline.SWP"), Qt::MatchExactly).size(), 1);
    EXPECT_TRUE(window->Mfilelb()->findItems(QStringLiteral("02dyno.SWP"), Qt::MatchExactly).isEmpty());
}

TEST_F(BrowserWindowTest, MakeListRebuildChoosesTheFirstMakeWhenTheRootHoldsNoFiles)
{
    window->CBMK();
    EXPECT_EQ(listEntries(window->Makecb()), (QStringList{"Honda", "Yamaha", "New..."}));
    // The root holds no files, so the first make is opened.
    EXPECT_EQ(window->Makecb()->currentText(), QStringLiteral("Honda"));
    EXPECT_EQ(listEntries(window->Modelcb()), (QStringList{"CBR600RR", "New..."}));
    EXPECT_EQ(window->Modelcb()->currentIndex(), -1);
    EXPECT_EQ(window->fileListDirectory(), root + QStringLiteral("/Honda"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral(" "));

    // With a file at the root, the make stays un-chosen and the file list shows the root.
    writeRun(QStringLiteral("loose.STP"), 20);
    window->CBMK();
    EXPECT_EQ(window->Makecb()->currentIndex(), -1);
    EXPECT_TRUE(window->Modelcb()->count() == 0 && window->Namecb()->count() == 0);
    EXPECT_EQ(window->fileListDirectory(), root);
    EXPECT_EQ(window->Mfilelb()->count(), 1);
}

TEST_F(BrowserWindowTest, WalkingTheLevelsFillsTheLowerListsAndTheFileList)
{
    window->CBMK();
    choose(window->Makecb(), QStringLiteral("Yamaha"));
    window->MakecbChange();
    EXPECT_EQ(listEntries(window->Modelcb()), (QStringList{"R1", "R6", "New..."}));
    choose(window->Modelcb(), QStringLiteral("R1"));
    window->ModelcbChange();
    EXPECT_EQ(listEntries(window->Namecb()), (QStringList{"Jenkins", "New..."}));
    EXPECT_EQ(window->windowTitle(), QDir::toNativeSeparators(root + QStringLiteral("/Yamaha/R1")));
    choose(window->Namecb(), QStringLiteral("Jenkins"));
    window->NamecbChange();
    EXPECT_EQ(listEntries(window->Versioncb()), (QStringList{"V2", "New..."}));
    EXPECT_EQ(window->fileListDirectory(), root + QStringLiteral("/Yamaha/R1/Jenkins"));
    QStringList files;
    for (int i = 0; i < window->Mfilelb()->count(); ++i)
        files << window->Mfilelb()->item(i)->text();
    EXPECT_EQ(files, (QStringList{"01dyno.STP", "02dyno.SWP", "03dyno.SWP"}));
    choose(window->Versioncb(), QStringLiteral("V2"));
    window->VersioncbChange();
    EXPECT_EQ(window->fileListDirectory(), root + QStringLiteral("/Yamaha/R1/Jenkins/V2"));
    EXPECT_EQ(window->Mfilelb()->count(), 0);

    // A new make empties everything below it.
    choose(window->Makecb(), QStringLiteral("Honda"));
    window->MakecbChange();
    EXPECT_EQ(listEntries(window->Modelcb()), (QStringList{"CBR600RR", "New..."}));
    EXPECT_EQ(window->Namecb()->count(), 0);
    EXPECT_EQ(window->Versioncb()->count(), 0);
}

TEST_F(BrowserWindowTest, ListsFollowAFilesPlace)
{
    window->CBMK();
    openJenkins();
    EXPECT_EQ(window->Makecb()->currentText(), QStringLiteral("Yamaha"));
    EXPECT_EQ(window->Modelcb()->currentText(), QStringLiteral("R1"));
    EXPECT_EQ(window->Namecb()->currentText(), QStringLiteral("Jenkins"));
    EXPECT_EQ(window->Versioncb()->currentIndex(), -1);
    EXPECT_EQ(window->fileListDirectory(), root + QStringLiteral("/Yamaha/R1/Jenkins"));

    // A folder the lists do not hold (gone since, or never listed) is added and chosen; the file
    // list still goes to the file's folder.
    window->WriteDirBoxs(root + QStringLiteral("/Suzuki/GSX/Brown/01dyno.STP"));
    EXPECT_EQ(window->Makecb()->currentText(), QStringLiteral("Suzuki"));
    EXPECT_EQ(window->Modelcb()->currentText(), QStringLiteral("GSX"));
    EXPECT_EQ(window->Namecb()->currentText(), QStringLiteral("Brown"));
    EXPECT_EQ(window->fileListDirectory(), root + QStringLiteral("/Suzuki/GSX/Brown"));

    window->WriteDirBoxs(root + QStringLiteral("/Yamaha/R1/Jenkins/V2/05dyno.STP"));
    EXPECT_EQ(window->Versioncb()->currentText(), QStringLiteral("V2"));
    EXPECT_EQ(window->fileListDirectory(), root + QStringLiteral("/Yamaha/R1/Jenkins/V2"));
}

// Only the operator's own choice of a make or a model drops the next list down. The program's
// choices (the first make of a new list, a file's place at start-up) leave every list closed:
// an open list hangs over the selection grid and swallows the operator's first click.
TEST_F(BrowserWindowTest, OnlyTheOperatorsChoiceDropsTheNextListDown)
{
    window->show();
    const auto openLists = [this] {
        QStringList open;
        for (const QComboBox* list :
             {window->Makecb(), window->Modelcb(), window->Namecb(), window->Versioncb()})
            if (list->view()->isVisible())
                open << list->objectName();
        return open;
    };
    QDir(root).removeRecursively(); // an empty root: CBMK chooses the first make itself
    for (const char* folder : {"Yamaha/R1/Jenkins", "Honda"})
        QDir().mkpath(root + QLatin1Char('/') + QLatin1String(folder));
    window->CBMK();
    EXPECT_EQ(window->Makecb()->currentText(), QStringLiteral("Honda"));
    EXPECT_TRUE(openLists().isEmpty()) << openLists().join(QLatin1Char(' ')).toStdString();
    window->WriteDirBoxs(root + QStringLiteral("/Yamaha/R1/Jenkins/01dyno.STP"));
    EXPECT_TRUE(openLists().isEmpty()) << openLists().join(QLatin1Char(' ')).toStdString();

    choose(window->Makecb(), QStringLiteral("Yamaha"));
    window->MakecbChange();
    EXPECT_EQ(openLists(), QStringList{"Modelcb"});
    window->Modelcb()->hidePopup();
}

TEST_F(BrowserWindowTest, NewFolderInTheModelList)
{
    window->CBMK();
    choose(window->Makecb(), QStringLiteral("Yamaha"));
    window->MakecbChange();
    const QString prefilled = QDir::toNativeSeparators(root + QStringLiteral("/Yamaha")) + QDir::separator();

    // Cancelled: the model is un-chosen and the lists below stay empty.
    test::queueNewFolder(prompter, std::nullopt, &folderPrefills);
    choose(window->Modelcb(), QStringLiteral("New..."));
    window->ModelcbChange();
    EXPECT_EQ(folderPrefills, QStringList{prefilled});
    EXPECT_EQ(window->Modelcb()->currentIndex(), -1);
    EXPECT_EQ(window->Namecb()->count(), 0);
    EXPECT_EQ(window->Versioncb()->count(), 0);

    // An existing folder: nothing made, nothing said, a second entry of that name chosen.
    test::queueNewFolder(prompter, prefilled + QStringLiteral("R6"), &folderPrefills);
    choose(window->Modelcb(), QStringLiteral("New..."));
    window->ModelcbChange();
    EXPECT_EQ(listEntries(window->Modelcb()), (QStringList{"R1", "R6", "New...", "R6"}));
    EXPECT_EQ(window->Modelcb()->currentIndex(), 3);
    EXPECT_TRUE(prompter.asked().empty());
    EXPECT_EQ(window->fileListDirectory(), root + QStringLiteral("/Yamaha/R6"));

    // A new folder is made and chosen, and the name list offers only "New..." in it.
    test::queueNewFolder(prompter, prefilled + QStringLiteral("MT09"), &folderPrefills);
    choose(window->Modelcb(), QStringLiteral("New..."));
    window->ModelcbChange();
    EXPECT_TRUE(QFileInfo(root + QStringLiteral("/Yamaha/MT09")).isDir());
    EXPECT_EQ(window->Modelcb()->currentText(), QStringLiteral("MT09"));
    EXPECT_EQ(listEntries(window->Namecb()), QStringList{"New..."});
    EXPECT_EQ(window->fileListDirectory(), root + QStringLiteral("/Yamaha/MT09"));

    // A folder that cannot be made: the long-standing warning, the model un-chosen.
    writeRun(QStringLiteral("Yamaha/blocker"), 1);
    test::queueNewFolder(prompter, prefilled + QStringLiteral("blocker/inside"), &folderPrefills);
    choose(window->Modelcb(), QStringLiteral("New..."));
    window->ModelcbChange();
    ASSERT_EQ(prompter.askedTexts().size(), 1);
    EXPECT_EQ(prompter.askedTexts().first(),
              QStringLiteral("Cannot Make ") + prefilled + QStringLiteral("blocker/inside") +
                  QStringLiteral("  Make Sure Dir. Does Not Exist and is Less than 9 Char."));
    EXPECT_EQ(window->Modelcb()->currentIndex(), -1);
    EXPECT_EQ(window->Namecb()->count(), 0);
}

TEST_F(BrowserWindowTest, NewVersionCancelledShowsTheNameFolder)
{
    openJenkins();
    test::queueNewFolder(prompter, std::nullopt, &folderPrefills);
    choose(window->Versioncb(), QStringLiteral("New..."));
    window->VersioncbChange();
    EXPECT_EQ(window->Versioncb()->currentIndex(), -1);
    EXPECT_EQ(window->fileListDirectory(), root + QStringLiteral("/Yamaha/R1/Jenkins"));
}

TEST_F(BrowserWindowTest, ElevenFilesTakeThePaletteAndMarkersInOrder)
{
    addRuns(11);
    ASSERT_EQ(selection.runCount(), 11);
    const QTableWidget* grid = window->Selfileg();
    ASSERT_EQ(grid->rowCount(), 11);
    EXPECT_EQ(gridColumn(grid, 0),
              (QStringList{"clRed", "clAqua", "clLime", "clYellow", "clFuchsia", "clTeal", "clGreen",
                           "clOlive", "clPurple", "clMaroon", "clRed"}));
    EXPECT_EQ(gridColumn(grid, 4), (QStringList{"Circle", "Diamond", "Cross", "Square", "Circle", "Diamond",
                                                "Cross", "Square", "Circle", "Diamond", "Cross"}));
    EXPECT_EQ(grid->item(0, 1)->text(), QStringLiteral("   Yamaha   R1   Jenkins   01run.STP"));
    EXPECT_EQ(grid->item(0, 3)->text(), root + QStringLiteral("/Yamaha/R1/Jenkins/01run.STP"));
    EXPECT_FALSE(grid->item(0, 2)->text().isEmpty());
    EXPECT_EQ(grid->item(0, 1)->toolTip(), QDir::toNativeSeparators(grid->item(0, 3)->text()));
    EXPECT_EQ(grid->item(0, 2)->toolTip(), grid->item(0, 2)->text());
    EXPECT_TRUE(viewer.rescalePending());
    EXPECT_EQ(selection.history().first(), QStringLiteral("\\Yamaha\\R1\\Jenkins\\11run.STP"));
    EXPECT_EQ(selection.history().size(), 10);
    EXPECT_EQ(plotAlls, 0); // a double-click does not plot
}

TEST_F(BrowserWindowTest, GridColoursShowTheRunColours)
{
    addRuns(2);
    selection.setColor(2, QStringLiteral("clBlack"));
    const QTableWidget* grid = window->Selfileg();
    EXPECT_EQ(grid->item(0, 0)->background().color(), QColor(Qt::red));
    EXPECT_EQ(grid->item(0, 0)->foreground().color(), QColor(Qt::red));
    EXPECT_EQ(grid->item(0, 1)->foreground().color(), QColor(Qt::red));
    // Black runs are written in grey so that they stay readable on the black grid.
    EXPECT_EQ(grid->item(1, 0)->background().color(), QColor(Qt::black));
    EXPECT_EQ(grid->item(1, 1)->foreground().color(), QColor(128, 128, 128));
    EXPECT_EQ(grid->item(1, 2)->foreground().color(), QColor(128, 128, 128));
}

TEST_F(BrowserWindowTest, RemovingRowTwoOfThreeMovesRowThreeUpWithItsMarkerPosition)
{
    addRuns(3);
    const SelectionRow third = selection.row(3);
    viewer.setFileCountAtPlot(3);
    viewer.setRunStrip(
        {QStringLiteral("01run.STP"), QStringLiteral("02run.STP"), QStringLiteral("03run.STP")});
    window->SelfilegDblClick(2, 1);
    ASSERT_EQ(selection.runCount(), 2);
    EXPECT_EQ(selection.row(2).path, third.path);
    EXPECT_EQ(selection.row(2).colorName, QStringLiteral("clLime"));
    EXPECT_EQ(selection.row(2).dateTimeText, third.dateTimeText);
    EXPECT_EQ(selection.row(2).markerName, QStringLiteral("Diamond"));
    EXPECT_EQ(window->Selfileg()->rowCount(), 2);
    // The strip keeps a tab for each remaining run, so a close right now still reopens both.
    EXPECT_EQ(viewer.runStrip(), (QStringList{"01run.STP", "03run.STP"}));
    EXPECT_EQ(runViewer->runStrip()->columnCount(), 3);
    EXPECT_EQ(runViewer->runStrip()->item(0, 2)->text(), QStringLiteral("03run.STP"));
    window->WrtRegClick();
    EXPECT_EQ(configuration.read(ConfigSettings::FileIndex), 2);
    EXPECT_EQ(viewer.fileCountAtPlot(), 0);
    EXPECT_EQ(refreshes, 0);
}

TEST_F(BrowserWindowTest, ColourCellDoubleClickRecoloursAndRefreshes)
{
    addRuns(2);
    prompter.queueColor(QStringLiteral("clBlue"));
    window->SelfilegDblClick(2, 0);
    EXPECT_EQ(prompter.colorRequests(), QStringList{"clAqua"});
    EXPECT_EQ(selection.row(2).colorName, QStringLiteral("clBlue"));
    EXPECT_EQ(refreshes, 1);

    prompter.queueColor(std::nullopt);
    window->SelfilegDblClick(2, 0);
    EXPECT_EQ(selection.row(2).colorName, QStringLiteral("clBlue"));
    EXPECT_EQ(refreshes, 2); // Refresh either way
    EXPECT_EQ(selection.runCount(), 2);
}

TEST_F(BrowserWindowTest, DropIsRefusedOnAGridOfMoreThanTenRows)
{
    struct Case {
        int runsBefore; // the grid holds one row more (its header)
        int runsAfter;
        int plots;
    };
    const Case cases[] = {{9, 12, 1}, {10, 10, 0}};
    for (const Case& c : cases) {
        selection.clear();
        addRuns(c.runsBefore);
        plotAlls = 0;
        viewer.setRescalePending(false);
        window->WriteDirBoxs(root + QStringLiteral("/Yamaha/R1/Jenkins/01dyno.STP"));
        window->SelfilegDragDrop(
            {QStringLiteral("01dyno.STP"), QStringLiteral("02dyno.SWP"), QStringLiteral("03dyno.SWP")});
        EXPECT_EQ(selection.runCount(), c.runsAfter) << c.runsBefore;
        EXPECT_EQ(plotAlls, c.plots) << c.runsBefore;
        EXPECT_TRUE(viewer.rescalePending());
        if (c.runsAfter == 12) {
            // Added in list order; dropped rows spell the third marker in lower case.
            EXPECT_EQ(selection.row(10).markerName, QStringLiteral("diamond"));
            EXPECT_EQ(selection.row(12).path, root + QStringLiteral("/Yamaha/R1/Jenkins/03dyno.SWP"));
            EXPECT_EQ(selection.history().first(), QStringLiteral("\\Yamaha\\R1\\Jenkins\\03dyno.SWP"));
        }
    }
}

TEST_F(BrowserWindowTest, OneDroppedFileIsAddedWithoutPlotting)
{
    openJenkins();
    window->SelfilegDragDrop({QStringLiteral("02dyno.SWP")});
    EXPECT_EQ(selection.runCount(), 1);
    EXPECT_EQ(plotAlls, 0);
}

TEST_F(BrowserWindowTest, TwentyFirstRunIsRefusedWithAMessage)
{
    addRuns(Selection::MaxRuns);
    ASSERT_TRUE(prompter.askedTexts().isEmpty());
    const QStringList history = selection.history();
    chooseInList(QStringLiteral("01dyno.STP"));
    window->MfilelbDblClick();
    EXPECT_EQ(selection.runCount(), Selection::MaxRuns);
    EXPECT_EQ(prompter.askedTexts(), QStringList{selectionFullMessage()});
    EXPECT_EQ(selection.history(), history);
    EXPECT_FALSE(window->addHistoryItem(QStringLiteral("\\Yamaha\\R1\\Jenkins\\02dyno.SWP")));
    EXPECT_EQ(selection.runCount(), Selection::MaxRuns);
}

TEST_F(BrowserWindowTest, DoubleClickWithoutAChosenFileDoesNothing)
{
    openJenkins();
    window->Mfilelb()->setCurrentItem(nullptr);
    window->MfilelbDblClick();
    EXPECT_TRUE(selection.isEmpty());
    EXPECT_TRUE(selection.history().isEmpty());
    EXPECT_FALSE(viewer.rescalePending());
}

TEST_F(BrowserWindowTest, HistoryItemAddsAnExistingFileOnly)
{
    EXPECT_FALSE(window->addHistoryItem(QStringLiteral("\\Yamaha\\R1\\Jenkins\\99gone.STP")));
    EXPECT_FALSE(window->addHistoryItem(QStringLiteral("..\\..\\elsewhere.STP")));
    EXPECT_TRUE(selection.isEmpty());
    {
        QFile file(root + QStringLiteral("/Yamaha/R1/Jenkins/02dyno.SWP"));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)),
                                     QFileDevice::FileModificationTime));
    }
    EXPECT_TRUE(window->addHistoryItem(QStringLiteral("\\Yamaha\\R1\\Jenkins\\02dyno.SWP")));
    ASSERT_EQ(selection.runCount(), 1);
    // The file's last write as the locale's short date and long time.
    EXPECT_EQ(selection.row(1).dateTimeText, QStringLiteral("3/5/2024 2:07:09 PM"));
    EXPECT_EQ(selection.row(1).path, root + QStringLiteral("/Yamaha/R1/Jenkins/02dyno.SWP"));
    EXPECT_EQ(selection.row(1).displayName, QStringLiteral("   Yamaha   R1   Jenkins   02dyno.SWP"));
    // No History update and no plot.
    EXPECT_TRUE(selection.history().isEmpty());
    EXPECT_EQ(plotAlls, 0);
    EXPECT_TRUE(prompter.askedTexts().isEmpty());
}

TEST_F(BrowserWindowTest, HistoryIsWrittenWithTheRunStripCount)
{
    addRuns(2);
    viewer.setRunStrip({QStringLiteral("01run.STP"), QStringLiteral("02run.STP")});
    window->WrtRegClick();
    EXPECT_EQ(configuration.read(ConfigSettings::FileIndex), 2);
    EXPECT_EQ(configuration.history(1), QStringLiteral("\\Yamaha\\R1\\Jenkins\\02run.STP"));
    EXPECT_EQ(configuration.history(2), QStringLiteral("\\Yamaha\\R1\\Jenkins\\01run.STP"));

    viewer.setRunStrip({});
    window->WrtRegClick();
    EXPECT_EQ(configuration.read(ConfigSettings::FileIndex), 0);
}

TEST_F(BrowserWindowTest, FileClickRefusesFilesThatAreNotTestFiles)
{
    struct Case {
        const char* name;
        int lines;
        QString refusal; // empty: shown in the run viewer
    };
    const Case cases[] = {
        {"SETUP.EXE", 20, SystemFileText},  {"ZezeDur_USB.INI", 20, SystemFileText},
        {"15lines.STP", 15, SizeText},      {"16lines.STP", 16, QString()},
        {"1000lines.STP", 1000, QString()}, {"1001lines.STP", 1001, SizeText},
    };
    for (const Case& c : cases) {
        const QString name = QString::fromLatin1(c.name);
        writeRun(QStringLiteral("Yamaha/R1/Jenkins/") + name, c.lines);
        openJenkins();
        text.setLines({QStringLiteral("before")}, false);
        prompter.clearRecord();
        chooseInList(name);
        window->MfilelbClick();
        if (c.refusal.isEmpty()) {
            EXPECT_TRUE(prompter.askedTexts().isEmpty()) << c.name;
            EXPECT_EQ(text.lines().size(), c.lines) << c.name;
            EXPECT_EQ(runViewer->windowTitle(), name);
            EXPECT_EQ(viewer.currentFile(), root + QStringLiteral("/Yamaha/R1/Jenkins/") + name);
        } else {
            EXPECT_EQ(prompter.askedTexts(), QStringList{c.refusal}) << c.name;
            EXPECT_EQ(prompter.asked().front().icon, PromptIcon::Warning);
            // A refused file cannot be dragged onto the grid, nor added by the double-click.
            EXPECT_FALSE(window->Mfilelb()->currentItem()->flags().testFlag(Qt::ItemIsDragEnabled));
            window->MfilelbDblClick();
            EXPECT_TRUE(selection.isEmpty()) << c.name;
            // A refused system file leaves the notes alone; a wrong size empties them.
            EXPECT_EQ(text.lines(), c.lines == 20 ? QStringList{"before"} : QStringList()) << c.name;
        }
    }
}

TEST_F(BrowserWindowTest, FileClickShowsTheRunAndAsksForANameProposal)
{
    openJenkins();
    chooseInList(QStringLiteral("02dyno.SWP"));
    window->MfilelbClick();
    EXPECT_EQ(text.lines(), testFile(QStringLiteral("Yamaha\\R1\\Jenkins\\02dyno.SWP"), 20));
    EXPECT_FALSE(text.isModified());
    EXPECT_EQ(runViewer->windowTitle(), QStringLiteral("02dyno.SWP"));
    EXPECT_EQ(proposals, 1);

    // Nothing chosen: the current file is chosen in the list.
    window->setFileListDirectory(root + QStringLiteral("/Honda"));
    window->MfilelbClick();
    EXPECT_EQ(window->fileListDirectory(), root + QStringLiteral("/Yamaha/R1/Jenkins"));
    EXPECT_EQ(window->Mfilelb()->currentItem()->text(), QStringLiteral("02dyno.SWP"));
}

TEST_F(BrowserWindowTest, FileClickAfterSavingEditedNotesKeepsTheChosenFile)
{
    // Saving the edits reads the file list again before the clicked file is looked at.
    struct Case {
        const char* name;
        int lines;
        bool shown;
    };
    const Case cases[] = {{"04ok.STP", 20, true}, {"05short.STP", 15, false}};
    for (const Case& c : cases) {
        const QString name = QString::fromLatin1(c.name);
        writeRun(QStringLiteral("Yamaha/R1/Jenkins/") + name, c.lines);
        openJenkins();
        text.setLines(testFile(QStringLiteral("Yamaha\\R1\\Jenkins\\01dyno.STP"), 17), true);
        chooseInList(name);
        window->MfilelbClick();
        EXPECT_EQ(readTextLines(root + QStringLiteral("/Yamaha/R1/Jenkins/01dyno.STP")).lines.size(), 17);
        ASSERT_NE(window->Mfilelb()->currentItem(), nullptr) << c.name;
        EXPECT_EQ(window->Mfilelb()->currentItem()->text(), name);
        EXPECT_EQ(window->Mfilelb()->currentItem()->flags().testFlag(Qt::ItemIsDragEnabled), c.shown);
        EXPECT_EQ(text.lines().size(), c.shown ? c.lines : 0) << c.name;
        window->MfilelbDblClick();
        EXPECT_EQ(selection.runCount(), c.shown ? 1 : 0) << c.name;
        selection.clear();
    }
}

TEST_F(BrowserWindowTest, LineTwoNamingAnotherFolderIsRepairedAndSavedAtOnce)
{
    // Moved by hand from Okafor's folder to Jenkins'.
    const QString moved = root + QStringLiteral("/Yamaha/R1/Jenkins/07moved.STP");
    writeTextLines(moved, testFile(QStringLiteral("Honda\\CBR600RR\\Okafor\\07moved.STP"), 20));
    openJenkins();
    chooseInList(QStringLiteral("07moved.STP"));
    window->MfilelbClick();
    const QStringList repaired = testFile(QStringLiteral("Yamaha\\R1\\Jenkins\\07moved.STP"), 20);
    EXPECT_EQ(readTextLines(moved).lines, repaired);
    EXPECT_EQ(text.lines(), repaired);
    EXPECT_FALSE(text.isModified());
    EXPECT_FALSE(QFileInfo::exists(root + QStringLiteral("/Honda/CBR600RR/Okafor/07moved.STP")));
    EXPECT_TRUE(prompter.askedTexts().isEmpty());
}

// A single click on a text file that is no test data file shows it and leaves it byte for byte
// as it was (no line 2 "repair", no CR LF).
TEST_F(BrowserWindowTest, ClickingAnotherTextFileNeverRewritesIt)
{
    const QString notes = root + QStringLiteral("/Yamaha/R1/Jenkins/customer-notes.txt");
    QByteArray bytes;
    for (int line = 1; line <= 20; ++line)
        bytes += "Customer note " + QByteArray::number(line) + '\n';
    {
        QFile file(notes);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    const QDateTime written = QFileInfo(notes).lastModified();
    openJenkins();
    chooseInList(QStringLiteral("customer-notes.txt"));
    window->MfilelbClick();
    QFile file(notes);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bytes);
    EXPECT_EQ(QFileInfo(notes).lastModified(), written);
    EXPECT_EQ(text.lines().size(), 20);
    EXPECT_EQ(text.lines().at(1), QStringLiteral("Customer note 2"));
    EXPECT_FALSE(text.isModified());
    EXPECT_TRUE(prompter.askedTexts().isEmpty());
}

TEST_F(BrowserWindowTest, LineTwoLeadingOutOfTheLibraryNeverWritesOutside)
{
    const QString file = root + QStringLiteral("/Yamaha/R1/Jenkins/08escape.STP");
    writeTextLines(file, testFile(QStringLiteral("..\\..\\x"), 20));
    openJenkins();
    chooseInList(QStringLiteral("08escape.STP"));
    window->MfilelbClick();
    EXPECT_FALSE(QFileInfo::exists(dir.path() + QStringLiteral("/x")));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(dir.path()).path() + QStringLiteral("/x")));
    // The file repairs its own line 2 instead.
    EXPECT_EQ(readTextLines(file).lines.at(1), QStringLiteral("Yamaha\\R1\\Jenkins\\08escape.STP"));

    // A file lying outside the library: nothing is written, the operator is told.
    const QString outside = dir.path() + QStringLiteral("/loose/09out.STP");
    QDir().mkpath(QFileInfo(outside).path());
    const QStringList lines = testFile(QStringLiteral("..\\..\\x"), 20);
    writeTextLines(outside, lines);
    text.setLines(lines, false);
    window->Check_File_Path(outside);
    EXPECT_EQ(readTextLines(outside).lines, lines);
    EXPECT_EQ(text.lines(), lines);
    ASSERT_EQ(prompter.askedTexts().size(), 1);
    EXPECT_TRUE(prompter.askedTexts().first().contains(QStringLiteral("09out.STP")));
}

TEST_F(BrowserWindowTest, UnsavedNotesAreOfferedForSaving)
{
    const QString file = root + QStringLiteral("/Yamaha/R1/Jenkins/02dyno.SWP");
    QStringList edited = testFile(QStringLiteral("Yamaha\\R1\\Jenkins\\02dyno.SWP"), 20);
    edited << QStringLiteral("edited");

    // Unchanged notes: no question.
    text.setLines(edited, false);
    EXPECT_FALSE(window->MemoModified());
    EXPECT_TRUE(inputTitles().isEmpty());

    // OK: saved under the prefilled name, Refresh, false.
    window->setFileListDirectory(root + QStringLiteral("/Yamaha/R1/Jenkins"));
    text.setLines(edited, true);
    EXPECT_FALSE(window->MemoModified());
    EXPECT_EQ(inputTitles(), QStringList{"The file in the Memo box has changed."});
    EXPECT_EQ(prompter.inputLabels().back(),
              QStringLiteral("\"ok\" to save changes, \"Cancel\" will undo changes."));
    EXPECT_EQ(inputInitials().back(), QDir::toNativeSeparators(file));
    EXPECT_EQ(readTextLines(file).lines, edited);
    EXPECT_FALSE(text.isModified());
    EXPECT_EQ(refreshes, 1);

    // Cancel: true, nothing written, the notes no longer count as changed.
    QStringList again = edited;
    again << QStringLiteral("again");
    text.setLines(again, true);
    prompter.queueInput(std::nullopt);
    EXPECT_TRUE(window->MemoModified());
    EXPECT_EQ(readTextLines(file).lines, edited);
    EXPECT_FALSE(text.isModified());
    EXPECT_EQ(refreshes, 1);
}

TEST_F(BrowserWindowTest, UnsavedNotesAreNeverSavedOutsideTheLibrary)
{
    QStringList lines = testFile(QStringLiteral("..\\..\\x"), 20);
    text.setLines(lines, true);
    const QString outside = QDir::toNativeSeparators(dir.path() + QStringLiteral("/x"));
    const QString inside = QDir::toNativeSeparators(root + QStringLiteral("/Yamaha/kept.STP"));
    prompter.queueInput(outside);
    prompter.queueInput(inside);
    EXPECT_FALSE(window->MemoModified());
    EXPECT_FALSE(QFileInfo::exists(dir.path() + QStringLiteral("/x")));
    ASSERT_EQ(prompter.askedTexts().size(), 1);
    EXPECT_TRUE(prompter.askedTexts().first().contains(outside));
    // Asked again with the refused name, then saved where the operator chose inside the library.
    EXPECT_EQ(inputInitials().size(), 2);
    EXPECT_EQ(inputInitials().at(1), outside);
    EXPECT_EQ(readTextLines(root + QStringLiteral("/Yamaha/kept.STP")).lines, lines);
}

TEST_F(BrowserWindowTest, SelectingARowShowsItsRunInItsColour)
{
    addRuns(2);
    window->SelfilegSelectCell(2);
    EXPECT_EQ(text.lines(), testFile(QStringLiteral("Yamaha\\R1\\Jenkins\\02run.STP"), 20));
    EXPECT_EQ(viewer.currentFile(), root + QStringLiteral("/Yamaha/R1/Jenkins/02run.STP"));
    EXPECT_EQ(runViewer->windowTitle(), QStringLiteral("02run.STP"));
    EXPECT_TRUE(runViewer->notesBox()->styleSheet().contains(QColor(Qt::cyan).name()));
    EXPECT_EQ(proposals, 1);

    // Edits in the notes are asked about before another run replaces them.
    text.setLines({QStringLiteral("typed")}, true);
    prompter.queueInput(std::nullopt);
    window->SelfilegSelectCell(1);
    EXPECT_EQ(inputTitles().size(), 1);
    EXPECT_EQ(text.lines(), testFile(QStringLiteral("Yamaha\\R1\\Jenkins\\01run.STP"), 20));
}

TEST_F(BrowserWindowTest, ClearAllEmptiesTheComparison)
{
    addRuns(3);
    for (int key : {1, 21, 41, 3, 100})
        model.AddPoint(key, 1.0, 2.0);
    model.AddPoint(101, 1.0, 2.0); // the preview is not a selected run
    viewer.setRunStrip({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    text.showFile({QStringLiteral("shown")}, QStringLiteral("01run.STP"));
    ASSERT_EQ(runViewer->windowTitle(), QStringLiteral("01run.STP"));
    viewer.setFileCountAtPlot(3);

    window->ClearAll1Click();
    for (int key : {1, 21, 41, 3, 100})
        EXPECT_TRUE(model.series(key)->points.empty()) << key;
    EXPECT_FALSE(model.series(101)->points.empty());
    EXPECT_TRUE(model.isPlotting());
    EXPECT_TRUE(text.lines().isEmpty());
    EXPECT_TRUE(runViewer->windowTitle().isEmpty());
    EXPECT_TRUE(selection.isEmpty());
    EXPECT_EQ(window->Selfileg()->rowCount(), 0);
    EXPECT_EQ(runViewer->runStrip()->columnCount(), 1);
    EXPECT_EQ(viewer.fileCountAtPlot(), 0);
}

// "&Colors..." of the graph colours the browser's grid and the run viewer's run strip as well.
TEST_F(BrowserWindowTest, GridAndRunStripTakeTheGraphBackground)
{
    settings.setBackgroundColor(QStringLiteral("clNavy"));
    window->show();
    runViewer->show();
    const auto corner = [](QWidget* widget) {
        const QImage picture = widget->grab().toImage();
        return picture.pixelColor(picture.width() - 3, picture.height() - 3);
    };
    EXPECT_EQ(corner(window->Selfileg()->viewport()), QColor(0, 0, 128));
    EXPECT_EQ(corner(runViewer->runStrip()->viewport()), QColor(0, 0, 128));
    EXPECT_EQ(window->palette().color(QPalette::Window), QColor(0, 0, 128));
}

TEST_F(BrowserWindowTest, FitToWidthSharesTheWidth)
{
    layout.setBrowserWidths({19, 80, 100});
    window->resize(660, 200);
    window->fitToWidth(800);
    EXPECT_EQ(window->Selfileg()->columnWidth(1), 660 - 19 - 100 - 80 - 14);
    const int xs[] = {0, 165, 330, 495};
    const int widths[] = {165, 165, 165, 160};
    const QComboBox* lists[] = {window->Makecb(), window->Modelcb(), window->Namecb(), window->Versioncb()};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(lists[i]->x(), xs[i]) << i;
        EXPECT_EQ(lists[i]->width(), widths[i]) << i;
        EXPECT_EQ(lists[i]->maxVisibleItems(), 800 / 16 - 16) << i;
    }
    EXPECT_EQ(window->Mfilelb()->width(), 100);
    EXPECT_EQ(window->Selfileg()->columnWidth(0), 19);
    EXPECT_EQ(window->Selfileg()->columnWidth(2), 80);

    // A column the operator drags wider is kept for the layout save.
    window->Selfileg()->horizontalHeader()->resizeSection(2, 120);
    EXPECT_EQ(layout.browserWidths().date, 120);
    EXPECT_EQ(layout.browserWidths().color, 19);
    EXPECT_EQ(window->Selfileg()->columnWidth(1), 660 - 19 - 100 - 120 - 14);
}

} // namespace
} // namespace tolvane
