// The test setup window over its model: the controls start from the model and follow it both ways,
// the test-type table shows and colours the groups and proposes the new name, the coupled boxes
// and track-bar captions, the inertia warning, "Test" and "Go Back" with their requests, and the
// script page's files.
#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>

#include "core/analysis/viewer_state.h"
#include "core/analysis/viewer_text.h"
#include "core/common/scripted_prompter.h"
#include "core/common/text_file.h"
#include "core/setup/run_conditions.h"
#include "core/setup/test_setup.h"
#include "core/setup/unit_settings.h"
#include "platform/chart/toolkit_colors.h"
#include "support/ui_items.h"
#include "ui/setup/setup_script_page.h"
#include "ui/setup/test_setup_window.h"

namespace tolvane {
namespace {

using Spin = TestSetup::Spin;
using Check = TestSetup::Check;
using Text = TestSetup::Text;

void touch(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

class TestSetupWindowTest : public ::testing::Test {
protected:
    TestSetupWindowTest()
    {
        units.setInertiaFactor(2.8);
        window.setRootDirectory(root.path());
    }

    QString folder(const QString& relative) const
    {
        const QString path = QDir(root.path()).filePath(relative);
        QDir().mkpath(path);
        return QDir::cleanPath(path);
    }
    void clickType(TestType type) { window.testTypeButtons()->button(static_cast<int>(type))->click(); }
    // The order in which the window asked the live windows for something.
    QStringList requests;
    void recordRequests()
    {
        connect("apply", &TSetupF::applyToTestWindows);
        connect("started", &TSetupF::testStarted);
        connect("back", &TSetupF::wentBack);
        connect("hideMain", &TSetupF::mainWindowHideRequested);
    }
    void connect(const char* name, void (TSetupF::*signal)())
    {
        QObject::connect(&window, signal, [this, name] { requests << QLatin1String(name); });
    }

    QTemporaryDir root;
    UnitSettings units;
    ScriptedPrompter prompter;
    TestSetup setup{units, prompter, TextLocale::standard()};
    RunConditions saveDialog;
    ViewerState viewer;
    ViewerText viewerText;
    TSetupF window{setup, units, saveDialog, viewer, viewerText, prompter, root.filePath("Test.Prm")};
};

TEST_F(TestSetupWindowTest, StartsWithTheModelsValuesLimitsAndCaptions)
{
    struct Case {
        Spin spin;
        const char* name;
        int minimum, maximum, value;
    };
    const Case cases[] = {
        {Spin::MnRpm, "MnRpm", 500, 25000, 3000},
        {Spin::RedLine, "RedLine", 1000, 25000, 12000},
        {Spin::AutoInc, "AutoInc", -10000, 10000, 1000},
        {Spin::WWRider, "WWRider", 1, 50, 20},
        {Spin::AutoDecell, "AutoDecell", 500, 25000, 4000},
        {Spin::WarmTo, "WarmTo", 125, 25000, 7000},
        {Spin::DrgCo, "DrgCo", 1, 50, 25},
        {Spin::Mxfpss, "Mxfpss", 1, 200, 17},
        {Spin::MxLbss, "MxLbss", 1, 200, 17},
        {Spin::MnHP, "MnHP", 0, 1000, 8},
        {Spin::MnSec, "MnSec", 2, 200, 4},
        {Spin::SmpDly, "SmpDly", 1, 99, 1},
    };
    for (const Case& c : cases) {
        QSpinBox* box = window.spin(c.spin);
        ASSERT_NE(box, nullptr) << c.name;
        EXPECT_EQ(box->objectName(), QLatin1String(c.name));
        EXPECT_EQ(box->minimum(), c.minimum) << c.name;
        EXPECT_EQ(box->maximum(), c.maximum) << c.name;
        EXPECT_EQ(box->value(), c.value) << c.name;
    }
    EXPECT_EQ(window.spin(Spin::DrgCo)->singleStep(), 2);
    EXPECT_EQ(window.AMFSB()->minimum(), 0);
    EXPECT_EQ(window.AMFSB()->maximum(), 31);
    EXPECT_EQ(window.AMFSB()->value(), 16);
    EXPECT_EQ(window.FDFSB()->minimum(), 1);
    EXPECT_EQ(window.FDFSB()->maximum(), 20);
    EXPECT_EQ(window.AMFSBCaption()->text(), QStringLiteral(" Acceleration multiplication = 16"));
    EXPECT_EQ(window.FDFSBCaption()->text(), QStringLiteral(" Feedback divider = 3"));

    struct Box {
        Check check;
        const char* name;
        const char* caption;
        bool checked;
    };
    const Box boxes[] = {
        {Check::AutoInccb, "AutoInccb", "Auto increment:", true},
        {Check::AutoDecellcb, "AutoDecellcb", "Auto Decel:", true},
        {Check::DefDecEn, "DefDecEn", "Use default value", true},
        {Check::WarmToCb, "WarmToCb", "Warm up to:", false},
        {Check::EgaEnabled, "EgaEnabled", "Enable EGA", false},
        {Check::USBenable, "USBenable", "USB Black Box", false},
        {Check::ISAenable, "ISAenable", " ISA Analog Out", false},
        {Check::PCIEn, "PCIEn", "PCI Base Addr.", true},
        {Check::CheckBox1, "CheckBox1", "Display output", false},
    };
    for (const Box& b : boxes) {
        QCheckBox* box = window.check(b.check);
        ASSERT_NE(box, nullptr) << b.name;
        EXPECT_EQ(box->objectName(), QLatin1String(b.name));
        EXPECT_EQ(box->text(), QLatin1String(b.caption));
        EXPECT_EQ(box->isChecked(), b.checked) << b.name;
    }
    EXPECT_FALSE(window.check(Check::ISAenable)->isEnabled());
    EXPECT_FALSE(window.spin(Spin::AutoDecell)->isEnabled()); // "Use default value" is checked
    EXPECT_FALSE(window.spin(Spin::SmpDly)->isEnabled());     // EGA is off

    EXPECT_EQ(window.TstTypR()->title(), QStringLiteral(" Select Test Type "));
    EXPECT_EQ(window.testTypeButtons()->checkedId(), 4); // "Float Bowl"
    EXPECT_EQ(window.testTypeButtons()->button(4)->text(), QStringLiteral("Float Bowl"));
    EXPECT_EQ(window.TachRatio()->text(), QStringLiteral("3.1250"));
    EXPECT_EQ(window.TachRatio()->toolTip(),
              QStringLiteral("To Cal. Ratio goto test and Press the F8 key @ 8,000 rpm, for example."));
    EXPECT_EQ(window.InertiaE()->text(), QStringLiteral("3.5000"));
    EXPECT_EQ(window.Baddr()->text(), QStringLiteral("61312"));
    EXPECT_EQ(test::item<QLineEdit>(window, "DSer").text(), QStringLiteral("Dyno_ega32"));
    EXPECT_FALSE(test::item<QPushButton>(window, "CopyLink").isEnabled());
    EXPECT_EQ(window.ApplyB()->text(), QStringLiteral("Test"));
    EXPECT_EQ(window.ApplyB()->toolTip(), QStringLiteral("Save changes and Test."));
    EXPECT_EQ(window.Exitb()->text(), QStringLiteral("Go Back"));
    EXPECT_EQ(window.Exitb()->toolTip(), QStringLiteral("Undo ALL changes."));

    // The operator picks among three pages; the paths and the notes are there but not selectable.
    QStringList pages;
    for (int k = 0; k < window.pages()->count(); ++k)
        pages << window.pages()->tabText(k) + (window.pages()->isTabVisible(k) ? "" : " (hidden)");
    EXPECT_EQ(pages, (QStringList{"Recording parameters", "Special Application", "Script Files",
                                  "Paths (hidden)", "Test notes (hidden)"}));

    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(QFontInfo(window.font()).family().isEmpty());
}

TEST_F(TestSetupWindowTest, TestTypeShowsItsGroupsColoursAndProposesTheName)
{
    const QString target = folder(QStringLiteral("Honda/CR250/Smith"));
    for (int k = 1; k <= 9; ++k)
        touch(QDir(target).filePath(QStringLiteral("%1Smith.STP").arg(k, 2, 10, QLatin1Char('0'))));
    viewer.setCurrentFile(QDir(target).filePath(QStringLiteral("07Smith.STP")));
    saveDialog.setFolder(target);

    struct Case {
        TestType type;
        bool autoIncrement, acceleration, stepGroup, sweepGroup;
        QColor colour;
        const char* name;
    };
    const QColor buttonFace = window.palette().color(QPalette::Button);
    const Case cases[] = {
        {TestType::StepTest, true, false, true, false, QColor(0x808080), "10Smith.STP"},
        {TestType::RoadLoad, false, false, false, false, buttonFace, "10Smith.RLD"},
        {TestType::SweepTest, false, true, false, true, QColor(0xFFFF00), "10Smith.SWP"},
        {TestType::QuickSweep, false, true, false, true, QColor(0x008080), "10Smith.QWS"},
        {TestType::FloatBowl, false, true, true, false, QColor(0x008000), "10Smith.flt"},
        {TestType::MainJet, false, true, true, false, QColor(0x808000), "10Smith.mjt"},
    };
    for (const Case& c : cases) {
        clickType(c.type);
        const int index = static_cast<int>(c.type);
        EXPECT_EQ(setup.testType(), c.type);
        EXPECT_EQ(window.autoIncrementPanel()->isVisibleTo(&window), c.autoIncrement) << index;
        EXPECT_EQ(window.check(Check::AutoInccb)->isVisibleTo(&window), c.autoIncrement) << index;
        EXPECT_EQ(window.accelerationPanel()->isVisibleTo(&window), c.acceleration) << index;
        EXPECT_EQ(window.GroupBox4()->isVisibleTo(&window), c.stepGroup) << index;
        EXPECT_EQ(window.GroupBox3()->isVisibleTo(&window), c.sweepGroup) << index;
        for (Spin spin : {Spin::MnRpm, Spin::RedLine})
            EXPECT_EQ(window.spin(spin)->palette().color(QPalette::Base), c.colour) << index;
        EXPECT_EQ(saveDialog.fileName(), QLatin1String(c.name));
        EXPECT_EQ(window.pathLabel(Text::NFName)->text(), QLatin1String(c.name));
        EXPECT_FALSE(window.scriptPage()->TPISel()->isEnabled()) << index;
    }

    // Quick Sweep takes the inertia factor and a quick acceleration into its controls.
    window.spin(Spin::WWRider)->setValue(12);
    clickType(TestType::QuickSweep);
    EXPECT_EQ(window.InertiaE()->text(), QStringLiteral("2.800"));
    EXPECT_EQ(window.spin(Spin::WWRider)->value(), 25);
}

TEST_F(TestSetupWindowTest, ControlsAndModelFollowEachOther)
{
    // Operator -> model.
    window.spin(Spin::RedLine)->setValue(11000);
    window.check(Check::WarmToCb)->click();
    window.TachRatio()->selectAll();
    window.TachRatio()->insert(QStringLiteral("3.3000"));
    window.AMFSB()->setValue(20);
    EXPECT_EQ(setup.value(Spin::RedLine), 11000);
    EXPECT_TRUE(setup.isChecked(Check::WarmToCb));
    EXPECT_EQ(setup.text(Text::TachRatio), QStringLiteral("3.3000"));
    EXPECT_EQ(setup.value(Spin::AMFSB), 20);

    // Model -> controls, clamped into the limits as the spin boxes show them.
    struct Case {
        Spin spin;
        int set, shown;
    };
    const Case cases[] = {
        {Spin::MnRpm, 100, 500}, {Spin::RedLine, 30000, 25000}, {Spin::AutoInc, -20000, -10000},
        {Spin::MnHP, 50, 50},    {Spin::MnSec, 1, 2},           {Spin::WarmTo, 9000, 9000},
        {Spin::DrgCo, 51, 50},   {Spin::SmpDly, 0, 1},
    };
    for (const Case& c : cases) {
        setup.setValue(c.spin, c.set);
        EXPECT_EQ(window.spin(c.spin)->value(), c.shown) << static_cast<int>(c.spin);
        EXPECT_EQ(setup.value(c.spin), c.shown);
    }
    setup.setValue(Spin::FDFSB, 99);
    EXPECT_EQ(window.FDFSB()->value(), 20);
    setup.setChecked(Check::CheckBox1, true);
    EXPECT_TRUE(window.check(Check::CheckBox1)->isChecked());
    setup.setText(Text::InertiaE, QStringLiteral("4.0000"));
    EXPECT_EQ(window.InertiaE()->text(), QStringLiteral("4.0000"));
    setup.setText(Text::Caption, QStringLiteral("/runs/Honda/01Smith.STP"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("/runs/Honda/01Smith.STP"));
    setup.setNotes({QStringLiteral("Jets:\t150")});
    EXPECT_EQ(window.SetUpMemo()->toPlainText(), QStringLiteral("Jets:\t150"));
}

TEST_F(TestSetupWindowTest, CoupledControls)
{
    // The start rpm moves the deceleration rpm and its minimum, and takes the default again.
    window.check(Check::DefDecEn)->click();
    EXPECT_TRUE(window.spin(Spin::AutoDecell)->isEnabled());
    window.spin(Spin::MnRpm)->setValue(3500);
    EXPECT_EQ(window.spin(Spin::AutoDecell)->value(), 4000);
    EXPECT_EQ(window.spin(Spin::AutoDecell)->minimum(), 4000);
    EXPECT_TRUE(window.check(Check::DefDecEn)->isChecked());
    EXPECT_FALSE(window.spin(Spin::AutoDecell)->isEnabled());
    window.check(Check::DefDecEn)->click();
    window.spin(Spin::AutoDecell)->setValue(6000);
    EXPECT_EQ(window.spin(Spin::AutoDecell)->minimum(), 3500); // follows the start rpm now
    window.check(Check::DefDecEn)->click();
    EXPECT_EQ(window.spin(Spin::AutoDecell)->value(), 4000);
    EXPECT_FALSE(window.spin(Spin::AutoDecell)->isEnabled());

    // Clearing "Auto Decel:" clears "Auto increment:"; checking the increment checks the decel.
    window.check(Check::AutoDecellcb)->click();
    EXPECT_FALSE(window.check(Check::AutoInccb)->isChecked());
    window.check(Check::AutoInccb)->click();
    EXPECT_TRUE(window.check(Check::AutoDecellcb)->isChecked());

    // The load threshold copies the speed threshold.
    window.spin(Spin::Mxfpss)->setValue(30);
    EXPECT_EQ(window.spin(Spin::MxLbss)->value(), 30);
    EXPECT_EQ(setup.value(Spin::MxLbss), 30);

    // The track bars say where they stand while they move.
    window.AMFSB()->setValue(20);
    window.FDFSB()->setValue(7);
    EXPECT_EQ(window.AMFSBCaption()->text(), QStringLiteral(" Acceleration multiplication = 20"));
    EXPECT_EQ(window.FDFSBCaption()->text(), QStringLiteral(" Feedback divider = 7"));

    // Instrument switches: EGA opens the sample delay and its writes reach the unit settings.
    units.setEgaComPort(2);
    units.setEgaDelay(7);
    window.FormShow();
    EXPECT_EQ(window.spin(Spin::SmpDly)->value(), 7);
    window.check(Check::EgaEnabled)->click();
    EXPECT_TRUE(window.spin(Spin::SmpDly)->isEnabled());
    EXPECT_TRUE(window.SmpDlyLabel()->isEnabled());
    window.spin(Spin::SmpDly)->setValue(9);
    EXPECT_EQ(units.egaDelay(), 9);
    window.check(Check::USBenable)->click();
    EXPECT_TRUE(units.usbBlackBox());
    window.check(Check::PCIEn)->click();
    EXPECT_FALSE(window.Baddr()->isEnabled());

    // Without a gas-analyzer port EGA is cleared and cannot be chosen.
    units.setEgaComPort(0);
    window.FormShow();
    EXPECT_FALSE(window.check(Check::EgaEnabled)->isChecked());
    EXPECT_FALSE(window.check(Check::EgaEnabled)->isEnabled());
    EXPECT_FALSE(window.spin(Spin::SmpDly)->isEnabled());
}

TEST_F(TestSetupWindowTest, InertiaNotAboveZeroWarnsAndTakesTheFocusBack)
{
    const QString warning = QStringLiteral("You are trying to enter an invalid inertia value, value must be "
                                           "greater then 0, 2.5 is the default.");
    window.show();
    QApplication::setActiveWindow(&window);
    for (const char* typed : {"0", "-1.5", "x"}) {
        prompter.clearRecord();
        window.InertiaE()->setFocus();
        window.InertiaE()->selectAll();
        window.InertiaE()->insert(QLatin1String(typed));
        window.TachRatio()->setFocus(); // leaving the entry
        QApplication::processEvents();
        ASSERT_EQ(prompter.asked().size(), 1u) << typed;
        EXPECT_EQ(prompter.asked()[0].text, warning);
        EXPECT_EQ(prompter.asked()[0].buttons, PromptButtons::Retry);
        EXPECT_EQ(window.InertiaE()->text(), QStringLiteral("2.5000"));
        EXPECT_EQ(window.focusWidget(), window.InertiaE()) << typed;
    }
    prompter.clearRecord();
    window.InertiaE()->selectAll();
    window.InertiaE()->insert(QStringLiteral("3.1"));
    window.TachRatio()->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(prompter.asked().empty());
    EXPECT_EQ(window.focusWidget(), window.TachRatio());
}

TEST_F(TestSetupWindowTest, TestAppliesThenClosesAndGoBackOnlyHides)
{
    const QString target = folder(QStringLiteral("Honda/CR250/Smith"));
    viewer.setCurrentFile(QDir(target).filePath(QStringLiteral("01Smith.STP")));
    saveDialog.setFolder(target);
    recordRequests();
    window.show();
    clickType(TestType::StepTest);
    window.scriptPage()->BitBtn2()->click();
    ASSERT_TRUE(setup.script().isEmpty());
    setup.setValue(Spin::SmpDly, 5);

    // A bad inertia stops "Test" at the warning.
    setup.setText(Text::InertiaE, QStringLiteral("0"));
    window.ApplyB()->click();
    EXPECT_EQ(prompter.asked().size(), 1u);
    EXPECT_EQ(window.InertiaE()->text(), QStringLiteral("2.5000"));
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(requests.isEmpty());

    window.ApplyB()->click();
    EXPECT_EQ(prompter.asked().size(), 1u);
    EXPECT_EQ(setup.script().first(), QStringLiteral("3000"));
    EXPECT_EQ(setup.script().last(), QStringLiteral("12000"));
    EXPECT_EQ(window.scriptPage()->Script()->toPlainText().split('\n').size(), 10);
    EXPECT_EQ(viewer.currentFile(), QDir(target).filePath(QStringLiteral("01Smith.STP")));
    EXPECT_EQ(saveDialog.fileName(), QStringLiteral("01Smith.STP"));
    EXPECT_EQ(units.egaDelay(), 5);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(requests, (QStringList{"apply", "hideMain", "started"}));

    requests.clear();
    window.show();
    window.Exitb()->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(requests, (QStringList{"back"}));
}

TEST_F(TestSetupWindowTest, ReadValsShowsTheTestAndOffersItsScript)
{
    const QString target = folder(QStringLiteral("Honda/CR250/Smith"));
    const QString current = QDir(target).filePath(QStringLiteral("03Smith.SWP"));
    ASSERT_FALSE(writeTextLines(QDir(target).filePath(QStringLiteral("a.Script")), {"4000"}).has_value());
    ASSERT_FALSE(
        writeTextLines(QDir(target).filePath(QStringLiteral("b.Script")), {"5000", "6000"}).has_value());
    viewer.setCurrentFile(current);
    viewerText.showFile({QStringLiteral("QV512e Sweep Test"), QStringLiteral("Min Rpm:3500"),
                         QStringLiteral("Jets:\t150 main")},
                        current);

    // Hidden: the values and the caption change, the script search waits for the showing.
    window.ReadVals();
    EXPECT_EQ(window.windowTitle(), current);
    EXPECT_EQ(window.spin(Spin::MnRpm)->value(), 3500);
    EXPECT_EQ(window.testTypeButtons()->checkedId(), 2);
    EXPECT_EQ(window.SetUpMemo()->toPlainText(), QStringLiteral("Jets:\t150 main"));
    EXPECT_TRUE(prompter.asked().empty());

    prompter.queueAnswer(PromptAnswer::Yes);
    window.show();
    ASSERT_EQ(
        prompter.askedTexts(),
        QStringList{"A Script file has been found in this directory, would you like to use this file?."});
    EXPECT_EQ(window.scriptPage()->Script()->toPlainText(), QStringLiteral("5000\n6000"));
    EXPECT_EQ(window.pages()->currentIndex(), int(TSetupF::ScriptPage));
    EXPECT_EQ(window.scriptPage()->ScriptLB()->count(), 2);

    // Visible: the search runs at once; No brings the recording parameters to the front.
    prompter.clearRecord();
    prompter.queueAnswer(PromptAnswer::No);
    window.ReadVals();
    EXPECT_EQ(prompter.asked().size(), 1u);
    EXPECT_EQ(window.pages()->currentIndex(), int(TSetupF::RecordingPage));

    // The folder labels of the hidden page.
    saveDialog.setFileName(QStringLiteral("04Smith.SWP"));
    window.WrtNewDirs();
    EXPECT_EQ(window.pathLabel(Text::MnL)->text(), QStringLiteral(" Honda"));
    EXPECT_EQ(window.pathLabel(Text::YMdL)->text(), QStringLiteral(" CR250"));
    EXPECT_EQ(window.pathLabel(Text::NmL)->text(), QStringLiteral(" Smith"));
    EXPECT_EQ(window.pathLabel(Text::ExtraL)->text(), QString());
    EXPECT_EQ(window.pathLabel(Text::TemPath)->text(), QStringLiteral("03Smith.SWP"));
    EXPECT_EQ(window.pathLabel(Text::TempP)->toolTip(), current);
}

TEST_F(TestSetupWindowTest, ScriptPageEditsLoadsAndSaves)
{
    SetupScriptPage& page = *window.scriptPage();
    page.DefaultB()->click();
    EXPECT_EQ(page.Script()->toPlainText().split('\n').first(), QStringLiteral("3000"));

    // Typing in the memo is the script; a change of the end rpm generates it again.
    page.Script()->setPlainText(QStringLiteral("4000\n8000"));
    EXPECT_EQ(setup.script(), (QStringList{"4000", "8000"}));
    window.spin(Spin::RedLine)->setValue(6000);
    EXPECT_EQ(page.Script()->toPlainText(), QStringLiteral("3000\n4000\n5000\n6000"));
    page.BitBtn2()->click();
    EXPECT_TRUE(page.Script()->toPlainText().isEmpty());
    EXPECT_TRUE(setup.script().isEmpty());

    // Save As... appends the extension and lists the file; a click on it loads it again.
    const QString target = folder(QStringLiteral("Honda/CR250/Smith"));
    page.ChkScript(QDir(target).filePath(QStringLiteral("01Smith.STP")));
    page.Script()->setPlainText(QStringLiteral("5000\n7000"));
    prompter.queueFile(QDir(target).filePath(QStringLiteral("test")));
    page.SaveScript()->click();
    EXPECT_EQ(readTextLines(QDir(target).filePath(QStringLiteral("test.Script"))).lines,
              (QStringList{"5000", "7000"}));
    ASSERT_EQ(page.ScriptLB()->count(), 1);
    EXPECT_EQ(page.ScriptLB()->item(0)->text(), QStringLiteral("test.Script"));
    page.BitBtn2()->click();
    page.ScriptLBDblClick(QStringLiteral("test.Script"));
    EXPECT_EQ(page.Script()->toPlainText(), QStringLiteral("5000\n7000"));

    // Browse... loads from anywhere and the list keeps its folder; a file that cannot be read
    // leaves the script as it was.
    const QString elsewhere = folder(QStringLiteral("Scripts"));
    ASSERT_FALSE(
        writeTextLines(QDir(elsewhere).filePath(QStringLiteral("long.Script")), {"9000"}).has_value());
    prompter.queueFile(QDir(elsewhere).filePath(QStringLiteral("long.Script")));
    page.BrowseScript()->click();
    EXPECT_EQ(page.Script()->toPlainText(), QStringLiteral("9000"));
    EXPECT_EQ(page.scriptDirectory(), target);
    prompter.queueFile(QDir(elsewhere).filePath(QStringLiteral("missing.Script")));
    page.BrowseScript()->click();
    EXPECT_EQ(page.Script()->toPlainText(), QStringLiteral("9000"));
}

// Renders every page with a realistic setup; with TOLVANE_GRAB_DIR set the pictures are kept there
// for a look.
TEST_F(TestSetupWindowTest, RendersEveryPage)
{
    const QString target = folder(QStringLiteral("Honda/CR250/Smith"));
    viewer.setCurrentFile(QDir(target).filePath(QStringLiteral("03Smith.STP")));
    setup.setText(Text::Caption, viewer.currentFile());
    clickType(TestType::StepTest);
    window.show();
    const QString grabDir = qEnvironmentVariable("TOLVANE_GRAB_DIR");
    const char* const names[] = {"recording", "special", "script"};
    for (int k = 0; k < 3; ++k) {
        window.pages()->setCurrentIndex(k);
        const QImage picture = window.grab().toImage();
        EXPECT_FALSE(picture.isNull());
        if (!grabDir.isEmpty())
            picture.save(
                QDir(grabDir).filePath(QStringLiteral("test_setup_%1.png").arg(QLatin1String(names[k]))));
    }
    clickType(TestType::SweepTest);
    if (!grabDir.isEmpty())
        window.grab().toImage().save(QDir(grabDir).filePath(QStringLiteral("test_setup_sweep.png")));
}

} // namespace
} // namespace tolvane
