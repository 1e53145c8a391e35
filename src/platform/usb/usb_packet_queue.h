#pragma once
// UsbPacketQueue: the packets received from the Black Box and not yet read. The unit sends each
// frame as one bulk packet, so a read takes one packet: a short packet gives a short read (the
// link fills the rest with zeros and the decoder's limits drop it), and the rest of a long one
// is dropped rather than taken for the start of the next frame. A queue the link does not empty
// keeps only the newest packets, so the brake never answers a frame from long ago.
#include <QByteArray>

#include <cstddef>
#include <deque>

namespace tolvane {

class UsbPacketQueue {
public:
    static constexpr std::size_t DefaultCapacity = 4;

    explicit UsbPacketQueue(std::size_t capacity = DefaultCapacity) : m_capacity(capacity > 0 ? capacity : 1)
    {
    }

    // An empty packet is no packet.
    void push(const QByteArray& packet);
    // Copies up to `size` bytes of the oldest packet and removes it; 0 when none waits.
    quint32 take(quint8* buffer, quint32 size);

    quint32 bytesWaiting() const;
    bool isEmpty() const { return m_packets.empty(); }
    // True once a packet was dropped to make room; cleared by the call.
    bool takeOverrun();

private:
    std::size_t m_capacity;
    std::deque<QByteArray> m_packets;
    bool m_overrun = false;
};

} // namespace tolvane
