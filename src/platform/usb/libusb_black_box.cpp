#include "platform/usb/libusb_black_box.h"

#include <libusb.h>

#include <algorithm>
#include <climits>

namespace tolvane {

namespace {

// A device's bulk pipes: the first interface that has one of each way.
struct Pipes {
    int interfaceNumber = -1;
    quint8 in = 0;
    quint8 out = 0;
    int packetSize = 64;
};

Pipes findPipes(libusb_device* device)
{
    Pipes pipes;
    libusb_config_descriptor* config = nullptr;
    if (libusb_get_active_config_descriptor(device, &config) != LIBUSB_SUCCESS &&
        libusb_get_config_descriptor(device, 0, &config) != LIBUSB_SUCCESS)
        return pipes;
    for (int i = 0; i < config->bNumInterfaces && pipes.interfaceNumber < 0; ++i) {
        const libusb_interface& interface = config->interface[i];
        if (interface.num_altsetting < 1)
            continue;
        const libusb_interface_descriptor& setting = interface.altsetting[0];
        quint8 in = 0;
        quint8 out = 0;
        int packetSize = 64;
        for (int e = 0; e < setting.bNumEndpoints; ++e) {
            const libusb_endpoint_descriptor& endpoint = setting.endpoint[e];
            if ((endpoint.bmAttributes & LIBUSB_TRANSFER_TYPE_MASK) != LIBUSB_TRANSFER_TYPE_BULK)
                continue;
            if ((endpoint.bEndpointAddress & LIBUSB_ENDPOINT_DIR_MASK) == LIBUSB_ENDPOINT_IN) {
                if (in == 0) {
                    in = endpoint.bEndpointAddress;
                    packetSize = endpoint.wMaxPacketSize & 0x7FF;
                }
            } else if (out == 0) {
                out = endpoint.bEndpointAddress;
            }
        }
        if (in != 0 && out != 0) {
            pipes.interfaceNumber = setting.bInterfaceNumber;
            pipes.in = in;
            pipes.out = out;
            // A descriptor claiming 0 (or more than a high-speed packet) still gets a sane buffer.
            pipes.packetSize = std::clamp(packetSize, 64, 1024);
        }
    }
    libusb_free_config_descriptor(config);
    return pipes;
}

} // namespace

LibusbBlackBox::LibusbBlackBox(quint16 vendorId, quint16 productId)
    : m_vendorId(vendorId), m_productId(productId)
{
    if (libusb_init(&m_context) != LIBUSB_SUCCESS)
        m_context = nullptr;
}

LibusbBlackBox::~LibusbBlackBox()
{
    for (auto& [id, unit] : m_opened) {
        libusb_release_interface(unit.handle, unit.interfaceNumber);
        libusb_close(unit.handle);
        libusb_unref_device(unit.device);
    }
    m_opened.clear();
    releaseDevices(m_devices);
    if (m_context != nullptr)
        libusb_exit(m_context);
}

void LibusbBlackBox::releaseDevices(std::vector<Listed>& devices)
{
    for (Listed& listed : devices)
        libusb_unref_device(listed.device);
    devices.clear();
}

void LibusbBlackBox::refreshDevices()
{
    std::vector<Listed> found;
    if (m_context != nullptr) {
        libusb_device** list = nullptr;
        const ssize_t count = libusb_get_device_list(m_context, &list);
        for (ssize_t i = 0; i < count; ++i) {
            libusb_device_descriptor descriptor{};
            if (libusb_get_device_descriptor(list[i], &descriptor) != LIBUSB_SUCCESS ||
                descriptor.idVendor != m_vendorId || descriptor.idProduct != m_productId)
                continue;
            Listed listed{libusb_ref_device(list[i]), QByteArray(), false};
            // libusb keeps one object per attached device, so a device still plugged in keeps
            // the product text already read from it.
            const auto before = std::find_if(m_devices.begin(), m_devices.end(),
                                             [&](const Listed& old) { return old.device == list[i]; });
            if (before != m_devices.end()) {
                listed.product = before->product;
                listed.productRead = before->productRead;
            }
            found.push_back(listed);
        }
        if (count >= 0)
            libusb_free_device_list(list, 1);
    }
    releaseDevices(m_devices);
    m_devices = std::move(found);
}

int LibusbBlackBox::getNumDevices(quint32& count)
{
    refreshDevices();
    count = static_cast<quint32>(m_devices.size());
    return F32xStatus::Success;
}

libusb_device_handle* LibusbBlackBox::handleFor(libusb_device* device)
{
    for (auto& [id, unit] : m_opened)
        if (unit.device == device)
            return unit.handle;
    return nullptr;
}

int LibusbBlackBox::getProductString(quint32 index, QByteArray& product)
{
    if (index >= m_devices.size())
        return F32xStatus::DeviceNotFound;
    Listed& listed = m_devices[index];
    if (!listed.productRead) {
        libusb_device_descriptor descriptor{};
        if (libusb_get_device_descriptor(listed.device, &descriptor) != LIBUSB_SUCCESS)
            return F32xStatus::DeviceNotFound;
        // The string descriptor needs an open device: ours if the link has it open, else a short
        // look that leaves the device as it was.
        libusb_device_handle* handle = handleFor(listed.device);
        const bool borrowed = handle == nullptr;
        if (borrowed && libusb_open(listed.device, &handle) != LIBUSB_SUCCESS)
            return F32xStatus::DeviceNotFound;
        unsigned char text[MaxProductLength + 1] = {};
        const int length =
            descriptor.iProduct == 0
                ? 0
                : libusb_get_string_descriptor_ascii(handle, descriptor.iProduct, text, MaxProductLength);
        if (borrowed)
            libusb_close(handle);
        if (length < 0)
            return F32xStatus::DeviceNotFound;
        listed.product = QByteArray(reinterpret_cast<const char*>(text), length);
        listed.productRead = true;
    }
    product = listed.product;
    return F32xStatus::Success;
}

int LibusbBlackBox::open(quint32 index, Handle& handle)
{
    if (index >= m_devices.size())
        return F32xStatus::DeviceNotFound;
    libusb_device* device = m_devices[index].device;
    // Both live windows may open the unit; they share the one connection until both closed it.
    for (auto& [id, unit] : m_opened)
        if (unit.device == device) {
            ++unit.users;
            handle = id;
            return F32xStatus::Success;
        }
    const Pipes pipes = findPipes(device);
    if (pipes.interfaceNumber < 0)
        return F32xStatus::DeviceNotFound;
    libusb_device_handle* usb = nullptr;
    if (libusb_open(device, &usb) != LIBUSB_SUCCESS)
        return F32xStatus::DeviceNotFound;
    libusb_set_auto_detach_kernel_driver(usb, 1);
    if (libusb_claim_interface(usb, pipes.interfaceNumber) != LIBUSB_SUCCESS) {
        libusb_close(usb);
        return F32xStatus::DeviceNotFound;
    }
    Opened unit;
    unit.device = libusb_ref_device(device);
    unit.handle = usb;
    unit.interfaceNumber = pipes.interfaceNumber;
    unit.inEndpoint = pipes.in;
    unit.outEndpoint = pipes.out;
    unit.packetSize = pipes.packetSize;
    handle = m_nextHandle++;
    m_opened.emplace(handle, std::move(unit));
    return F32xStatus::Success;
}

int LibusbBlackBox::close(Handle handle)
{
    const auto found = m_opened.find(handle);
    if (found == m_opened.end())
        return F32xStatus::InvalidHandle;
    Opened& unit = found->second;
    if (--unit.users > 0)
        return F32xStatus::Success;
    // Releasing an unplugged device fails; the handle is closed all the same.
    libusb_release_interface(unit.handle, unit.interfaceNumber);
    libusb_close(unit.handle);
    libusb_unref_device(unit.device);
    m_opened.erase(found);
    return F32xStatus::Success;
}

LibusbBlackBox::Opened* LibusbBlackBox::opened(Handle handle)
{
    const auto found = m_opened.find(handle);
    return found == m_opened.end() ? nullptr : &found->second;
}

bool LibusbBlackBox::receive(Opened& unit)
{
    QByteArray packet(unit.packetSize, '\0');
    int transferred = 0;
    const int status =
        libusb_bulk_transfer(unit.handle, unit.inEndpoint, reinterpret_cast<unsigned char*>(packet.data()),
                             unit.packetSize, &transferred, TransferTimeoutMs);
    if (transferred > 0) {
        packet.truncate(std::min(transferred, unit.packetSize));
        unit.packets.push(packet);
    }
    switch (status) {
    case LIBUSB_SUCCESS:
    case LIBUSB_ERROR_TIMEOUT:
        return true;
    case LIBUSB_ERROR_PIPE:
        // A stalled pipe is cleared for the next try; this one failed.
        libusb_clear_halt(unit.handle, unit.inEndpoint);
        return false;
    default:
        return false;
    }
}

int LibusbBlackBox::checkRxQueue(Handle handle, quint32& bytesInQueue, quint32& queueStatus)
{
    bytesInQueue = 0;
    queueStatus = QueueEmpty;
    Opened* unit = opened(handle);
    if (unit == nullptr)
        return F32xStatus::InvalidHandle;
    const bool received = receive(*unit);
    bytesInQueue = unit->packets.bytesWaiting();
    queueStatus = unit->packets.takeOverrun() ? QueueOverrun : bytesInQueue > 0 ? QueueReady : QueueEmpty;
    return received ? F32xStatus::Success : F32xStatus::ReadError;
}

int LibusbBlackBox::read(Handle handle, quint8* buffer, quint32 bytesToRead, quint32& bytesRead)
{
    bytesRead = 0;
    Opened* unit = opened(handle);
    if (unit == nullptr)
        return F32xStatus::InvalidHandle;
    if (buffer == nullptr || bytesToRead == 0)
        return F32xStatus::InvalidParameter;
    if (unit->packets.isEmpty() && !receive(*unit))
        return F32xStatus::ReadError;
    if (unit->packets.isEmpty())
        return F32xStatus::RxQueueNotReady;
    bytesRead = unit->packets.take(buffer, bytesToRead);
    return F32xStatus::Success;
}

int LibusbBlackBox::write(Handle handle, const quint8* buffer, quint32 bytesToWrite, quint32& bytesWritten)
{
    bytesWritten = 0;
    Opened* unit = opened(handle);
    if (unit == nullptr)
        return F32xStatus::InvalidHandle;
    if (buffer == nullptr || bytesToWrite == 0 || bytesToWrite > static_cast<quint32>(INT_MAX))
        return F32xStatus::InvalidParameter;
    int transferred = 0;
    const int status =
        libusb_bulk_transfer(unit->handle, unit->outEndpoint, const_cast<unsigned char*>(buffer),
                             static_cast<int>(bytesToWrite), &transferred, TransferTimeoutMs);
    bytesWritten = static_cast<quint32>(std::max(transferred, 0));
    if (status == LIBUSB_ERROR_PIPE)
        libusb_clear_halt(unit->handle, unit->outEndpoint);
    return status == LIBUSB_SUCCESS && bytesWritten == bytesToWrite ? F32xStatus::Success
                                                                    : F32xStatus::WriteError;
}

} // namespace tolvane
