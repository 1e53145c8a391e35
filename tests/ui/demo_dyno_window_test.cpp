// The "Demo Dyno" tool window over the live sessions: the throttle keys, the Auto rider riding a
// step test with the window hidden, the truth readout following the vehicle and the readout of
// what the program shows, and the noise control.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QSlider>
#include <QTest>

#include "core/acquisition/step_controller.h"
#include "sim/demo_dyno.h"
#include "support/demo_session_rig.h"
#include "support/ui_items.h"
#include "ui/acquisition/demo_dyno_window.h"

namespace tolvane {
namespace {

struct WindowRig : test::DemoSessionRig {
    explicit WindowRig(const sim::DemoDyno::Options& options = {}) : DemoSessionRig(options) {}
    DemoDynoWindow window{dyno, rider, step, sweep, locale};

    template <typename T> T& control(const char* name) { return test::item<T>(window, name); }
    QString text(const char* label) { return control<QLabel>(label).text(); }
};

TEST(DemoDynoWindow, ThrottleKeysMoveTheThrottleWhicheverControlHasTheFocus)
{
    WindowRig rig;
    EXPECT_EQ(rig.window.windowTitle(), QStringLiteral("Demo Dyno"));
    EXPECT_TRUE(rig.window.windowFlags() & Qt::WindowStaysOnTopHint);
    QComboBox& vehicle = rig.control<QComboBox>("vehicleBox");
    QSlider& slider = rig.control<QSlider>("throttleSlider");
    const int vehicleIndex = vehicle.currentIndex();
    const struct {
        Qt::Key key;
        QWidget* target;
        int percent;
    } presses[] = {
        {Qt::Key_Up, &rig.window, 5},    {Qt::Key_Up, &vehicle, 10},     {Qt::Key_Down, &slider, 5},
        {Qt::Key_PageUp, &vehicle, 100}, {Qt::Key_Up, &rig.window, 100}, {Qt::Key_Down, &rig.window, 95},
        {Qt::Key_Space, &slider, 0},     {Qt::Key_Down, &rig.window, 0}, {Qt::Key_PageUp, &rig.window, 100},
        {Qt::Key_PageDown, &vehicle, 0},
    };
    int step = 0;
    for (const auto& press : presses) {
        SCOPED_TRACE(step++);
        QTest::keyClick(press.target, press.key);
        EXPECT_EQ(rig.rider.throttlePercent(), press.percent);
        EXPECT_EQ(slider.value(), press.percent);
        EXPECT_DOUBLE_EQ(rig.dyno.throttleDemand(), press.percent / 100.0);
        EXPECT_EQ(rig.text("throttleText"), QString::number(press.percent) + QStringLiteral(" %"));
    }
    // The combo box never saw its arrow keys.
    EXPECT_EQ(vehicle.currentIndex(), vehicleIndex);

    // A throttle key takes the throttle from the Auto rider.
    QCheckBox& autoRider = rig.control<QCheckBox>("autoRiderBox");
    autoRider.setChecked(true);
    EXPECT_TRUE(rig.rider.isAuto());
    QTest::keyClick(&rig.window, Qt::Key_Up);
    EXPECT_FALSE(rig.rider.isAuto());
    EXPECT_FALSE(autoRider.isChecked());
    EXPECT_EQ(slider.value(), 5);
}

// The rider belongs with the dyno: with the window never shown, the Auto rider still rides the
// test to its first record line.
TEST(DemoDynoWindow, TheAutoRiderRecordsTheFirstTargetWithTheWindowHidden)
{
    WindowRig rig;
    rig.step.controller().startFromSetup();
    rig.step.connectUnit();
    rig.control<QCheckBox>("autoRiderBox").setChecked(true);
    ASSERT_FALSE(rig.window.isVisible());
    const int ticks = rig.run(rig.step, 2000, [&] { return !rig.step.memo().isEmpty(); });
    ASSERT_LT(ticks, 2000) << "engine at " << rig.dyno.engineRpm();
    EXPECT_NEAR(rig.step.memo().lines().constFirst().section(QLatin1Char('\t'), 0, 0).toDouble(), 7000.0,
                100.0);
    // The slider shows the rider's hand.
    EXPECT_EQ(rig.control<QSlider>("throttleSlider").value(), rig.rider.throttlePercent());
}

TEST(DemoDynoWindow, TheReadoutPutsTheTruthBesideWhatTheProgramShows)
{
    WindowRig rig;
    rig.step.controller().startFromSetup();
    rig.step.controller().setAutoRecord(false);
    rig.step.connectUnit();
    EXPECT_TRUE(rig.text("shownPowerLabel").isEmpty());
    // Part throttle, the brake holding the first target: a steady state to compare.
    rig.rider.setThrottlePercent(60);
    rig.run(rig.step, 400);
    const double truePower = rig.text("truePowerLabel").toDouble();
    const double shownPower = rig.text("shownPowerLabel").toDouble();
    EXPECT_GT(truePower, 10.0);
    EXPECT_NEAR(shownPower, truePower, 0.05 * truePower);
    EXPECT_NEAR(rig.text("shownTorqueLabel").toDouble(), rig.text("trueTorqueLabel").toDouble(),
                0.05 * rig.text("trueTorqueLabel").toDouble());
    EXPECT_NEAR(rig.text("shownRpmLabel").toDouble(), rig.text("trueRpmLabel").toDouble(), 50.0);

    // Another bike on the roller: the truth changes at once, before the next frame.
    QComboBox& vehicle = rig.control<QComboBox>("vehicleBox");
    const int tuned = vehicle.findData(QStringLiteral("tuned"));
    ASSERT_GE(tuned, 0);
    vehicle.setCurrentIndex(tuned);
    EXPECT_EQ(rig.dyno.vehicle().data().name, QStringLiteral("tuned"));
    EXPECT_NE(rig.text("truePowerLabel"), QString::number(truePower, 'f', 1));
    EXPECT_EQ(rig.text("shownPowerLabel").toDouble(), shownPower);

    // Ignition off: the dead engine takes power from the roller.
    rig.control<QCheckBox>("engineBox").setChecked(false);
    EXPECT_FALSE(rig.dyno.isEngineRunning());
    EXPECT_LT(rig.text("truePowerLabel").toDouble(), 0.0);
}

// With the noise at 0 the frames are the physics alone: the same as a noiseless dyno's with
// another seed. With noise they are not.
TEST(DemoDynoWindow, NoiseZeroGivesTheSameFramesWhateverTheSeed)
{
    for (const double noise : {0.0, 1.0}) {
        SCOPED_TRACE(noise);
        WindowRig rig({QStringLiteral("stock"), 7, 1.0});
        rig.control<QDoubleSpinBox>("noiseBox").setValue(noise);
        EXPECT_DOUBLE_EQ(rig.dyno.noiseLevel(), noise);
        sim::DemoDyno quiet(rig.clock, {QStringLiteral("stock"), 99, 0.0});
        BlackBoxUsb::Handle a = 0;
        BlackBoxUsb::Handle b = 0;
        ASSERT_EQ(rig.dyno.open(0, a), F32xStatus::Success);
        ASSERT_EQ(quiet.open(0, b), F32xStatus::Success);
        rig.dyno.setThrottle(0.5);
        quiet.setThrottle(0.5);
        int same = 0;
        for (int k = 0; k < 50; ++k) {
            rig.clock.advanceMs(sim::DemoDyno::FrameIntervalMs);
            QByteArray frameA(12, '\0');
            QByteArray frameB(12, '\0');
            quint32 got = 0;
            ASSERT_EQ(rig.dyno.read(a, reinterpret_cast<quint8*>(frameA.data()), 12, got),
                      F32xStatus::Success);
            ASSERT_EQ(quiet.read(b, reinterpret_cast<quint8*>(frameB.data()), 12, got), F32xStatus::Success);
            same += frameA == frameB ? 1 : 0;
        }
        if (noise == 0.0) {
            EXPECT_EQ(same, 50);
        } else {
            EXPECT_LT(same, 10);
        }
    }
}

TEST(DemoDynoWindow, Picture)
{
    WindowRig rig;
    rig.step.controller().startFromSetup();
    rig.step.connectUnit();
    rig.rider.setThrottlePercent(70);
    rig.run(rig.step, 200);
    rig.window.show();
    const QString path = QDir::temp().filePath(QStringLiteral("demo_dyno_window.png"));
    EXPECT_TRUE(rig.window.grab().save(path));
}

} // namespace
} // namespace tolvane
