#include <gtest/gtest.h>

#include <vector>

#include "core/acquisition/sample_smoothing.h"
#include "core/acquisition/spike_checks.h"

namespace tolvane {
namespace {

struct Mark {
    double input;
    const char* cell; // the cell "v" after the check
    bool kept = true;
};

struct SpikeCase {
    const char* name;
    LiveWindow window;
    enum Check { TimeStep, RpmJump, ForceJump } check;
    std::vector<Mark> marks;
};

TEST(SpikeChecksTest, CountersAndMarksOfEachWindow)
{
    const SpikeCase cases[] = {
        {"time step, step window",
         LiveWindow::Step,
         SpikeCase::TimeStep,
         {{0.5, "1*v"}, {0.5, "2*v"}, {0.5, "v"}, {-0.5, "1*v"}, {0.3, "v"}, {0.31, "1*v"}}},
        {"time step, sweep window",
         LiveWindow::Sweep,
         SpikeCase::TimeStep,
         {{0.5, "1*v"}, {0.5, "2*v"}, {0.5, "v"}, {0.5, "1*v"}}},
        // The step window remembers every change, so a steady climb keeps jumping.
        {"rpm jump, step window",
         LiveWindow::Step,
         SpikeCase::RpmJump,
         {{0, "v"},
          {50, "v*1"},
          {100, "v*2"},
          {150, "v*3"},
          {200, "v*4"},
          {250, "v"},
          {300, "v*1"},
          {300, "v"}}},
        // The sweep window keeps its reference through four marked jumps, then takes the new one.
        {"rpm jump, sweep window",
         LiveWindow::Sweep,
         SpikeCase::RpmJump,
         {{0, "v"},
          {50, "v*1"},
          {50, "v*2"},
          {50, "v*3"},
          {50, "v*4"},
          {50, "v"},
          {50, "v"},
          {90, "v"},
          {131, "v*1"}}},
        {"force jump, step window",
         LiveWindow::Step,
         SpikeCase::ForceJump,
         {{6, "1*v", false}, {-6, "2*v", false}, {6, "v"}, {6, "1*v", false}, {5, "v"}, {6, "1*v", false}}},
        {"force jump, sweep window",
         LiveWindow::Sweep,
         SpikeCase::ForceJump,
         {{20, "1*v"}, {20, "2*v"}, {20, "v"}, {20, "1*v"}, {15, "v"}, {16, "1*v"}}},
    };
    for (const SpikeCase& c : cases) {
        SpikeChecks checks(c.window);
        int i = 0;
        for (const Mark& m : c.marks) {
            SCOPED_TRACE(std::string(c.name) + " #" + std::to_string(i++));
            QString cell = QStringLiteral("v");
            bool kept = true;
            switch (c.check) {
            case SpikeCase::TimeStep:
                checks.checkTimeStep(m.input, cell);
                break;
            case SpikeCase::RpmJump:
                checks.checkRpmJump(m.input, cell);
                break;
            case SpikeCase::ForceJump:
                kept = checks.checkForceJump(m.input, cell);
                break;
            }
            EXPECT_EQ(cell, QString::fromLatin1(m.cell));
            EXPECT_EQ(kept, m.kept);
        }
    }
}

TEST(SampleSmoothingTest, MeanOfTheNewestDepthValues)
{
    SampleSmoothing s;
    EXPECT_EQ(s.depth(), 20);
    SampleSmoothing::Means m;
    for (int i = 1; i <= 30; ++i)
        m = s.add(static_cast<float>(i), static_cast<float>(2 * i), static_cast<float>(100 * i));
    EXPECT_FLOAT_EQ(m.power, 20.5f); // 11 .. 30
    EXPECT_FLOAT_EQ(m.engineTorque, 41.0f);
    EXPECT_FLOAT_EQ(m.engineRpm, 2050.0f);

    s.setDepth(1);
    EXPECT_EQ(s.depth(), 2);
    s.setDepth(500);
    EXPECT_EQ(s.depth(), 127);
    for (int i = 1; i <= 127; ++i)
        m = s.add(static_cast<float>(i), 0.0f, 0.0f);
    EXPECT_FLOAT_EQ(m.power, 64.0f);

    s.setDepth(2);
    EXPECT_FLOAT_EQ(s.add(1000.0f, 0.0f, 0.0f).power, (1000.0f + 127.0f) / 2);
}

} // namespace
} // namespace tolvane
