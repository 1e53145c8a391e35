#include <gtest/gtest.h>

#include "core/acquisition/brake_command.h"

namespace tolvane {
namespace {

TEST(BrakeCommandTest, OutputCodeRoundsHalvesToEven)
{
    struct Case {
        double target;
        float tach;
        std::int64_t code;
    };
    const Case cases[] = {
        {13000, 3.125f, 16642}, // 4160 exactly
        {5, 2.0f, 10},          // 2.5 -> 2
        {7, 2.0f, 18},          // 3.5 -> 4
        {9, 2.0f, 18},          // 4.5 -> 4
        {1000, 3.0f, 1334},     // 333.33 -> 333
        {2000, 3.0f, 2670},     // 666.67 -> 667
        {0, 3.0f, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(brakeOutputCode(c.target, c.tach), c.code) << c.target << " / " << c.tach;
}

TEST(BrakeCommandTest, StepCommandKeepsItsCodeInTheSliderRange)
{
    EXPECT_EQ(aoutBarValue(16642), 16642);
    EXPECT_EQ(aoutBarValue(brakeOutputCode(30000, 2.0f)), 25000);
    EXPECT_EQ(aoutBarValue(-6), 0);

    BrakeLoopSettings settings;
    const BrakeCommand command(LiveWindow::Step, aoutBarValue(brakeOutputCode(13000, 3.125f)), settings);
    const std::array<quint8, 9> expected{0x55, 0x88, 16, 3, 0x02, 0x41, 0x10, 0x11, 0x12};
    EXPECT_EQ(command.bytes(), expected);
    EXPECT_EQ(command.toByteArray(), QByteArray::fromHex("55881003024110"
                                                         "1112"));
}

TEST(BrakeCommandTest, SweepCommandSendsLargeTargetsRawAndCarriesItsSettings)
{
    struct Case {
        int target;
        float tach;
        std::int64_t code;
    };
    const Case cases[] = {
        {32768, 3.0f, 32768}, {32768, 0.0f, 32768}, {20000, 0.0f, 20000},
        {4000, 2.0f, 8002},   {32767, 4.0f, 32770},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sweepOutputCode(c.target, c.tach), c.code) << c.target << " / " << c.tach;

    BrakeLoopSettings settings;
    settings.accelerationMultiplication = 31;
    settings.feedbackDivider = 20;
    settings.targetAcceleration = 25;
    settings.bar2 = 255;
    settings.bar3 = 0;
    const BrakeCommand command(LiveWindow::Sweep, sweepOutputCode(32768, 2.5f), settings);
    const std::array<quint8, 9> expected{0x55, 0x88, 31, 20, 0x00, 0x80, 25, 255, 0};
    EXPECT_EQ(command.bytes(), expected);
}

TEST(BrakeCommandTest, CodesBeyondTwoBytesAreHeldNotWrapped)
{
    const BrakeCommand high(LiveWindow::Sweep, 100000, BrakeLoopSettings{});
    EXPECT_EQ(high.byte(4), 0xFF);
    EXPECT_EQ(high.byte(5), 0xFF);
    const BrakeCommand low(LiveWindow::Sweep, -3, BrakeLoopSettings{});
    EXPECT_EQ(low.byte(4), 0x00);
    EXPECT_EQ(low.byte(5), 0x00);
}

} // namespace
} // namespace tolvane
