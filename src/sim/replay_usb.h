#pragma once
// ReplayUsb: a Black Box that plays back given frames, one per read, behind the same USB calls as
// the real unit and the Demo Dyno. A session driven by it runs its real link, decoder and
// controller over frames chosen to the byte, which the benchmarks and the pipeline tests need;
// the commands the session writes back are kept for checking.
#include <QByteArray>

#include <cstddef>
#include <vector>

#include "core/acquisition/black_box_usb.h"

namespace tolvane::sim {

class ReplayUsb final : public BlackBoxUsb {
public:
    static constexpr const char* ProductString = "qv512 Replay";

    // Frames to hand out in turn. With `cycle` the list starts again after its last frame;
    // without it the queue reports itself empty once every frame was read.
    void setFrames(std::vector<QByteArray> frames, bool cycle);
    void push(const QByteArray& frame) { m_frames.push_back(frame); }
    std::size_t framesRead() const { return m_read; }
    // The newest command written, empty before any.
    const QByteArray& lastCommand() const { return m_lastCommand; }
    std::size_t commandsWritten() const { return m_written; }

    int getNumDevices(quint32& count) override;
    int getProductString(quint32 index, QByteArray& product) override;
    int open(quint32 index, Handle& handle) override;
    int close(Handle handle) override;
    int checkRxQueue(Handle handle, quint32& bytesInQueue, quint32& queueStatus) override;
    int read(Handle handle, quint8* buffer, quint32 bytesToRead, quint32& bytesRead) override;
    int write(Handle handle, const quint8* buffer, quint32 bytesToWrite, quint32& bytesWritten) override;

private:
    static constexpr Handle OpenHandle = 1;
    bool hasFrame() const { return m_next < m_frames.size(); }

    std::vector<QByteArray> m_frames;
    std::size_t m_next = 0;
    bool m_cycle = false;
    bool m_open = false;
    std::size_t m_read = 0;
    std::size_t m_written = 0;
    QByteArray m_lastCommand;
};

} // namespace tolvane::sim
