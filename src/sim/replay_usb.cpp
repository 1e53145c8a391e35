#include "sim/replay_usb.h"

#include <algorithm>
#include <utility>

namespace tolvane::sim {

void ReplayUsb::setFrames(std::vector<QByteArray> frames, bool cycle)
{
    m_frames = std::move(frames);
    m_next = 0;
    m_cycle = cycle;
}

int ReplayUsb::getNumDevices(quint32& count)
{
    count = 1;
    return F32xStatus::Success;
}

int ReplayUsb::getProductString(quint32 index, QByteArray& product)
{
    if (index != 0)
        return F32xStatus::DeviceNotFound;
    product = ProductString;
    return F32xStatus::Success;
}

int ReplayUsb::open(quint32 index, Handle& handle)
{
    if (index != 0)
        return F32xStatus::DeviceNotFound;
    m_open = true;
    handle = OpenHandle;
    return F32xStatus::Success;
}

int ReplayUsb::close(Handle handle)
{
    if (!m_open || handle != OpenHandle)
        return F32xStatus::InvalidHandle;
    m_open = false;
    return F32xStatus::Success;
}

int ReplayUsb::checkRxQueue(Handle handle, quint32& bytesInQueue, quint32& queueStatus)
{
    queueStatus = 0;
    bytesInQueue = 0;
    if (!m_open || handle != OpenHandle)
        return F32xStatus::InvalidHandle;
    if (hasFrame())
        bytesInQueue = static_cast<quint32>(m_frames[m_next].size());
    return F32xStatus::Success;
}

int ReplayUsb::read(Handle handle, quint8* buffer, quint32 bytesToRead, quint32& bytesRead)
{
    bytesRead = 0;
    if (!m_open || handle != OpenHandle)
        return F32xStatus::InvalidHandle;
    if (!hasFrame())
        return F32xStatus::RxQueueNotReady;
    const QByteArray& frame = m_frames[m_next];
    bytesRead = std::min<quint32>(bytesToRead, static_cast<quint32>(frame.size()));
    std::copy_n(reinterpret_cast<const quint8*>(frame.constData()), bytesRead, buffer);
    ++m_read;
    if (++m_next == m_frames.size() && m_cycle)
        m_next = 0;
    return F32xStatus::Success;
}

int ReplayUsb::write(Handle handle, const quint8* buffer, quint32 bytesToWrite, quint32& bytesWritten)
{
    bytesWritten = 0;
    if (!m_open || handle != OpenHandle)
        return F32xStatus::InvalidHandle;
    m_lastCommand = QByteArray(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(bytesToWrite));
    bytesWritten = bytesToWrite;
    ++m_written;
    return F32xStatus::Success;
}

} // namespace tolvane::sim
