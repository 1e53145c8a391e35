// The program's choice of Black Box: the real unit only when a "qv512" device answers and no
// --demo was given; the Demo Dyno otherwise, on the clock it was given.
#include <gtest/gtest.h>

#include "app/black_box_choice.h"
#include "core/common/clock.h"
#include "sim/demo_dyno.h"

namespace tolvane {
namespace {

// A bus of devices with these product texts; a failed call returns its status and no text.
class FakeBus final : public BlackBoxUsb {
public:
    FakeBus(QList<QByteArray> products, int numStatus = F32xStatus::Success,
            int productStatus = F32xStatus::Success)
        : m_products(std::move(products)), m_numStatus(numStatus), m_productStatus(productStatus)
    {
    }
    int getNumDevices(quint32& count) override
    {
        count = static_cast<quint32>(m_products.size());
        return m_numStatus;
    }
    int getProductString(quint32 index, QByteArray& product) override
    {
        if (index >= static_cast<quint32>(m_products.size()))
            return F32xStatus::DeviceNotFound;
        if (m_productStatus != F32xStatus::Success)
            return m_productStatus;
        product = m_products.at(index);
        return F32xStatus::Success;
    }
    int open(quint32, Handle&) override { return F32xStatus::DeviceNotFound; }
    int close(Handle) override { return F32xStatus::InvalidHandle; }
    int checkRxQueue(Handle, quint32&, quint32&) override { return F32xStatus::InvalidHandle; }
    int read(Handle, quint8*, quint32, quint32&) override { return F32xStatus::InvalidHandle; }
    int write(Handle, const quint8*, quint32, quint32&) override { return F32xStatus::InvalidHandle; }

private:
    QList<QByteArray> m_products;
    int m_numStatus;
    int m_productStatus;
};

TEST(BlackBoxChoice, TheUnitOnlyWhenAQv512DeviceAnswersAndNoDemoWasAsked)
{
    const struct {
        const char* name;
        QList<QByteArray> products;
        int numStatus;
        int productStatus;
        bool demoRequested;
        BlackBoxKind expected;
    } cases[] = {
        {"no device", {}, F32xStatus::Success, F32xStatus::Success, false, BlackBoxKind::DemoDyno},
        {"the unit", {"qv512e v2.1"}, F32xStatus::Success, F32xStatus::Success, false, BlackBoxKind::Unit},
        {"the unit second",
         {"CP2102", "qv512"},
         F32xStatus::Success,
         F32xStatus::Success,
         false,
         BlackBoxKind::Unit},
        {"case counts", {"QV512e"}, F32xStatus::Success, F32xStatus::Success, false, BlackBoxKind::DemoDyno},
        {"prefix only", {"xqv512"}, F32xStatus::Success, F32xStatus::Success, false, BlackBoxKind::DemoDyno},
        {"count fails",
         {"qv512e"},
         F32xStatus::DeviceNotFound,
         F32xStatus::Success,
         false,
         BlackBoxKind::DemoDyno},
        {"text fails",
         {"qv512e"},
         F32xStatus::Success,
         F32xStatus::DeviceNotFound,
         false,
         BlackBoxKind::DemoDyno},
        {"--demo", {"qv512e"}, F32xStatus::Success, F32xStatus::Success, true, BlackBoxKind::DemoDyno},
    };
    ManualClock clock;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto bus = std::make_unique<FakeBus>(c.products, c.numStatus, c.productStatus);
        const BlackBoxUsb* unit = bus.get();
        const BlackBoxChoice choice = chooseBlackBox(c.demoRequested, clock, std::move(bus));
        EXPECT_EQ(choice.kind, c.expected);
        ASSERT_TRUE(choice.usb);
        if (c.expected == BlackBoxKind::Unit) {
            EXPECT_EQ(choice.usb.get(), unit);
            EXPECT_EQ(choice.demo, nullptr);
        } else {
            EXPECT_FALSE(choice.usb.get() == unit);
            EXPECT_EQ(choice.usb.get(), choice.demo);
        }
    }
    EXPECT_TRUE(chooseBlackBox(false, clock, nullptr).isDemo());
}

// The dyno runs on the clock it was given: a frame is there once 40 ms of that clock have passed.
TEST(BlackBoxChoice, TheDemoDynoRunsOnTheGivenClock)
{
    ManualClock clock;
    const BlackBoxChoice choice = chooseBlackBox(true, clock);
    ASSERT_TRUE(choice.isDemo());
    BlackBoxUsb::Handle handle = 0;
    ASSERT_EQ(choice.usb->open(0, handle), F32xStatus::Success);
    quint8 frame[12] = {};
    quint32 got = 0;
    EXPECT_EQ(choice.usb->read(handle, frame, 12, got), F32xStatus::RxQueueNotReady);
    clock.advanceMs(sim::DemoDyno::FrameIntervalMs);
    EXPECT_EQ(choice.usb->read(handle, frame, 12, got), F32xStatus::Success);
    EXPECT_EQ(got, 12u);
}

} // namespace
} // namespace tolvane
