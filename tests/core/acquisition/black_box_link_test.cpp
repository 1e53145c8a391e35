#include <gtest/gtest.h>

#include <QStringList>

#include <vector>

#include "core/acquisition/black_box_link.h"

using namespace tolvane;

namespace {

// A USB library that answers from a script and records every call.
class ScriptedUsb : public BlackBoxUsb {
public:
    int numStatus = F32xStatus::Success;
    std::vector<QByteArray> products;
    std::vector<int> productStatus; // per device; Success when not listed
    std::vector<int> openStatus;    // per device; Success when not listed
    int closeStatus = F32xStatus::Success;
    quint32 waiting = 12;
    QByteArray frameBytes = QByteArray::fromHex("00012c0003e800000f00abcd");
    int readStatus = F32xStatus::Success;
    std::vector<quint32> writtenCounts; // per write, in turn; 9 when the list runs out
    int writeStatus = F32xStatus::Success;

    QStringList calls;
    std::vector<QByteArray> writes;

    int getNumDevices(quint32& count) override
    {
        calls << QStringLiteral("count");
        count = static_cast<quint32>(products.size());
        return numStatus;
    }
    int getProductString(quint32 index, QByteArray& product) override
    {
        calls << QStringLiteral("product %1").arg(index);
        product = products.at(index);
        return index < productStatus.size() ? productStatus[index] : F32xStatus::Success;
    }
    int open(quint32 index, Handle& handle) override
    {
        calls << QStringLiteral("open %1").arg(index);
        const int status = index < openStatus.size() ? openStatus[index] : F32xStatus::Success;
        if (status == F32xStatus::Success)
            handle = 100 + index;
        return status;
    }
    int close(Handle handle) override
    {
        calls << QStringLiteral("close %1").arg(handle);
        return closeStatus;
    }
    int checkRxQueue(Handle handle, quint32& bytesInQueue, quint32& queueStatus) override
    {
        calls << QStringLiteral("queue %1").arg(handle);
        bytesInQueue = waiting;
        queueStatus = 0;
        return F32xStatus::Success;
    }
    int read(Handle handle, quint8* buffer, quint32 bytesToRead, quint32& bytesRead) override
    {
        calls << QStringLiteral("read %1 %2").arg(handle).arg(bytesToRead);
        bytesRead = std::min<quint32>(bytesToRead, static_cast<quint32>(frameBytes.size()));
        std::copy_n(frameBytes.constData(), bytesRead, reinterpret_cast<char*>(buffer));
        return readStatus;
    }
    int write(Handle handle, const quint8* buffer, quint32 bytesToWrite, quint32& bytesWritten) override
    {
        calls << QStringLiteral("write %1 %2").arg(handle).arg(bytesToWrite);
        writes.emplace_back(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(bytesToWrite));
        bytesWritten = writes.size() <= writtenCounts.size() ? writtenCounts[writes.size() - 1] : 9;
        return writeStatus;
    }
};

const BlackBoxCommandBytes Command{0x55, 0x88, 16, 3, 0x12, 0x34, 0x10, 0x11, 0x12};
const QByteArray CommandBytes = QByteArray::fromHex("558810031234101112");

// One timer tick as the session runs it: read, then answer a frame that came.
std::optional<QByteArray> tick(BlackBoxLink& link)
{
    std::optional<QByteArray> frame = link.readFrame(Command);
    if (frame)
        link.answer(Command);
    return frame;
}

} // namespace

TEST(BlackBoxLink, ConnectCaptionsAndLight)
{
    struct Case {
        const char* name;
        std::vector<QByteArray> products;
        int numStatus;
        std::vector<int> openStatus;
        const char* connection;
        const char* product;
        bool lightOn;
        QStringList calls;
    };
    const Case cases[] = {
        {"no device", {}, 0, {}, "USB NOT Connected!!!", "Product  N/A", false, {"count"}},
        {"count fails", {"qv512e"}, 2, {}, "USB NOT Connected!!!", "Product  N/A", false, {"count"}},
        {"no qv512 (the prefix is case-sensitive)",
         {"mouse", "QV512e"},
         0,
         {},
         "USB NOT Connected!!!",
         "No qv512, check usb",
         false,
         {"count", "product 0", "product 1"}},
        {"second device opens",
         {"mouse", "qv512e USB DAQ"},
         0,
         {},
         "USB Connected",
         "Product  qv512e US",
         true,
         {"count", "product 0", "product 1", "open 1", "write 101 9"}},
        {"invalid handle",
         {"qv512"},
         0,
         {1},
         "Open Error = F32x_INVALID_HANDLE",
         "No qv512, check usb",
         false,
         {"count", "product 0", "open 0"}},
        {"invalid parameter",
         {"qv512"},
         0,
         {6},
         "Open Error = F32x_INVALID_PARAMETER",
         "No qv512, check usb",
         false,
         {"count", "product 0", "open 0"}},
        {"device not found",
         {"qv512"},
         0,
         {255},
         "Open Error = DEVICE_NOT_FOUND",
         "No qv512, check usb",
         false,
         {"count", "product 0", "open 0"}},
        {"other open status changes nothing",
         {"qv512"},
         0,
         {4},
         "USB NOT Connected!!!",
         "No qv512, check usb",
         false,
         {"count", "product 0", "open 0"}},
        {"a failed unit is passed over for the next",
         {"qv512a", "qv512b"},
         0,
         {255, 0},
         "USB Connected",
         "Product  qv512b",
         true,
         {"count", "product 0", "open 0", "product 1", "open 1", "write 101 9"}},
        {"only the first good unit is opened",
         {"qv512a", "qv512b"},
         0,
         {},
         "USB Connected",
         "Product  qv512a",
         true,
         {"count", "product 0", "open 0", "write 100 9"}},
    };
    for (const Case& c : cases) {
        ScriptedUsb usb;
        usb.products = c.products;
        usb.numStatus = c.numStatus;
        usb.openStatus = c.openStatus;
        BlackBoxLink link(usb, LiveWindow::Step);
        link.connectUnit(Command);
        const BlackBoxLinkState& s = link.state();
        EXPECT_EQ(s.connection, QLatin1String(c.connection)) << c.name;
        EXPECT_EQ(s.product, QLatin1String(c.product)) << c.name;
        EXPECT_EQ(s.lightOn, c.lightOn) << c.name;
        EXPECT_EQ(s.lightText(), c.lightOn ? QStringLiteral("ON") : QStringLiteral("OFF")) << c.name;
        EXPECT_EQ(s.lightColour(), c.lightOn ? QStringLiteral("clGreen") : QStringLiteral("clRed")) << c.name;
        EXPECT_EQ(s.pollTimerRunning, c.lightOn) << c.name;
        EXPECT_EQ(usb.calls, c.calls) << c.name;
    }
}

TEST(BlackBoxLink, DiagnosticsShowEachCallsStatusAndCount)
{
    ScriptedUsb usb;
    usb.products = {"qv512e"};
    usb.writtenCounts = {9, 9, 8};
    usb.waiting = 12;
    usb.readStatus = F32xStatus::ReadError;
    BlackBoxLink link(usb, LiveWindow::Step);
    link.connectUnit(Command);
    EXPECT_EQ(link.state().diagnostics.getNumError, QStringLiteral("Get Num Err  0"));
    EXPECT_EQ(link.state().diagnostics.devicesFound, QStringLiteral("# of Devices found 1"));
    EXPECT_EQ(link.state().diagnostics.productError, QStringLiteral("Get mfg Err  0"));
    EXPECT_EQ(link.state().diagnostics.bytesWritten, QStringLiteral("Num written  9"));

    tick(link);
    const BlackBoxDiagnostics& d = link.state().diagnostics;
    EXPECT_EQ(d.rxBufferError, QStringLiteral("RX Buf Err  0"));
    EXPECT_EQ(d.bytesInBuffer, QStringLiteral("Bytes in Buff  12"));
    EXPECT_EQ(d.readError, QStringLiteral("Read Err  2"));
    EXPECT_EQ(d.bytesReceived, QStringLiteral("Bytes RX  12"));
    EXPECT_EQ(d.writeError, QStringLiteral("Write Err  0"));
    EXPECT_EQ(d.bytesWritten, QStringLiteral("Num written  8")); // the second of the tick's two writes
}

TEST(BlackBoxLink, PollByWindow)
{
    struct Case {
        const char* name;
        LiveWindow window;
        quint32 waiting;
        QByteArray sent;     // what the unit delivers
        bool frame;          // a frame comes back
        QByteArray expected; // the frame returned
        QStringList calls;   // after connecting
        const char* product;
    };
    const QByteArray twelve = QByteArray::fromHex("00012c0003e800000f00abcd");
    const Case cases[] = {
        {"step reads 12 and writes twice",
         LiveWindow::Step,
         12,
         twelve,
         true,
         twelve,
         {"queue 100", "read 100 12", "write 100 9", "write 100 9"},
         "Product  qv512e"},
        {"step answers even when nothing waits",
         LiveWindow::Step,
         0,
         twelve,
         true,
         twelve,
         {"queue 100", "read 100 12", "write 100 9", "write 100 9"},
         "Product  qv512e"},
        {"step short read leaves zeros",
         LiveWindow::Step,
         5,
         twelve.left(5),
         true,
         twelve.left(5) + QByteArray(7, '\0'),
         {"queue 100", "read 100 12", "write 100 9", "write 100 9"},
         "Product  qv512e"},
        {"sweep reads 9 and writes twice",
         LiveWindow::Sweep,
         9,
         twelve,
         true,
         twelve.left(9),
         {"queue 100", "read 100 9", "write 100 9", "write 100 9"},
         "Product  qv512e"},
        {"sweep pauses when nothing waits", LiveWindow::Sweep, 0, twelve, false, {}, {"queue 100"}, "Pause"},
    };
    for (const Case& c : cases) {
        ScriptedUsb usb;
        usb.products = {"qv512e"};
        usb.waiting = c.waiting;
        usb.frameBytes = c.sent;
        BlackBoxLink link(usb, c.window);
        link.connectUnit(Command);
        usb.calls.clear();
        usb.writes.clear();
        const auto frame = tick(link);
        EXPECT_EQ(frame.has_value(), c.frame) << c.name;
        if (frame) {
            EXPECT_EQ(*frame, c.expected) << c.name;
        }
        EXPECT_EQ(usb.calls, c.calls) << c.name;
        for (const QByteArray& w : usb.writes)
            EXPECT_EQ(w, CommandBytes) << c.name;
        EXPECT_EQ(link.state().product, QLatin1String(c.product)) << c.name;
    }
}

TEST(BlackBoxLink, TicksConnectOnlyWhileNotConnectedShows)
{
    ScriptedUsb usb; // no device yet
    BlackBoxLink link(usb, LiveWindow::Step);
    EXPECT_FALSE(tick(link));
    EXPECT_EQ(usb.calls, QStringList{QStringLiteral("count")});
    EXPECT_EQ(link.state().product, QStringLiteral("Product  N/A"));

    usb.products = {"qv512e"};
    usb.calls.clear();
    EXPECT_FALSE(tick(link)); // this tick connects
    EXPECT_EQ(link.state().connection, QStringLiteral("USB Connected"));
    EXPECT_TRUE(tick(link)); // the next one reads
}

TEST(BlackBoxLink, AfterAFailedOpenTicksLeaveTheDeviceAloneUntilConnectedAgain)
{
    ScriptedUsb usb;
    usb.products = {"qv512e"};
    usb.openStatus = {F32xStatus::DeviceNotFound};
    BlackBoxLink link(usb, LiveWindow::Step);
    link.connectUnit(Command);
    usb.calls.clear();
    for (int n = 0; n < 3; ++n)
        EXPECT_FALSE(tick(link));
    EXPECT_TRUE(usb.calls.isEmpty()) << usb.calls.join(QLatin1Char(',')).toStdString();
    EXPECT_EQ(link.state().connection, QStringLiteral("Open Error = DEVICE_NOT_FOUND"));

    usb.openStatus.clear(); // the operator connects again
    link.connectUnit(Command);
    EXPECT_EQ(link.state().connection, QStringLiteral("USB Connected"));
    EXPECT_TRUE(tick(link));
}

TEST(BlackBoxLink, DisconnectByCloseStatus)
{
    struct Case {
        int closeStatus;
        const char* connection;
        bool lightOn;
        std::optional<QString> windowCaption;
    };
    const Case cases[] = {
        {0, "USB NOT Connected!!!", false, std::nullopt},
        {1, "USB Connected", true, QStringLiteral("Close Error = F32x_INVALID_HANDLE")},
        {2, "USB Connected", true, std::nullopt},
    };
    for (const Case& c : cases) {
        ScriptedUsb usb;
        usb.products = {"qv512e"};
        usb.closeStatus = c.closeStatus;
        BlackBoxLink link(usb, LiveWindow::Sweep);
        link.connectUnit(Command);
        link.disconnectUnit();
        EXPECT_EQ(link.state().connection, QLatin1String(c.connection)) << c.closeStatus;
        EXPECT_EQ(link.state().lightOn, c.lightOn) << c.closeStatus;
        EXPECT_EQ(link.state().pollTimerRunning, c.lightOn) << c.closeStatus;
        EXPECT_EQ(link.state().windowCaption, c.windowCaption) << c.closeStatus;
        EXPECT_TRUE(usb.calls.contains(QStringLiteral("close 100")));
    }
}

TEST(BlackBoxLink, ConnectSkippedWhileOnAndDisconnectWhileOff)
{
    ScriptedUsb usb;
    usb.products = {"qv512e"};
    BlackBoxLink link(usb, LiveWindow::Step);
    int changes = 0;
    QObject::connect(&link, &BlackBoxLink::changed, [&] { ++changes; });

    link.disconnectUnit(); // red: nothing to close
    EXPECT_TRUE(usb.calls.isEmpty());
    EXPECT_EQ(changes, 0);

    link.connectUnit(Command);
    EXPECT_EQ(changes, 1);
    usb.calls.clear();
    link.connectUnit(Command); // "ON": skipped
    EXPECT_TRUE(usb.calls.isEmpty());
    EXPECT_EQ(changes, 1);

    link.disconnectUnit();
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(link.state().connection, QStringLiteral("USB NOT Connected!!!"));
}
