// The Demo Dyno as the program sees it: the USB library's calls, statuses and frames.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <vector>

#include "dyno_harness.h"

namespace tolvane::sim::test {
namespace {

TEST(DemoDynoUsb, OneDeviceWhoseProductStringStartsWithQv512)
{
    ManualClock clock;
    DemoDyno dyno(clock);
    quint32 count = 0;
    EXPECT_EQ(dyno.getNumDevices(count), F32xStatus::Success);
    EXPECT_EQ(count, 1u);

    QByteArray product;
    ASSERT_EQ(dyno.getProductString(0, product), F32xStatus::Success);
    EXPECT_TRUE(product.startsWith("qv512")) << product.constData();
    EXPECT_GE(product.size(), 9);

    BlackBoxUsb::Handle handle = 0;
    EXPECT_EQ(dyno.getProductString(1, product), F32xStatus::DeviceNotFound);
    EXPECT_EQ(dyno.open(1, handle), F32xStatus::DeviceNotFound);
    EXPECT_FALSE(dyno.isOpen());
}

TEST(DemoDynoUsb, CallsWithABadHandleReturnInvalidHandle)
{
    ManualClock clock;
    DemoDyno dyno(clock);
    quint8 buffer[12] = {};
    quint32 count = 99, status = 99;
    const std::array<std::function<int(BlackBoxUsb::Handle)>, 4> calls = {
        [&](BlackBoxUsb::Handle h) { return dyno.close(h); },
        [&](BlackBoxUsb::Handle h) { return dyno.checkRxQueue(h, count, status); },
        [&](BlackBoxUsb::Handle h) { return dyno.read(h, buffer, 12, count); },
        [&](BlackBoxUsb::Handle h) { return dyno.write(h, buffer, 9, count); },
    };

    for (const auto& call : calls)
        EXPECT_EQ(call(0), F32xStatus::InvalidHandle) << "before any open";

    BlackBoxUsb::Handle first = 0;
    ASSERT_EQ(dyno.open(0, first), F32xStatus::Success);
    EXPECT_NE(first, 0u);
    for (const auto& call : calls)
        EXPECT_EQ(call(first + 7), F32xStatus::InvalidHandle) << "a handle never given out";
    ASSERT_EQ(dyno.close(first), F32xStatus::Success);
    for (const auto& call : calls)
        EXPECT_EQ(call(first), F32xStatus::InvalidHandle) << "after close";

    BlackBoxUsb::Handle second = 0;
    ASSERT_EQ(dyno.open(0, second), F32xStatus::Success);
    EXPECT_EQ(dyno.close(first), F32xStatus::InvalidHandle) << "a handle of an earlier connection";
    EXPECT_EQ(count, 0u);
}

TEST(DemoDynoUsb, SecondOpenSharesTheConnection)
{
    ManualClock clock;
    DemoDyno dyno(clock);
    BlackBoxUsb::Handle a = 0, b = 0;
    ASSERT_EQ(dyno.open(0, a), F32xStatus::Success);
    ASSERT_EQ(dyno.open(0, b), F32xStatus::Success);
    EXPECT_EQ(a, b);
}

TEST(DemoDynoUsb, EmptyBuffersAreInvalidParameters)
{
    DynoHarness h;
    quint8 buffer[12] = {};
    quint32 count = 99;
    h.clock.advanceMs(40);
    EXPECT_EQ(h.dyno.read(h.handle, nullptr, 12, count), F32xStatus::InvalidParameter);
    EXPECT_EQ(h.dyno.read(h.handle, buffer, 0, count), F32xStatus::InvalidParameter);
    EXPECT_EQ(h.dyno.write(h.handle, nullptr, 9, count), F32xStatus::InvalidParameter);
    EXPECT_EQ(h.dyno.write(h.handle, buffer, 0, count), F32xStatus::InvalidParameter);
    EXPECT_EQ(count, 0u);
}

TEST(DemoDynoUsb, AFrameBecomesAvailableEvery40Ms)
{
    DynoHarness h;
    quint32 bytes = 99, status = 99;
    quint8 buffer[12] = {};
    quint32 got = 99;

    EXPECT_EQ(h.dyno.checkRxQueue(h.handle, bytes, status), F32xStatus::Success);
    EXPECT_EQ(bytes, 0u);
    h.clock.advanceMs(39);
    EXPECT_EQ(h.dyno.checkRxQueue(h.handle, bytes, status), F32xStatus::Success);
    EXPECT_EQ(bytes, 0u);
    EXPECT_EQ(h.dyno.read(h.handle, buffer, 12, got), F32xStatus::RxQueueNotReady);
    EXPECT_EQ(got, 0u);

    h.clock.advanceMs(1);
    EXPECT_EQ(h.dyno.checkRxQueue(h.handle, bytes, status), F32xStatus::Success);
    EXPECT_EQ(bytes, 12u);
    EXPECT_NE(status, 0u);
    EXPECT_EQ(h.dyno.read(h.handle, buffer, 12, got), F32xStatus::Success);
    EXPECT_EQ(got, 12u);
    EXPECT_EQ(h.dyno.checkRxQueue(h.handle, bytes, status), F32xStatus::Success);
    EXPECT_EQ(bytes, 0u) << "a read takes the frame";

    // A late reader gets one frame, the newest, not a backlog.
    h.clock.advanceMs(120);
    EXPECT_EQ(h.dyno.read(h.handle, buffer, 12, got), F32xStatus::Success);
    EXPECT_EQ(h.dyno.read(h.handle, buffer, 12, got), F32xStatus::RxQueueNotReady);
    h.clock.advanceMs(40);
    EXPECT_EQ(h.dyno.read(h.handle, buffer, 12, got), F32xStatus::Success);
}

TEST(DemoDynoUsb, UnevenClockStepsGetTheFramesOfTheFortyMsGrid)
{
    // In the program the dyno runs on the system clock and the poll timer fires late and early.
    // The frames must still be finished on the clock's 40 ms grid, each as soon as its time has
    // come and none before: the same frames a reader exactly on the grid gets.
    using Frame = std::array<quint8, 12>;
    const auto readFrame = [](DynoHarness& h) {
        Frame frame{};
        quint32 got = 0;
        EXPECT_EQ(h.dyno.read(h.handle, frame.data(), 12, got), F32xStatus::Success);
        return frame;
    };
    DynoHarness even;
    DynoHarness uneven;
    for (DynoHarness* h : {&even, &uneven}) {
        h->holdEngineRpm(8000.0); // the engine runs up under full throttle and is caught
        h->dyno.setThrottle(1.0);
    }
    constexpr int GridFrames = 250;
    std::vector<Frame> grid(1); // grid[k]: the frame finished at k x 40 ms
    for (int k = 1; k <= GridFrames; ++k) {
        even.clock.advanceMs(40);
        grid.push_back(readFrame(even));
    }

    const qint64 steps[] = {15, 65, 39};
    qint64 t = 0;
    int reads = 0;
    for (int i = 0; t + 65 <= GridFrames * 40; ++i) {
        const qint64 due = t / 40;
        t += steps[i % 3];
        uneven.clock.advanceMs(steps[i % 3]);
        quint32 bytes = 0, status = 0;
        ASSERT_EQ(uneven.dyno.checkRxQueue(uneven.handle, bytes, status), F32xStatus::Success);
        ASSERT_EQ(bytes != 0, t / 40 > due) << "at " << t << " ms";
        if (bytes != 0) {
            ASSERT_EQ(readFrame(uneven), grid[static_cast<std::size_t>(t / 40)]) << "at " << t << " ms";
            ++reads;
        }
    }
    EXPECT_GT(reads, 150);
    EXPECT_NEAR(uneven.dyno.engineRpm(), 8000.0, 50.0);
}

TEST(DemoDynoUsb, NineByteReadGetsTheFirstThreeFieldsAndTakesTheFrame)
{
    // Two dynos with the same seed see the same calls; one is read as the step window does,
    // the other as the sweep window does.
    DynoHarness step, sweep;
    for (int i = 0; i < 5; ++i) {
        step.clock.advanceMs(40);
        sweep.clock.advanceMs(40);
        quint8 full[12] = {}, part[12] = {};
        quint32 gotFull = 0, gotPart = 0;
        ASSERT_EQ(step.dyno.read(step.handle, full, 12, gotFull), F32xStatus::Success);
        ASSERT_EQ(sweep.dyno.read(sweep.handle, part, 9, gotPart), F32xStatus::Success);
        EXPECT_EQ(gotFull, 12u);
        EXPECT_EQ(gotPart, 9u);
        EXPECT_TRUE(std::equal(full, full + 9, part));
        EXPECT_EQ(part[9], 0) << "nothing written past the requested count";
        quint32 bytes = 99, status = 0;
        sweep.dyno.checkRxQueue(sweep.handle, bytes, status);
        EXPECT_EQ(bytes, 0u);
    }
    quint8 big[20] = {};
    quint32 got = 0;
    step.clock.advanceMs(40);
    ASSERT_EQ(step.dyno.read(step.handle, big, 20, got), F32xStatus::Success);
    EXPECT_EQ(got, 12u);
}

TEST(DemoDynoUsb, OutputEchoReturnsTheCommandedCode)
{
    DynoHarness h;
    EXPECT_EQ(h.tick().echo, 0u) << "no command yet";
    for (int code : {2, 16642, 25000, 32768, 65535}) {
        h.command(code);
        const DecodedFrame f = h.tick();
        EXPECT_EQ(f.echo, quint32(code));
        EXPECT_EQ(h.dyno.brakeLoop().outputCode(), code);
    }
    // 16642 (bytes 0x02 0x41) holds the roller at (16642 - 2) / 4 rpm.
    h.command(16642);
    h.tick();
    EXPECT_EQ(h.dyno.brakeLoop().targetRollerRpm(), 4160.0);

    // A command with a wrong header crosses the bus but the unit ignores it.
    const quint8 wrong[9] = {0x56, 0x88, 16, 3, 0x10, 0x00, 0x10, 0x11, 0x12};
    quint32 written = 0;
    EXPECT_EQ(h.dyno.write(h.handle, wrong, 9, written), F32xStatus::Success);
    EXPECT_EQ(written, 9u);
    EXPECT_EQ(h.tick().echo, 16642u);
    // So does a short one.
    const quint8 shortCommand[5] = {0x55, 0x88, 16, 3, 0x10};
    EXPECT_EQ(h.dyno.write(h.handle, shortCommand, 5, written), F32xStatus::Success);
    EXPECT_EQ(written, 5u);
    EXPECT_EQ(h.tick().echo, 16642u);
}

TEST(DemoDynoUsb, FieldsDecodeToTheRollerAndTheBrake)
{
    DynoHarness h({.vehicle = QStringLiteral("stock"), .seed = 1, .noiseLevel = 0.0});
    const DecodedFrame idle = h.tick();
    EXPECT_EQ(idle.load, quint32(DemoDyno::LoadCellOffset)) << "no brake, no load";
    EXPECT_EQ(idle.load >> 16, 0u) << "byte 0 of the load field is 0";
    EXPECT_NEAR(idle.rollerRpm, h.dyno.rollerRpm(), 1.0);
    EXPECT_EQ(idle.aux, 0u);

    h.driver.reach(5000);
    h.holdEngineRpm(5000);
    const auto frames = h.run(8.0);
    const DecodedFrame& held = frames.back();
    EXPECT_EQ(held.period, quint32(std::lround(800000000.0 / 1600.0)));
    EXPECT_NEAR(held.force, h.dyno.brakeTorque(), 0.02);
    EXPECT_GT(held.aux, 0u);
    EXPECT_LE(held.aux, 4095u);
}

} // namespace
} // namespace tolvane::sim::test
