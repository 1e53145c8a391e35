#pragma once
// A small bench for the Demo Dyno tests: a manual clock, the dyno, its rider, an open handle,
// and frames decoded by hand (24-bit big-endian fields) so the tests do not lean on the
// program's own decoder.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/common/clock.h"
#include "sim/demo_dyno.h"
#include "sim/virtual_driver.h"

namespace tolvane::sim::test {

struct DecodedFrame {
    quint32 load = 0;
    quint32 period = 0;
    quint32 aux = 0;
    quint32 echo = 0;
    double rollerRpm = 0.0;
    double force = 0.0; // lb-ft with the dyno's own offset and span
};

inline quint32 field24(const quint8* at)
{
    return (quint32(at[0]) << 16) | (quint32(at[1]) << 8) | quint32(at[2]);
}

inline DecodedFrame decodeFrame(const quint8* bytes)
{
    DecodedFrame f;
    f.load = field24(bytes);
    f.period = field24(bytes + 3);
    f.aux = field24(bytes + 6);
    f.echo = field24(bytes + 9);
    f.rollerRpm = f.period != 0 ? 800000000.0 / f.period : 0.0;
    f.force = std::abs((double(f.load) - DemoDyno::LoadCellOffset) * DemoDyno::LoadCellSpan);
    return f;
}

// 4 x round(engine rpm / tach ratio) + 2, as the program builds it.
inline int outputCodeFor(double engineRpm, double tachRatio)
{
    return 4 * static_cast<int>(std::nearbyint(engineRpm / tachRatio)) + 2;
}

class DynoHarness {
public:
    explicit DynoHarness(const DemoDyno::Options& options = {}) : dyno(clock, options), driver(dyno)
    {
        EXPECT_EQ(dyno.open(0, handle), F32xStatus::Success);
    }

    // 40 ms on, one 12-byte read, then the rider looks at the engine.
    DecodedFrame tick()
    {
        clock.advanceMs(DemoDyno::FrameIntervalMs);
        quint8 bytes[12] = {};
        quint32 got = 0;
        EXPECT_EQ(dyno.read(handle, bytes, 12, got), F32xStatus::Success);
        EXPECT_EQ(got, 12u);
        driver.update();
        return decodeFrame(bytes);
    }

    std::vector<DecodedFrame> run(double seconds)
    {
        std::vector<DecodedFrame> frames;
        const int ticks = static_cast<int>(std::lround(seconds * 1000.0 / DemoDyno::FrameIntervalMs));
        for (int i = 0; i < ticks; ++i)
            frames.push_back(tick());
        return frames;
    }

    void command(int code, int rate = 20, int multiplication = 16, int divider = 3)
    {
        const quint8 bytes[9] = {0x55,
                                 0x88,
                                 quint8(multiplication),
                                 quint8(divider),
                                 quint8(code & 0xFF),
                                 quint8((code >> 8) & 0xFF),
                                 quint8(rate),
                                 10,
                                 2};
        quint32 written = 0;
        EXPECT_EQ(dyno.write(handle, bytes, 9, written), F32xStatus::Success);
    }

    void holdEngineRpm(double engineRpm) { command(outputCodeFor(engineRpm, dyno.trueTachRatio())); }

    ManualClock clock;
    DemoDyno dyno;
    VirtualDriver driver;
    BlackBoxUsb::Handle handle = 0;
};

inline double meanOf(const std::vector<DecodedFrame>& frames, std::size_t from, double DecodedFrame::*field)
{
    double sum = 0.0;
    for (std::size_t i = from; i < frames.size(); ++i)
        sum += frames[i].*field;
    return sum / static_cast<double>(frames.size() - from);
}

} // namespace tolvane::sim::test
