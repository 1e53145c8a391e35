#include <gtest/gtest.h>

#include <limits>

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
        EXPECT_EQ(brakeOutputCode(c.target, c.tach, BrakeCodeMax), c.code) << c.target << " / " << c.tach;
}

TEST(BrakeCommandTest, StepCommandKeepsItsCodeInTheSliderRange)
{
    EXPECT_EQ(aoutBarValue(16642), 16642);
    EXPECT_EQ(brakeOutputCode(30000, 2.0f, AoutBarMax), 25000);
    EXPECT_EQ(aoutBarValue(-6), 0);

    BrakeLoopSettings settings;
    const BrakeCommand command(LiveWindow::Step, brakeOutputCode(13000, 3.125f, AoutBarMax), settings);
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

// A tach ratio near 0 makes the quotient larger than any integer; it must come out at the top of
// the range, never wrapped round to a braking code.
TEST(BrakeCommandTest, CodesOutsideTheRangeAreHeldAtItsEnds)
{
    constexpr double Nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double Inf = std::numeric_limits<double>::infinity();
    constexpr float Denormal = std::numeric_limits<float>::denorm_min();
    struct StepCase {
        double target;
        double tach; // reaches the code as the float the test setup keeps
        int code;
    };
    const StepCase stepCases[] = {
        {30000, 1e-14, 25000},    // 4 x 3e18 overflowed to 0, full brake
        {30000, 1e-300, 25000},   // a float 0
        {30000, Denormal, 25000}, // the smallest float denormal
        {1, 1e-40, 25000},        // a larger one
        {1e300, 3.0, 25000},      // a huge target
        {Inf, 3.0, 25000},        // an infinite one
        {6249, 1.0, 24998},       // the last code below the slider's end
        {6249.5, 1.0, 25000},     // rounds to 6250: 25002
        {-30000, 1e-14, 0},       // overflowed the other way, to 25000
        {-Inf, 3.0, 0},           // negative codes at 0
        {-0.5, 1.0, 2},           // rounds to 0
        {3000, Nan, 2},           // a ratio that is no number: as a target of 0
        {Nan, 3.0, 2},            // a target that is no number
        {3000, Inf, 2},           // an infinite ratio: a roller target of 0
    };
    for (const StepCase& c : stepCases)
        EXPECT_EQ(brakeOutputCode(c.target, static_cast<float>(c.tach), AoutBarMax), c.code)
            << c.target << " / " << c.tach;

    struct SweepCase {
        int target;
        double tach;
        int code;
    };
    const SweepCase sweepCases[] = {
        {30000, 1e-14, 65535},                         // overflowed to -6446743863129587710
        {32767, 1e-14, 65535},                         // the highest target the formula takes
        {1, 1e-40, 65535},                             // a float denormal
        {20000, 1.0, 65535},                           // 80002 does not fit the two bytes
        {16383, 1.0, 65534},                           // the last code that does
        {32768, 1e-14, 32768},                         // the sweep code, whatever the ratio
        {std::numeric_limits<int>::max(), 3.0, 65535}, // sent as it is, within the bytes
        {100000, 0.0, 65535},                          // no ratio: the target itself, held too
        {30000, 1e-300, 30000},                        // a float 0: the target as it is
        {3000, Nan, 3000},                             // not a ratio above 0 either
        {-100, 3.0, 0},                                // negative codes at 0
        {-100, 0.0, 0},                                // negative targets at 0
        {std::numeric_limits<int>::min(), 1e-14, 0},   // overflowed the other way
    };
    for (const SweepCase& c : sweepCases)
        EXPECT_EQ(sweepOutputCode(c.target, static_cast<float>(c.tach)), c.code)
            << c.target << " / " << c.tach;
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
