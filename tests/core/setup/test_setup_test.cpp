#include <gtest/gtest.h>

#include "core/common/scripted_prompter.h"
#include "core/setup/test_setup.h"
#include "core/setup/unit_settings.h"

using namespace tolvane;

namespace {

using Spin = TestSetup::Spin;
using Check = TestSetup::Check;
using Text = TestSetup::Text;

struct SetupWindow {
    ScriptedPrompter prompter;
    UnitSettings units;
    TestSetup setup{units, prompter, TextLocale::standard()};
};

QStringList rpmRange(int from, int to, int step)
{
    QStringList lines;
    for (int v = from; v <= to; v += step)
        lines.append(QString::number(v));
    return lines;
}

} // namespace

TEST(TestSetup, StartsWithTheWindowDefaults)
{
    SetupWindow s;
    struct Case {
        Spin spin;
        int value, minimum, maximum;
    };
    const Case cases[] = {
        {Spin::MnRpm, 3000, 500, 25000},
        {Spin::RedLine, 12000, 1000, 25000},
        {Spin::AutoInc, 1000, -10000, 10000},
        {Spin::WWRider, 20, 1, 50},
        {Spin::AutoDecell, 4000, 500, 25000},
        {Spin::WarmTo, 7000, 125, 25000},
        {Spin::DrgCo, 25, 1, 50},
        {Spin::Mxfpss, 17, 1, 200},
        {Spin::MxLbss, 17, 1, 200},
        {Spin::MnHP, 8, 0, 1000},
        {Spin::MnSec, 4, 2, 200},
        {Spin::AMFSB, 16, 0, 31},
        {Spin::FDFSB, 3, 1, 20},
        {Spin::SmpDly, 1, 1, 99},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(s.setup.value(c.spin), c.value) << static_cast<int>(c.spin);
        EXPECT_EQ(s.setup.range(c.spin).minimum, c.minimum) << static_cast<int>(c.spin);
        EXPECT_EQ(s.setup.range(c.spin).maximum, c.maximum) << static_cast<int>(c.spin);
    }
    EXPECT_TRUE(s.setup.isChecked(Check::AutoInccb));
    EXPECT_TRUE(s.setup.isChecked(Check::AutoDecellcb));
    EXPECT_TRUE(s.setup.isChecked(Check::DefDecEn));
    EXPECT_FALSE(s.setup.isChecked(Check::WarmToCb));
    EXPECT_FALSE(s.setup.isChecked(Check::EgaEnabled));
    EXPECT_TRUE(s.setup.isChecked(Check::PCIEn));
    EXPECT_FALSE(s.setup.isChecked(Check::CheckBox1));
    EXPECT_FALSE(s.setup.autoDecellEnabled());
    EXPECT_EQ(s.setup.text(Text::TachRatio), QLatin1String("3.1250"));
    EXPECT_EQ(s.setup.text(Text::InertiaE), QLatin1String("3.5000"));
    EXPECT_EQ(s.setup.text(Text::Baddr), QLatin1String("61312"));
    EXPECT_EQ(s.setup.testType(), TestType::FloatBowl);
    EXPECT_EQ(s.setup.AMFSBCaption(), QLatin1String(" Acceleration multiplication = 16"));
    EXPECT_EQ(s.setup.FDFSBCaption(), QLatin1String(" Feedback divider = 3"));
    EXPECT_TRUE(s.setup.script().isEmpty());
}

TEST(TestSetup, ValuesAreClampedIntoTheControlLimits)
{
    SetupWindow s;
    s.setup.setValue(Spin::MnRpm, 100);
    EXPECT_EQ(s.setup.value(Spin::MnRpm), 500);
    s.setup.setValue(Spin::AMFSB, 40);
    EXPECT_EQ(s.setup.value(Spin::AMFSB), 31);
    s.setup.setValue(Spin::AutoInc, -20000);
    EXPECT_EQ(s.setup.value(Spin::AutoInc), -10000);
}

TEST(TestSetup, StartRpmMovesTheDecelerationRpm)
{
    struct Case {
        int mnRpm;
        int decel;
    };
    const Case cases[] = {{3500, 4000}, {3000, 4000},   {2999, 3000},
                          {500, 1000},  {12345, 13000}, {25000, 25000}};
    for (const Case& c : cases) {
        SetupWindow s;
        s.setup.setChecked(Check::DefDecEn, false);
        EXPECT_TRUE(s.setup.autoDecellEnabled());
        s.setup.setValue(Spin::MnRpm, c.mnRpm == 3000 ? 3001 : 3000); // make sure the value changes
        s.setup.setValue(Spin::MnRpm, c.mnRpm);
        EXPECT_EQ(s.setup.value(Spin::AutoDecell), c.decel) << c.mnRpm;
        EXPECT_TRUE(s.setup.isChecked(Check::DefDecEn)) << c.mnRpm;
        EXPECT_FALSE(s.setup.autoDecellEnabled());
    }
    // Once the deceleration rpm has changed, its minimum is the start rpm.
    SetupWindow s;
    s.setup.setValue(Spin::MnRpm, 3500);
    s.setup.setChecked(Check::DefDecEn, false);
    s.setup.setValue(Spin::AutoDecell, 5000);
    s.setup.setValue(Spin::AutoDecell, 1000);
    EXPECT_EQ(s.setup.value(Spin::AutoDecell), 3500);
    // Checking "Use default value" derives it from the start rpm again.
    s.setup.setChecked(Check::DefDecEn, true);
    EXPECT_EQ(s.setup.value(Spin::AutoDecell), 4000);
}

TEST(TestSetup, SmallHandlersFollowTheirControls)
{
    SetupWindow s;
    s.setup.setValue(Spin::Mxfpss, 25);
    EXPECT_EQ(s.setup.value(Spin::MxLbss), 25);
    s.setup.setValue(Spin::MxLbss, 30); // the other way round nothing is copied
    EXPECT_EQ(s.setup.value(Spin::Mxfpss), 25);

    s.setup.setChecked(Check::AutoDecellcb, false); // clearing auto decel clears auto increment
    EXPECT_FALSE(s.setup.isChecked(Check::AutoInccb));
    s.setup.setChecked(Check::AutoInccb, true); // checking auto increment checks auto decel
    EXPECT_TRUE(s.setup.isChecked(Check::AutoDecellcb));
    s.setup.setChecked(Check::AutoInccb, false);
    EXPECT_TRUE(s.setup.isChecked(Check::AutoDecellcb));

    s.setup.setChecked(Check::EgaEnabled, true);
    EXPECT_TRUE(s.setup.smpDlyEnabled());
    s.setup.setChecked(Check::PCIEn, false);
    EXPECT_FALSE(s.setup.baddrEnabled());

    // The sample delay and the USB switch write the unit settings.
    s.setup.setValue(Spin::SmpDly, 7);
    EXPECT_EQ(s.units.egaDelay(), 7);
    s.setup.setChecked(Check::USBenable, true);
    EXPECT_TRUE(s.units.usbBlackBox());

    s.setup.setValue(Spin::AMFSB, 20);
    s.setup.setValue(Spin::FDFSB, 10);
    EXPECT_EQ(s.setup.AMFSBCaption(), QLatin1String(" Acceleration multiplication = 20"));
    EXPECT_EQ(s.setup.FDFSBCaption(), QLatin1String(" Feedback divider = 10"));
}

TEST(TestSetup, ShowingWithoutAGasAnalyzerPortClearsAndDisablesEga)
{
    SetupWindow s;
    s.setup.setChecked(Check::EgaEnabled, true);
    s.units.setEgaComPort(0);
    s.setup.FormShow();
    EXPECT_FALSE(s.setup.isChecked(Check::EgaEnabled));
    EXPECT_FALSE(s.setup.egaAvailable());

    s.units.setEgaComPort(3);
    s.units.setEgaDelay(5);
    s.setup.FormShow();
    EXPECT_TRUE(s.setup.egaAvailable());
    EXPECT_EQ(s.setup.value(Spin::SmpDly), 5);
}

TEST(TestSetup, TestTypeDecidesGroupsColourAndQuickSweepValues)
{
    struct Case {
        TestType type;
        bool sweepWindow;
        SetupGroups groups;
        const char* colour;
        const char* extension;
    };
    const Case cases[] = {
        {TestType::StepTest, false, {true, false, true, false}, "clGray", ".STP"},
        {TestType::RoadLoad, false, {false, false, false, false}, "clBtnFace", ".RLD"},
        {TestType::SweepTest, true, {false, true, false, true}, "clYellow", ".SWP"},
        {TestType::QuickSweep, true, {false, true, false, true}, "clTeal", ".QWS"},
        {TestType::FloatBowl, true, {false, true, true, false}, "clGreen", ".flt"},
        {TestType::MainJet, true, {false, true, true, false}, "clOlive", ".mjt"},
    };
    for (const Case& c : cases) {
        SetupWindow s;
        s.setup.TstTypRClick(c.type);
        const SetupGroups g = s.setup.groups();
        EXPECT_EQ(runsInSweepWindow(c.type), c.sweepWindow);
        EXPECT_EQ(g.autoIncrement, c.groups.autoIncrement);
        EXPECT_EQ(g.acceleration, c.groups.acceleration);
        EXPECT_EQ(g.stepGroup, c.groups.stepGroup);
        EXPECT_EQ(g.sweepGroup, c.groups.sweepGroup);
        EXPECT_EQ(s.setup.rangeColour(), QLatin1String(c.colour));
        EXPECT_EQ(setupExtension(c.type), QLatin1String(c.extension));
        EXPECT_FALSE(s.setup.throttlePanelEnabled());
        EXPECT_EQ(s.setup.script(), rpmRange(3000, 12000, 1000)); // regenerated
    }
    SetupWindow s;
    s.units.setInertiaFactor(2.8125);
    s.setup.TstTypRClick(TestType::QuickSweep);
    EXPECT_EQ(s.setup.text(Text::InertiaE), QLatin1String("2.812")); // "0.000", halves to even
    EXPECT_EQ(s.setup.value(Spin::WWRider), 25);
    s.setup.setValue(Spin::WWRider, 15);
    s.setup.TstTypRClick(TestType::SweepTest);
    EXPECT_EQ(s.setup.value(Spin::WWRider), 15);
}

TEST(TestSetup, DefaultScriptFollowsTheRangeAndReplacesALoadedScript)
{
    SetupWindow s;
    s.setup.DefaultBClick();
    EXPECT_EQ(s.setup.script(), rpmRange(3000, 12000, 1000));

    const QStringList loaded{QStringLiteral("5000"), QStringLiteral("7000")};
    s.setup.setScript(loaded);
    s.setup.setValue(Spin::RedLine, 9000);
    EXPECT_EQ(s.setup.script(), rpmRange(3000, 9000, 1000));
    s.setup.setScript(loaded);
    s.setup.setValue(Spin::AutoInc, 2000);
    EXPECT_EQ(s.setup.script(), (QStringList{"3000", "5000", "7000", "9000"}));

    // An increment below 50 leaves the script as it was.
    s.setup.setScript(loaded);
    s.setup.setValue(Spin::AutoInc, 40);
    EXPECT_EQ(s.setup.script(), loaded);

    s.setup.BitBtn2Click();
    EXPECT_TRUE(s.setup.script().isEmpty());
}

TEST(TestSetup, TooManyStepsWarnsAndEmptiesTheScript)
{
    SetupWindow s;
    s.setup.DefaultBClick();
    s.setup.setValue(Spin::RedLine, 25000);
    s.setup.setValue(Spin::MnRpm, 500);
    ASSERT_FALSE(s.setup.script().isEmpty());
    s.setup.setValue(Spin::AutoInc, 100);
    EXPECT_TRUE(s.setup.script().isEmpty());
    ASSERT_EQ(s.prompter.asked().size(), 1u);
    EXPECT_EQ(s.prompter.asked().front().text,
              QLatin1String("Too many Steps!  Aborting!  Try a larger increment."));
    EXPECT_EQ(s.prompter.asked().front().buttons, PromptButtons::Ok);
}

TEST(TestSetup, ThrottleSectionsOnlyForRoadLoad)
{
    SetupWindow s;
    s.setup.setValue(Spin::RedLine, 5000);
    s.setup.setThrottleChecked(ThrottlePosition::Throttle60, true);
    const QStringList list = rpmRange(3000, 5000, 1000);
    EXPECT_EQ(s.setup.script(), list); // float bowl: no sections
    s.setup.TstTypRClick(TestType::RoadLoad);
    EXPECT_EQ(s.setup.script(), list + QStringList{QStringLiteral("60% Throttle")} + list);
}

TEST(TestSetup, BatchGeneratesOnceFromTheFinalValues)
{
    SetupWindow s;
    s.setup.DefaultBClick();
    {
        const TestSetup::Batch batch(s.setup);
        s.setup.setValue(Spin::AutoInc, 100); // 3000 ... 12000 by 100 would be 91 lines
        s.setup.setValue(Spin::MnRpm, 500);   // 500 ... 12000 by 100: too many, but not final
        s.setup.setValue(Spin::RedLine, 5000);
        EXPECT_EQ(s.setup.script(), rpmRange(3000, 12000, 1000)); // not yet regenerated
    }
    EXPECT_TRUE(s.prompter.asked().empty());
    EXPECT_EQ(s.setup.script(), rpmRange(500, 5000, 100));
}

TEST(TestSetup, InertiaMustBeAboveZero)
{
    struct Case {
        const char* text;
        bool accepted;
    };
    const Case cases[] = {{"2.5", true}, {"0.0001", true}, {"0", false},
                          {"-1", false}, {"abc", false},   {"", false}};
    for (const Case& c : cases) {
        SetupWindow s;
        s.setup.setText(Text::InertiaE, QString::fromLatin1(c.text));
        EXPECT_EQ(s.setup.InertiaEExit(), c.accepted) << c.text;
        if (c.accepted) {
            EXPECT_TRUE(s.prompter.asked().empty());
            EXPECT_EQ(s.setup.text(Text::InertiaE), QLatin1String(c.text));
        } else {
            ASSERT_EQ(s.prompter.asked().size(), 1u);
            EXPECT_EQ(s.prompter.asked().front().text,
                      QLatin1String(
                          "You are trying to enter an invalid inertia value, value must be greater then 0, "
                          "2.5 is the default."));
            EXPECT_EQ(s.prompter.asked().front().buttons, PromptButtons::Retry);
            EXPECT_EQ(s.setup.text(Text::InertiaE), QLatin1String("2.5000"));
        }
    }
}
