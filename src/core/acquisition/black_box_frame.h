#pragma once
// One frame received from the Black Box: four (step window) or three (sweep window) 24-bit
// unsigned big-endian counts.
#include <QByteArray>
#include <QtGlobal>

#include <array>
#include <cstddef>

#include "core/acquisition/live_window.h"

namespace tolvane {

class BlackBoxFrame {
public:
    static constexpr int StepSize = 12;
    static constexpr int SweepSize = 9;
    static constexpr int sizeFor(LiveWindow window)
    {
        return window == LiveWindow::Step ? StepSize : SweepSize;
    }

    // An all-zero frame of the window's size.
    explicit BlackBoxFrame(LiveWindow window = LiveWindow::Step) : m_size(sizeFor(window)) {}
    // Copies the window's frame size from `data`; missing bytes (a short read) stay 0, surplus
    // bytes are ignored. The unit's read may report any count and the decoder takes the buffer
    // as it stands, so a short frame must still decode without reading past the data.
    BlackBoxFrame(LiveWindow window, const quint8* data, std::size_t count);
    BlackBoxFrame(LiveWindow window, const QByteArray& data);

    int size() const { return m_size; }
    const quint8* data() const { return m_bytes.data(); }
    quint8 byte(int index) const { return m_bytes[static_cast<std::size_t>(index)]; }

    // Bytes 0-2: the load-cell reading; only meaningful when byte 0 is 0.
    quint32 loadCount() const { return field(0); }
    bool loadCountValid() const { return m_bytes[0] == 0; }
    // Bytes 3-5: counts per roller revolution; 0 when the roller stands.
    quint32 periodCount() const { return field(3); }
    // Bytes 6-8: shown and kept, used by no computation.
    quint32 auxiliaryCount() const { return field(6); }
    // Bytes 9-11: the brake output as the unit echoes it; 0 in a sweep frame, which has none.
    quint32 outputEcho() const { return m_size == StepSize ? field(9) : 0; }

private:
    quint32 field(int first) const
    {
        const auto i = static_cast<std::size_t>(first);
        return (quint32(m_bytes[i]) << 16) | (quint32(m_bytes[i + 1]) << 8) | quint32(m_bytes[i + 2]);
    }

    std::array<quint8, StepSize> m_bytes{};
    int m_size;
};

} // namespace tolvane
