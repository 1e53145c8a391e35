#include "platform/usb/usb_packet_queue.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tolvane {

void UsbPacketQueue::push(const QByteArray& packet)
{
    if (packet.isEmpty())
        return;
    if (m_packets.size() >= m_capacity) {
        m_packets.pop_front();
        m_overrun = true;
    }
    m_packets.push_back(packet);
}

quint32 UsbPacketQueue::take(quint8* buffer, quint32 size)
{
    if (m_packets.empty() || buffer == nullptr)
        return 0;
    const QByteArray packet = m_packets.front();
    m_packets.pop_front();
    const quint32 count = std::min(size, static_cast<quint32>(packet.size()));
    std::memcpy(buffer, packet.constData(), count);
    return count;
}

quint32 UsbPacketQueue::bytesWaiting() const
{
    quint32 bytes = 0;
    for (const QByteArray& packet : m_packets)
        bytes += static_cast<quint32>(packet.size());
    return bytes;
}

bool UsbPacketQueue::takeOverrun()
{
    return std::exchange(m_overrun, false);
}

} // namespace tolvane
