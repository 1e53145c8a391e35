// The save dialog, the Make New Directory dialog and the Root Directory dialog: name proposals as
// the folder's files and the test type give them, new folders (cancelled, existing, failing), the
// atmospheric fields, the save buttons' requests and the root's Save / Cancel.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>

#include "core/analysis/viewer_state.h"
#include "core/common/config_keys.h"
#include "core/common/configuration.h"
#include "core/common/scripted_prompter.h"
#include "core/library/new_folder.h"
#include "core/setup/atmospheric_conditions.h"
#include "core/setup/run_conditions.h"
#include "core/setup/test_setup.h"
#include "core/setup/unit_settings.h"
#include "support/operator_answers.h"
#include "ui/setup/atmospheric_window.h"
#include "ui/shell/directory_list.h"
#include "ui/shell/make_dir_dialog.h"
#include "ui/shell/root_dir_dialog.h"
#include "ui/shell/save_dialog.h"

namespace tolvane {
namespace {

void touch(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

class SaveDialogTest : public ::testing::Test {
protected:
    SaveDialogTest() { dialog.setRootDirectory(root.path()); }

    QString folder(const QString& relative) const
    {
        const QString path = QDir(root.path()).filePath(relative);
        QDir().mkpath(path);
        return QDir::cleanPath(path);
    }

    QTemporaryDir root;
    UnitSettings units;
    ScriptedPrompter prompter;
    TestSetup setup{units, prompter, TextLocale::standard()};
    ViewerState viewer;
    RunConditions conditions;
    TMkDirF makeDir{prompter};
    TTstTypeF dialog{conditions, setup, viewer, prompter, makeDir, root.path()};
};

TEST_F(SaveDialogTest, CaptionsAndStandardAtmosphere)
{
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Save Data to File."));
    const std::pair<const char*, const char*> buttons[] = {{"Cancelb", "Go Back"},
                                                           {"Mk_Dir", "Add New Directory"},
                                                           {"Button1", "Get notes from graph"},
                                                           {"STGraph", "  Save then Graph"},
                                                           {"STTest", "Save then test"},
                                                           {"ResetAtmC", "Standard."}};
    for (const auto& [name, caption] : buttons) {
        ASSERT_NE(dialog.button(name), nullptr) << name;
        EXPECT_EQ(dialog.button(name)->text(), QString::fromLatin1(caption));
    }
    QStringList notesItems;
    for (const QAction* action : dialog.notesMenu()->actions())
        notesItems << action->text();
    EXPECT_EQ(notesItems, (QStringList{"Copy from Graphs", "Paste", "Add New Directory"}));
    ASSERT_EQ(dialog.atmosphereMenu()->actions().size(), 1);
    EXPECT_FALSE(dialog.atmosphereMenu()->actions()[0]->isEnabled());

    EXPECT_EQ(dialog.FileNameE()->text(), QStringLiteral("*.*"));
    conditions.setAtmosphere(QStringLiteral("25.0"), QStringLiteral("989"), QStringLiteral("40"),
                             QStringLiteral("1.0123"));
    EXPECT_EQ(dialog.TempE()->text(), QStringLiteral("25.0"));
    EXPECT_EQ(dialog.CorrE()->text(), QStringLiteral("1.0123"));
    dialog.button("ResetAtmC")->click();
    EXPECT_EQ((QStringList{dialog.TempE()->text(), dialog.PresE()->text(), dialog.HumdE()->text(),
                           dialog.CorrE()->text()}),
              (QStringList{"+77.0", "29.22", "0.0", "1.0000"}));
}

TEST_F(SaveDialogTest, ProposesNameFromCurrentFileFolderCountAndTestType)
{
    struct Case {
        const char* currentName;
        int filesInFolder; // the current file among them
        TestType type;
        const char* proposed;
    };
    const Case cases[] = {
        {"05dyno.stp", 4, TestType::StepTest, "05dyno.STP"},
        {"12abc.swp", 9, TestType::QuickSweep, "10abc.QWS"},
        {"03Smith.swp", 9, TestType::SweepTest, "10Smith.SWP"},
        {"02Smith.pth", 0, TestType::RoadLoad, "01Smith.PTH"}, // the current file lives elsewhere
        {"07nodot", 122, TestType::FloatBowl, "123nodot.SWP"}, // no dot: the whole rest is the stem
    };
    int n = 0;
    for (const Case& c : cases) {
        const QString target = folder(QStringLiteral("case%1/Ford/Focus").arg(++n));
        const QString elsewhere = folder(QStringLiteral("case%1/other").arg(n));
        const QString current =
            QDir((c.filesInFolder > 0 ? target : elsewhere)).filePath(QString::fromUtf8(c.currentName));
        touch(current);
        for (int i = 1; i < c.filesInFolder; ++i)
            touch(QDir(target).filePath(QStringLiteral("f%1.STP").arg(i)));
        touch(QDir(target).filePath(QStringLiteral(".hidden"))); // not listed, not counted
        setup.TstTypRClick(c.type);
        viewer.setCurrentFile(current);

        dialog.FormShow();
        if (c.filesInFolder == 0)
            dialog.Dir1()->setDirectory(target);
        EXPECT_EQ(dialog.FileNameE()->text(), QString::fromUtf8(c.proposed)) << c.currentName;
        EXPECT_EQ(dialog.FileNameE()->toolTip(), QString::fromUtf8(c.proposed));
        EXPECT_EQ(conditions.fileName(), QString::fromUtf8(c.proposed));
        EXPECT_EQ(conditions.folder(), target);
        EXPECT_EQ(dialog.FilLitB()->count(), c.filesInFolder);
    }
}

TEST_F(SaveDialogTest, NewFolderCancelledExistingAndFailing)
{
    const QString start = folder(QStringLiteral("Ford"));
    dialog.Dir1()->setDirectory(start);
    QStringList prefills;

    test::queueNewFolder(prompter, std::nullopt, &prefills); // Cancel
    dialog.button("Mk_Dir")->click();
    EXPECT_EQ(prefills, QStringList{QDir::toNativeSeparators(start)});
    EXPECT_TRUE(prompter.asked().empty());
    EXPECT_EQ(dialog.Dir1()->directory(), start);

    const QString existing = folder(QStringLiteral("Ford/Focus"));
    test::queueNewFolder(prompter, existing); // already there: no warning, the list goes there
    dialog.Mk_DirClick();
    EXPECT_TRUE(prompter.asked().empty());
    EXPECT_EQ(dialog.Dir1()->directory(), existing);
    EXPECT_EQ(conditions.folder(), existing);

    const QString blocked = QDir(existing).filePath(QStringLiteral("file.txt"));
    touch(blocked);
    test::queueNewFolder(prompter, blocked); // a file of that name: warned, the lists stay
    dialog.Mk_DirClick();
    ASSERT_EQ(prompter.asked().size(), 1u);
    EXPECT_EQ(prompter.asked()[0].text, QStringLiteral("Cannot Make ") + blocked +
                                            "  Make Sure Dir. Does Not Exist and is Less than 9 Char.");
    EXPECT_EQ(prompter.asked()[0].buttons, PromptButtons::Ok);
    EXPECT_EQ(dialog.Dir1()->directory(), existing);

    // The notes' "Add New Directory" asks through an input box and makes missing parents too.
    const QString deep = QDir(existing).filePath(QStringLiteral("Smith/v1"));
    prompter.queueInput(deep);
    dialog.AddNewDirectory1Click();
    ASSERT_EQ(prompter.inputLabels().size(), 1);
    EXPECT_EQ(prompter.inputLabels()[0], QStringLiteral("Make Directory: "));
    EXPECT_EQ(dialog.Dir1()->directory(), deep);
}

TEST_F(SaveDialogTest, DriveSelectorOnlyWhereThereAreDrives)
{
    EXPECT_EQ(dialog.DriveComboBox1()->isHidden(), !DirectoryList::platformHasDrives());
#ifdef Q_OS_LINUX
    EXPECT_FALSE(DirectoryList::platformHasDrives());
    EXPECT_TRUE(dialog.DriveComboBox1()->isHidden());
#endif
}

TEST_F(SaveDialogTest, SaveButtonsAskWithChosenPathThenGoBack)
{
    dialog.show(); // proposes a name in the data folder first
    const QString target = folder(QStringLiteral("Ford/Focus"));
    dialog.Dir1()->setDirectory(target);
    conditions.setFileName(QStringLiteral("01dyno.STP")); // as the operator typed it
    QStringList events;
    QObject::connect(&dialog, &TTstTypeF::saveThenTestRequested,
                     [&](const QString& p) { events << "test " + p; });
    QObject::connect(&dialog, &TTstTypeF::saveThenGraphRequested,
                     [&](const QString& p) { events << "graph " + p; });
    QObject::connect(&dialog, &TTstTypeF::goBackRequested, [&] { events << QStringLiteral("back"); });
    QObject::connect(&dialog, &TTstTypeF::atmosphericWindowRequested,
                     [&] { events << QStringLiteral("atmos"); });

    dialog.Memo2()->setPlainText(QStringLiteral("Jets:\t150"));
    EXPECT_EQ(conditions.notes(), QStringList{"Jets:\t150"});
    EXPECT_FALSE(dialog.Memo2()->tabChangesFocus()); // tabs accepted once changed
    dialog.button("STTest")->click();
    EXPECT_TRUE(dialog.Memo2()->tabChangesFocus());
    EXPECT_FALSE(dialog.isVisible());
    dialog.button("STGraph")->click();
    const QString full = QDir(target).filePath(QStringLiteral("01dyno.STP"));
    EXPECT_EQ(events, (QStringList{"back", "test " + full, "back", "graph " + full}));
}

class RootDirDialogTest : public ::testing::Test {
protected:
    QString iniPath() const { return QDir(dir.path()).filePath(QStringLiteral("ZezeDur_USB.Ini")); }

    QTemporaryDir dir;
    ScriptedPrompter prompter;
    Configuration config{iniPath(), TextLocale::standard()};
    TCngDir dialog{config, prompter, QStringLiteral("C:\\tolvane\\dynoruns")};
};

TEST_F(RootDirDialogTest, CancelAfterBrowsingRestoresRoot)
{
    QDir(dir.path()).mkpath(QStringLiteral("runs/old"));
    const QString old = QDir(dir.path()).filePath(QStringLiteral("runs/old"));
    dialog.setRootDirectory(old);
    dialog.FormShow();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Root Directory"));
    EXPECT_EQ(dialog.OKButton()->text(), QStringLiteral("Save"));
    dialog.DirLB()->setDirectory(dir.path());
    EXPECT_EQ(dialog.RtDrCombo()->currentText(), QDir::toNativeSeparators(QDir::cleanPath(dir.path())));
    dialog.CancelBClick();
    EXPECT_EQ(dialog.rootDirectory(), old);
    EXPECT_FALSE(QFile::exists(iniPath()));
}

TEST_F(RootDirDialogTest, EmptyRootShowsDefault)
{
    dialog.FormShow();
    EXPECT_EQ(dialog.RtDrCombo()->currentText(), QStringLiteral("C:\\tolvane\\dynoruns"));
}

TEST_F(RootDirDialogTest, SaveWritesRootOrRefusesFolderThatDoesNotOpen)
{
    QStringList changes;
    QObject::connect(&dialog, &TCngDir::rootDirectoryChanged, [&](const QString& r) { changes << r; });
    dialog.FormShow();
    const QString missing = QDir(dir.path()).filePath(QStringLiteral("nowhere"));
    dialog.RtDrCombo()->setEditText(missing);
    dialog.OKButtonClick();
    EXPECT_EQ(prompter.asked().size(), 1u);
    EXPECT_TRUE(changes.isEmpty());
    EXPECT_FALSE(QFile::exists(iniPath()));

    dialog.RtDrCombo()->setEditText(dir.path());
    dialog.OKButtonClick();
    EXPECT_EQ(changes, QStringList{dir.path()});
    EXPECT_EQ(dialog.rootDirectory(), dir.path());
    EXPECT_EQ(dialog.RtDrCombo()->count(), 1);
    EXPECT_EQ(Configuration(iniPath(), TextLocale::standard()).read(ConfigKeys::RootDirectory, QString()),
              dir.path());
    dialog.OKButtonClick(); // already among the entries: not added twice
    EXPECT_EQ(dialog.RtDrCombo()->count(), 1);
}

} // namespace
} // namespace tolvane

namespace tolvane {
namespace {

// Renders both windows with realistic content; with TOLVANE_GRAB_DIR set the pictures are kept
// there for a look.
// A window manager's own placement can hang the dialog off the screen's bottom edge: it opens
// centred, and later where the operator moved it.
TEST_F(SaveDialogTest, OpensCentredOnItsScreenThenWhereTheOperatorLeftIt)
{
    dialog.show();
    const QRect screen = dialog.screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(dialog.geometry()));
    EXPECT_LE((dialog.geometry().center() - screen.center()).manhattanLength(), 4);
    dialog.move(screen.topLeft() + QPoint(10, 10));
    const QPoint moved = dialog.pos();
    dialog.hide();
    dialog.show();
    EXPECT_EQ(dialog.pos(), moved);
}

TEST_F(SaveDialogTest, RendersWithRealisticContent)
{
    const QString target = folder(QStringLiteral("Ford/Focus/Smith"));
    for (const char* name : {"01Smith.STP", "02Smith.STP", "03Smith.SWP"})
        touch(QDir(target).filePath(QString::fromUtf8(name)));
    setup.TstTypRClick(TestType::SweepTest);
    viewer.setCurrentFile(QDir(target).filePath(QStringLiteral("03Smith.SWP")));
    conditions.setNotes({QStringLiteral("Jets:\t150 main, 45 pilot"), QStringLiteral("Exhaust:\tstock"),
                         QStringLiteral("Rider:\tSmith")});
    conditions.setAtmosphere(QStringLiteral("25.0"), QStringLiteral("29.92"), QStringLiteral("40.00"),
                             QStringLiteral("0.9867"));
    dialog.resize(dialog.sizeHint());
    dialog.show();
    EXPECT_EQ(dialog.FileNameE()->text(), QStringLiteral("04Smith.SWP"));
    const QImage saveImage = dialog.grab().toImage();
    EXPECT_FALSE(saveImage.isNull());

    AtmosphericConditions model{conditions, prompter, TextLocale::standard()};
    TAtomComdF window{model};
    window.resize(window.sizeHint());
    window.show();
    const QImage atmosphereImage = window.grab().toImage();
    EXPECT_FALSE(atmosphereImage.isNull());

    const QString grabDir = qEnvironmentVariable("TOLVANE_GRAB_DIR");
    if (!grabDir.isEmpty()) {
        saveImage.save(QDir(grabDir).filePath(QStringLiteral("save_dialog.png")));
        atmosphereImage.save(QDir(grabDir).filePath(QStringLiteral("atmospheric_window.png")));
    }
}

} // namespace
} // namespace tolvane
