#include <gtest/gtest.h>

#include "core/acquisition/frame_decoder.h"
#include "core/acquisition/sample_grid.h"
#include "frame_test_support.h"

namespace tolvane {
namespace {

using test::FakeController;
using test::frameFor;
using test::RecordingDisplay;
using test::runTime;
using test::stepFrame;
using test::sweepFrame;

// Period counts for round roller speeds with the default constant 800000000.
constexpr quint32 Period2000 = 400000;
constexpr quint32 Period2500 = 320000;

LiveCalibration withoutDrag(LiveWindow window)
{
    LiveCalibration c = LiveCalibration::defaults(window);
    c.dragGain = 0.0;
    return c;
}

struct LimitCase {
    const char* name;
    const char* rollerConstant;
    quint32 period;
    quint32 load;        // force = |load - 1| with the default offset and span
    double torqueOffset; // step: added before the check; sweep: only after it
    bool stepAccepted;
    bool sweepAccepted;
};

const LimitCase limitCases[] = {
    {"rpm exactly 100 and force exactly 300", "800000000", 8000000, 301, 0.0, true, true},
    {"rpm exactly 6300", "6300", 1, 1, 0.0, true, true},
    {"rpm 6300.0001", "6300.0001", 1, 1, 0.0, false, false},
    {"period 100000 gives 8000 rpm", "800000000", 100000, 1, 0.0, false, false},
    {"zero period: standing roller", "800000000", 0, 1, 0.0, false, false},
    {"rpm just below 100", "99.999", 1, 1, 0.0, false, false},
    {"force 301", "800000000", Period2000, 302, 0.0, false, false},
    {"force exactly -1", "800000000", Period2000, 1, -1.0, true, true},
    {"force below -1 before the sweep's offset", "800000000", Period2000, 1, -1.0001, false, true},
};

TEST(FrameDecoderTest, PlausibilityLimitsInBothWindows)
{
    for (const LimitCase& c : limitCases) {
        for (LiveWindow window : {LiveWindow::Step, LiveWindow::Sweep}) {
            SCOPED_TRACE(std::string(c.name) + (window == LiveWindow::Step ? " (step)" : " (sweep)"));
            SampleGrid grid(window);
            FrameDecoder decoder(window, grid, TextLocale::standard());
            LiveCalibration cal = withoutDrag(window);
            cal.torqueOffset = c.torqueOffset;
            decoder.setCalibration(cal);
            ASSERT_TRUE(decoder.setRollerSpeedConstantText(QString::fromLatin1(c.rollerConstant)));
            const DecodeResult r = decoder.decode(frameFor(window, c.load, c.period), runTime(0));
            const bool expected = window == LiveWindow::Step ? c.stepAccepted : c.sweepAccepted;
            // The very first sample is a force spike in the step window (change from 0), which
            // still proves it passed the limits.
            EXPECT_EQ(r.outcome != FrameOutcome::OutOfRange, expected);
        }
    }
}

TEST(FrameDecoderTest, DroppedFrameLeavesSampleGridAndPreviousValuesAlone)
{
    SampleGrid grid(LiveWindow::Step);
    FrameDecoder decoder(LiveWindow::Step, grid, TextLocale::standard());
    decoder.setCalibration(withoutDrag(LiveWindow::Step));
    decoder.decode(stepFrame(11, Period2000), runTime(0));
    decoder.decode(stepFrame(11, Period2000), runTime(40));
    const DynoSample before = decoder.sample();
    const QStringList rowBefore = grid.row(10);

    // 01 86 A0: 8000 rpm with the default constant.
    const BlackBoxFrame fast(LiveWindow::Step, QByteArray::fromHex("00000B0186A0000000000000"));
    EXPECT_EQ(fast.periodCount(), 100000u);
    const DecodeResult r = decoder.decode(fast, runTime(80));
    EXPECT_EQ(r.outcome, FrameOutcome::OutOfRange);
    EXPECT_EQ(r.gridRow, -1);
    EXPECT_EQ(decoder.sample().time, before.time);
    EXPECT_EQ(decoder.sample().rollerRpm, 2000.0);
    EXPECT_EQ(grid.row(10), rowBefore);

    // The next good frame measures its changes against the last accepted one.
    decoder.decode(stepFrame(11, Period2000), runTime(120));
    EXPECT_EQ(grid.cell(10, 3), QStringLiteral("0.093"));
    EXPECT_EQ(grid.cell(10, 4), QStringLiteral("0.0"));
}

TEST(FrameDecoderTest, LoadFieldWithTopByteSetKeepsThePreviousCount)
{
    SampleGrid grid(LiveWindow::Step);
    FrameDecoder decoder(LiveWindow::Step, grid, TextLocale::standard());
    decoder.setCalibration(withoutDrag(LiveWindow::Step));
    decoder.decode(stepFrame(11, Period2000), runTime(0));
    EXPECT_DOUBLE_EQ(decoder.sample().force, 10.0);

    const BlackBoxFrame bad(LiveWindow::Step, QByteArray::fromHex("01F000061A80000000000000"));
    EXPECT_FALSE(bad.loadCountValid());
    decoder.decode(bad, runTime(40));
    EXPECT_EQ(decoder.sample().loadCount, 11u);
    EXPECT_DOUBLE_EQ(decoder.sample().force, 10.0);
    EXPECT_EQ(grid.cell(10, 5), QStringLiteral("0.0"));
}

TEST(FrameDecoderTest, StepForceSpikesDropTwoAndAcceptTheThird)
{
    SampleGrid grid(LiveWindow::Step);
    FrameDecoder decoder(LiveWindow::Step, grid, TextLocale::standard());
    decoder.setCalibration(withoutDrag(LiveWindow::Step));
    decoder.setTachRatio(2.0f);
    RecordingDisplay display;
    FakeController controller;
    decoder.setDisplay(&display);
    decoder.setController(&controller);

    struct Step {
        quint32 load;
        FrameOutcome outcome;
        const char* forceChangeCell;
    };
    const Step steps[] = {
        {11, FrameOutcome::ForceSpike, "1*10.0"}, // the first sample jumps from 0
        {11, FrameOutcome::Accepted, "0.0"},      {17, FrameOutcome::ForceSpike, "1*6.0"},
        {23, FrameOutcome::ForceSpike, "2*6.0"},  {29, FrameOutcome::Accepted, "6.0"},
    };
    qint64 ms = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(s.load);
        const DecodeResult r = decoder.decode(stepFrame(s.load, Period2000), runTime(ms));
        ms += 40;
        EXPECT_EQ(r.outcome, s.outcome);
        EXPECT_EQ(grid.cell(r.gridRow, 5), QString::fromLatin1(s.forceChangeCell));
        EXPECT_EQ(display.log.front(), r.outcome == FrameOutcome::ForceSpike ? "teal" : "plain");
        display.log.clear();
    }
    ASSERT_EQ(controller.seen.size(), 2u);
    EXPECT_DOUBLE_EQ(controller.seen.back().force, 28.0);
    EXPECT_DOUBLE_EQ(controller.seen.back().forceChange, 6.0);
}

TEST(FrameDecoderTest, SweepForceSpikeIsMarkedButTheSampleGoesOn)
{
    SampleGrid grid(LiveWindow::Sweep);
    FrameDecoder decoder(LiveWindow::Sweep, grid, TextLocale::standard());
    decoder.setCalibration(withoutDrag(LiveWindow::Sweep));
    decoder.setTachRatio(2.0f);
    RecordingDisplay display;
    decoder.setDisplay(&display);
    decoder.decode(sweepFrame(11, Period2000), runTime(0));
    decoder.decode(sweepFrame(11, Period2000), runTime(40));
    display.log.clear();

    const DecodeResult r = decoder.decode(sweepFrame(31, Period2000), runTime(80));
    EXPECT_EQ(r.outcome, FrameOutcome::Accepted);
    EXPECT_EQ(grid.cell(r.gridRow, 5), QStringLiteral("1*20.0"));
    EXPECT_EQ(display.log, QStringList({"engine 4000.0", "values"}));
    EXPECT_NEAR(display.lastValues.power, 30.0 * 2000.0 / 5252.0, 1e-4);
}

TEST(FrameDecoderTest, FirstSampleTimeStepIsTheWholeDateTimeAndMarked)
{
    for (LiveWindow window : {LiveWindow::Step, LiveWindow::Sweep}) {
        SampleGrid grid(window);
        FrameDecoder decoder(window, grid, TextLocale::standard());
        decoder.decode(frameFor(window, 11, Period2000), runTime(0));
        EXPECT_NEAR(decoder.sample().timeStep, runTime(0) * 100000.0, 1e-3);
        EXPECT_TRUE(grid.cell(10, 3).startsWith(QLatin1String("1*46024")));
        EXPECT_EQ(decoder.spikeChecks().timeStepCount(), 1);

        decoder.decode(frameFor(window, 11, Period2000), runTime(40));
        EXPECT_EQ(grid.cell(10, 3), QStringLiteral("0.046"));
        EXPECT_EQ(decoder.spikeChecks().timeStepCount(), 0);
    }
}

TEST(FrameDecoderTest, StepRowHoldsTheMeasuredAndStationColumns)
{
    SampleGrid grid(LiveWindow::Step);
    FrameDecoder decoder(LiveWindow::Step, grid, TextLocale::withDecimal(QLatin1Char(',')));
    decoder.setStationValues({1.0234, 71.26, 29.92, 42.5});
    decoder.decode(stepFrame(101, Period2000, 77, 16642), runTime(0));
    decoder.decode(stepFrame(101, Period2000, 77, 16642), runTime(250));
    // The step grid's time keeps a point; numbers take the locale's comma; humidity is rounded
    // half to even. The rpm change falls from the start-up jump (2000) back to 0: a second jump.
    EXPECT_EQ(grid.row(10), QStringList({"8:00:00.250", "2000,0", "104,2", "0,289", "0,0*2", "0,0", "16642",
                                         "1,0234", "71,3", "29,92", "42"}));
    EXPECT_EQ(decoder.sample().auxiliaryCount, 77u);
}

TEST(FrameDecoderTest, SweepRowFollowsTheLocaleAndKeepsTheBareForce)
{
    for (const QChar sep : {QLatin1Char('.'), QLatin1Char(',')}) {
        SampleGrid grid(LiveWindow::Sweep);
        FrameDecoder decoder(LiveWindow::Sweep, grid, TextLocale::withDecimal(sep));
        LiveCalibration cal = LiveCalibration::defaults(LiveWindow::Sweep);
        cal.torqueGain = 2.0;
        decoder.setCalibration(cal);
        decoder.decode(sweepFrame(101, Period2000), runTime(0));
        decoder.decode(sweepFrame(101, Period2000), runTime(40));
        const QString s = sep;
        EXPECT_EQ(grid.row(10), QStringList({"8:00:00" + s + "040", "2000" + s + "0", "100" + s + "0",
                                             "0" + s + "046", "0" + s + "0", "0" + s + "0", "0"}));
        // Torque and power take drag and gain after the grid was written.
        EXPECT_DOUBLE_EQ(decoder.sample().force, (100.0 + 2000.0 * 0.0021) * 2.0);
    }
}

TEST(FrameDecoderTest, StepPhysicsSmoothingAndDisplays)
{
    SampleGrid grid(LiveWindow::Step);
    FrameDecoder decoder(LiveWindow::Step, grid, TextLocale::standard());
    decoder.setTachRatio(2.5f);
    decoder.smoothing().setDepth(2);
    decoder.setDisplayFactors({1.609, 0.746, 1.3558});
    decoder.setStationValues({1.05, 0, 0, 0});
    RecordingDisplay display;
    decoder.setDisplay(&display);

    // The first frame is a force spike (the force jumps from 0) and is dropped.
    EXPECT_EQ(decoder.decode(stepFrame(101, Period2000), runTime(0)).outcome, FrameOutcome::ForceSpike);
    EXPECT_EQ(decoder.decode(stepFrame(101, Period2000), runTime(40)).outcome, FrameOutcome::Accepted);
    const double force = 100.0 + 2000.0 * 0.0021;
    const DynoSample& s = decoder.sample();
    EXPECT_DOUBLE_EQ(s.force, force);
    EXPECT_DOUBLE_EQ(s.engineRpm, 5000.0);
    EXPECT_FLOAT_EQ(s.speedRatio, 0.4f);
    EXPECT_FLOAT_EQ(s.engineTorque, static_cast<float>(force * 0.4f));
    EXPECT_FLOAT_EQ(s.power, static_cast<float>(force * 2000.0 / 5252.0));
    EXPECT_FLOAT_EQ(s.roadSpeed, static_cast<float>(2000.0 * 0.0379));
    EXPECT_EQ(s.inertiaTorque, 0.0f);
    // Depth 2 with an empty history: half the first value.
    EXPECT_FLOAT_EQ(s.smoothedPower, s.power / 2);

    decoder.decode(stepFrame(101, Period2000), runTime(80));
    EXPECT_FLOAT_EQ(decoder.sample().smoothedPower, decoder.sample().power);
    EXPECT_FLOAT_EQ(decoder.sample().smoothedEngineRpm, 5000.0f);
    EXPECT_NEAR(display.lastValues.roadSpeed, 2000.0 * 0.0379 * 1.609, 1e-4);
    EXPECT_NEAR(display.lastValues.power, force * 2000.0 / 5252.0 * 0.746, 1e-4);
    EXPECT_NEAR(display.lastValues.engineTorque, force * 0.4 * 1.3558, 1e-4);
    EXPECT_NEAR(display.lastValues.correctionPercent, 5.0, 1e-9);
}

TEST(FrameDecoderTest, StepHooksRunInOrderAndTachRatioZeroKeepsEngineRpm)
{
    SampleGrid grid(LiveWindow::Step);
    FrameDecoder decoder(LiveWindow::Step, grid, TextLocale::standard());
    decoder.setCalibration(withoutDrag(LiveWindow::Step));
    decoder.smoothing().setDepth(2);
    RecordingDisplay display;
    FakeController controller;
    controller.log = &display.log;
    decoder.setDisplay(&display);
    decoder.setController(&controller);
    decoder.setTachRatio(2.0f);
    decoder.decode(stepFrame(11, Period2000), runTime(0));
    decoder.decode(stepFrame(11, Period2000), runTime(40));
    display.log.clear();

    const float previousAcceleration = decoder.sample().angularAcceleration;
    const float previousForceRate = decoder.sample().forceRate;
    decoder.decode(stepFrame(11, Period2500), runTime(80));
    ASSERT_EQ(display.log.size(), 5);
    EXPECT_EQ(display.log[0], "plain");
    EXPECT_EQ(display.log[1], "engine 5000.0");
    EXPECT_EQ(display.log[2], QStringLiteral("gauge %1 %2").arg(previousAcceleration).arg(previousForceRate));
    EXPECT_NE(decoder.sample().angularAcceleration, previousAcceleration);
    EXPECT_EQ(display.log[3], "values");
    EXPECT_EQ(display.log[4], "controller");
    // The controller gets the smoothed values its event graph keeps (depth 2: this and the last).
    EXPECT_FLOAT_EQ(controller.seen.back().smoothedEngineRpm, 4500.0f);
    EXPECT_FLOAT_EQ(controller.seen.back().smoothedPower, static_cast<float>(10.0 * 4500.0 / 5252.0 / 2));

    display.log.clear();
    decoder.setTachRatio(0.0f);
    decoder.decode(stepFrame(11, Period2000), runTime(120));
    EXPECT_EQ(display.log[1], "status " + TachSetupText);
    EXPECT_EQ(
        display.log[1],
        QStringLiteral("status Step #1:   To Setup The Tachometer, Press The Corresponding Function Key"));
    EXPECT_DOUBLE_EQ(controller.seen.back().engineRpm, 5000.0);
    EXPECT_DOUBLE_EQ(controller.seen.back().rollerRpm, 2000.0);
}

TEST(FrameDecoderTest, AngularAccelerationAndSweepInertiaTorque)
{
    SampleGrid grid(LiveWindow::Sweep);
    FrameDecoder decoder(LiveWindow::Sweep, grid, TextLocale::standard());
    decoder.setCalibration(withoutDrag(LiveWindow::Sweep));
    decoder.setTachRatio(2.0f);
    decoder.setInertia(3.5f);
    FakeController controller;
    decoder.setController(&controller);
    decoder.decode(sweepFrame(101, Period2000), runTime(0));
    const float powerBefore = decoder.sample().power;

    decoder.decode(sweepFrame(101, Period2500), runTime(40));
    // Differences of date-time values near 46024 days carry their rounding (about 1e-6 here).
    const double timeStep = (runTime(40) - runTime(0)) * 100000.0;
    const float omega0 = static_cast<float>(2000 * 0.10472);
    const float omega1 = static_cast<float>(2500 * 0.10472);
    const auto alpha = static_cast<float>((omega1 - omega0) / timeStep);
    const DynoSample& s = decoder.sample();
    EXPECT_DOUBLE_EQ(s.timeStep, timeStep);
    EXPECT_NEAR(s.timeStep, 40.0 / 864.0, 1e-6);
    EXPECT_FLOAT_EQ(s.angularAcceleration, alpha);
    EXPECT_FLOAT_EQ(s.inertiaTorque, 3.5f * alpha);
    EXPECT_FLOAT_EQ(s.power, static_cast<float>((100.0 + 3.5f * alpha) * 2500.0 / 5252.0));
    EXPECT_FLOAT_EQ(s.engineTorque, static_cast<float>((100.0 + 3.5f * alpha) * 0.5f));
    // The controller ran with the new engine rpm and the previous power.
    EXPECT_DOUBLE_EQ(controller.seen.back().engineRpm, 5000.0);
    EXPECT_EQ(controller.seen.back().power, powerBefore);

    // A zero time step keeps the rates instead of dividing by zero.
    decoder.decode(sweepFrame(101, Period2000), runTime(40));
    EXPECT_FLOAT_EQ(decoder.sample().angularAcceleration, alpha);
}

TEST(FrameDecoderTest, RecordingControllerAppendsRows)
{
    SampleGrid grid(LiveWindow::Sweep);
    FrameDecoder decoder(LiveWindow::Sweep, grid, TextLocale::standard());
    FakeController controller;
    controller.phase = GridPhase::Recording;
    decoder.setController(&controller);
    EXPECT_EQ(decoder.decode(sweepFrame(11, Period2000), runTime(0)).gridRow, 11);
    EXPECT_EQ(decoder.decode(sweepFrame(11, Period2500), runTime(40)).gridRow, 12);
    EXPECT_EQ(grid.rowCount(), 12);
    EXPECT_EQ(grid.cell(11, 1), QStringLiteral("2000.0"));
    controller.phase = GridPhase::Other;
    EXPECT_EQ(decoder.decode(sweepFrame(11, Period2000), runTime(80)).gridRow, 12);
}

TEST(FrameDecoderTest, RollerSpeedConstantRefusesTextThatIsNoPositiveNumber)
{
    SampleGrid grid(LiveWindow::Step);
    FrameDecoder decoder(LiveWindow::Step, grid, TextLocale::standard());
    EXPECT_EQ(decoder.rollerSpeedConstantText(), QStringLiteral("800000000"));
    for (const char* bad : {"", "abc", "0", "-5"})
        EXPECT_FALSE(decoder.setRollerSpeedConstantText(QString::fromLatin1(bad))) << bad;
    EXPECT_EQ(decoder.rollerSpeedConstantText(), QStringLiteral("800000000"));
    EXPECT_TRUE(decoder.setRollerSpeedConstantText(u"400000000"));
    decoder.decode(stepFrame(11, Period2000), runTime(0));
    EXPECT_DOUBLE_EQ(decoder.sample().rollerRpm, 1000.0);
}

// The tach ratio is measured against the newest frame's roller speed, also when that frame was
// dropped; the load-cell calibration's written-back count shows until the next frame and never
// becomes the count an invalid load field falls back on.
TEST(FrameDecoderTest, NewestFrameSpeedAndTheLoadCountOverride)
{
    SampleGrid grid(LiveWindow::Step);
    FrameDecoder decoder(LiveWindow::Step, grid, TextLocale::standard());
    decoder.setCalibration(withoutDrag(LiveWindow::Step));
    decoder.decode(stepFrame(31, 312500), runTime(0));
    EXPECT_DOUBLE_EQ(decoder.frameRollerRpm(), 2560.0);
    ASSERT_DOUBLE_EQ(decoder.sample().rollerRpm, 2560.0);
    // The roller stops: the sample keeps its last speed, the frame's speed is 0.
    EXPECT_EQ(decoder.decode(stepFrame(31, 0), runTime(40)).outcome, FrameOutcome::OutOfRange);
    EXPECT_DOUBLE_EQ(decoder.sample().rollerRpm, 2560.0);
    EXPECT_DOUBLE_EQ(decoder.frameRollerRpm(), 0.0);

    decoder.overrideLoadCount(50);
    EXPECT_EQ(decoder.sample().loadCount, 50u);
    EXPECT_EQ(decoder.rawLoadCount(), 31u);
    // The next frame's load field is invalid: it falls back on the real count 31, not on 50.
    const BlackBoxFrame badLoad(LiveWindow::Step, QByteArray::fromHex("01F00004C4B4000000000000"));
    ASSERT_FALSE(badLoad.loadCountValid());
    ASSERT_EQ(decoder.decode(badLoad, runTime(80)).outcome, FrameOutcome::Accepted);
    EXPECT_EQ(decoder.sample().loadCount, 31u);
    EXPECT_DOUBLE_EQ(decoder.sample().force, 30.0);
}

} // namespace
} // namespace tolvane
