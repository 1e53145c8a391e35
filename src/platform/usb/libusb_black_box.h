#pragma once
// LibusbBlackBox: the real Black Box, a Silicon Labs USBXpress device, reached through libusb
// behind the same calls as the Demo Dyno. The unit sends each frame as one bulk packet; the
// packets received wait in a small queue until the link reads them, one frame a read
// (usb_packet_queue.h).
//
// Every transfer has a timeout of a few milliseconds, so a 40 ms tick never waits on the device.
// A unit pulled out mid-test makes the reads and writes fail (ReadError, WriteError) until the
// link closes the handle; a libusb that cannot start reports no devices.
#include <QByteArray>

#include <cstdint>
#include <map>
#include <vector>

#include "core/acquisition/black_box_usb.h"
#include "platform/usb/usb_packet_queue.h"

struct libusb_context;
struct libusb_device;
struct libusb_device_handle;

namespace tolvane {

class LibusbBlackBox final : public BlackBoxUsb {
public:
    static constexpr quint16 DefaultVendorId = 0x10C4;  // Silicon Labs
    static constexpr quint16 DefaultProductId = 0xEA61; // USBXpress
    static constexpr unsigned TransferTimeoutMs = 4;
    // The product text read from the device's string descriptor is cut to this length.
    static constexpr int MaxProductLength = 126;

    // The queue status of checkRxQueue.
    static constexpr quint32 QueueEmpty = 0x00;
    static constexpr quint32 QueueOverrun = 0x01;
    static constexpr quint32 QueueReady = 0x02;

    explicit LibusbBlackBox(quint16 vendorId = DefaultVendorId, quint16 productId = DefaultProductId);
    ~LibusbBlackBox() override;
    LibusbBlackBox(const LibusbBlackBox&) = delete;
    LibusbBlackBox& operator=(const LibusbBlackBox&) = delete;

    // False when libusb could not start; every call then finds nothing.
    bool isAvailable() const { return m_context != nullptr; }

    // BlackBoxUsb. Device indexes count the matching devices of the last getNumDevices().
    int getNumDevices(quint32& count) override;
    int getProductString(quint32 index, QByteArray& product) override;
    int open(quint32 index, Handle& handle) override;
    int close(Handle handle) override;
    int checkRxQueue(Handle handle, quint32& bytesInQueue, quint32& queueStatus) override;
    int read(Handle handle, quint8* buffer, quint32 bytesToRead, quint32& bytesRead) override;
    int write(Handle handle, const quint8* buffer, quint32 bytesToWrite, quint32& bytesWritten) override;

private:
    struct Listed {
        libusb_device* device = nullptr; // one reference held
        QByteArray product;              // read once per device
        bool productRead = false;
    };
    struct Opened {
        libusb_device* device = nullptr;
        libusb_device_handle* handle = nullptr;
        int interfaceNumber = 0;
        quint8 inEndpoint = 0;
        quint8 outEndpoint = 0;
        int packetSize = 64;
        UsbPacketQueue packets;
        int users = 1; // links holding this handle
    };

    void refreshDevices();
    void releaseDevices(std::vector<Listed>& devices);
    Opened* opened(Handle handle);
    libusb_device_handle* handleFor(libusb_device* device);
    // One bulk read with the short timeout; false when the device failed (not on a timeout).
    bool receive(Opened& unit);

    quint16 m_vendorId;
    quint16 m_productId;
    libusb_context* m_context = nullptr;
    std::vector<Listed> m_devices;
    std::map<Handle, Opened> m_opened;
    Handle m_nextHandle = 1;
};

} // namespace tolvane
