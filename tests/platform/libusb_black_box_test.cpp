// The real unit's USB adapter without a unit attached: an id pair no device carries stands for
// an empty bus, so the answers do not depend on what this machine has plugged in.
#include <gtest/gtest.h>

#include "platform/usb/libusb_black_box.h"
#include "platform/usb/usb_packet_queue.h"

namespace tolvane {
namespace {

TEST(LibusbBlackBox, WithoutAUnitFindsNothingAndRefusesBadIndexesAndHandles)
{
    LibusbBlackBox usb(0xFFFF, 0xFFFE);
    quint32 count = 99;
    EXPECT_EQ(usb.getNumDevices(count), F32xStatus::Success);
    EXPECT_EQ(count, 0u);

    QByteArray product("untouched");
    EXPECT_EQ(usb.getProductString(0, product), F32xStatus::DeviceNotFound);
    BlackBoxUsb::Handle handle = 0;
    for (const quint32 index : {0u, 1u, 0xFFFFFFFFu})
        EXPECT_EQ(usb.open(index, handle), F32xStatus::DeviceNotFound) << index;

    quint8 buffer[12] = {};
    quint32 done = 7;
    quint32 queueStatus = 7;
    for (const BlackBoxUsb::Handle bad :
         {BlackBoxUsb::Handle(0), BlackBoxUsb::Handle(1), ~BlackBoxUsb::Handle(0)}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(usb.close(bad), F32xStatus::InvalidHandle);
        EXPECT_EQ(usb.checkRxQueue(bad, done, queueStatus), F32xStatus::InvalidHandle);
        EXPECT_EQ(done, 0u);
        done = 7;
        EXPECT_EQ(usb.read(bad, buffer, sizeof buffer, done), F32xStatus::InvalidHandle);
        EXPECT_EQ(done, 0u);
        done = 7;
        EXPECT_EQ(usb.write(bad, buffer, 9, done), F32xStatus::InvalidHandle);
        EXPECT_EQ(done, 0u);
    }
}

// The program's own choice of the unit asks with the defaults; whatever the bus holds, the calls
// answer and the count names only devices whose product text can then be asked for.
TEST(LibusbBlackBox, CountedDevicesCanBeAskedForTheirProduct)
{
    LibusbBlackBox usb;
    quint32 count = 0;
    ASSERT_EQ(usb.getNumDevices(count), F32xStatus::Success);
    QByteArray product;
    EXPECT_EQ(usb.getProductString(count, product), F32xStatus::DeviceNotFound);
    if (!usb.isAvailable()) {
        EXPECT_EQ(count, 0u);
    }
}

// The received packets as the reads see them: one frame a read, short packets kept short, the
// tail of a long packet not taken for the next frame, and only the newest kept when nobody reads.
TEST(UsbPacketQueue, OneFrameAReadAndOnlyTheNewestWhenNobodyReads)
{
    UsbPacketQueue queue(3);
    quint8 frame[12] = {};
    EXPECT_EQ(queue.take(frame, sizeof frame), 0u);
    queue.push(QByteArray());
    EXPECT_TRUE(queue.isEmpty());

    queue.push(QByteArray::fromHex("0102030405"));                   // short
    queue.push(QByteArray::fromHex("a1a2a3a4a5a6a7a8a9aaabacadae")); // 14 bytes
    queue.push(QByteArray::fromHex("b1b2b3b4b5b6b7b8b9babbbc"));     // a whole frame
    EXPECT_EQ(queue.bytesWaiting(), 5u + 14u + 12u);
    EXPECT_FALSE(queue.takeOverrun());
    EXPECT_EQ(queue.take(frame, sizeof frame), 5u);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(frame), 5), QByteArray::fromHex("0102030405"));
    EXPECT_EQ(queue.take(frame, sizeof frame), 12u);
    EXPECT_EQ(frame[11], 0xac);
    EXPECT_EQ(queue.take(frame, 9), 9u); // the sweep window's shorter read
    EXPECT_EQ(frame[0], 0xb1);
    EXPECT_TRUE(queue.isEmpty());

    for (int k = 1; k <= 5; ++k)
        queue.push(QByteArray(12, char(k)));
    EXPECT_TRUE(queue.takeOverrun());
    EXPECT_FALSE(queue.takeOverrun());
    EXPECT_EQ(queue.bytesWaiting(), 36u);
    EXPECT_EQ(queue.take(frame, sizeof frame), 12u);
    EXPECT_EQ(frame[0], 3);
}

} // namespace
} // namespace tolvane
