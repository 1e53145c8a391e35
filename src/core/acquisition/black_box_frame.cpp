#include "core/acquisition/black_box_frame.h"

#include <algorithm>

namespace tolvane {

BlackBoxFrame::BlackBoxFrame(LiveWindow window, const quint8* data, std::size_t count)
    : m_size(sizeFor(window))
{
    const std::size_t n = std::min(count, static_cast<std::size_t>(m_size));
    if (data != nullptr)
        std::copy_n(data, n, m_bytes.begin());
}

BlackBoxFrame::BlackBoxFrame(LiveWindow window, const QByteArray& data)
    : BlackBoxFrame(window, reinterpret_cast<const quint8*>(data.constData()),
                    static_cast<std::size_t>(data.size()))
{
}

} // namespace tolvane
