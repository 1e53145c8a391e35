#include "core/analysis/viewer_state.h"

namespace tolvane {

template <typename T> void ViewerState::update(T& member, const T& value)
{
    if (member == value)
        return;
    member = value;
    emit changed();
}

void ViewerState::setCurrentFile(const QString& path)
{
    update(m_currentFile, path);
}

void ViewerState::setRunCorrection(double factor)
{
    update(m_runCorrection, factor);
}

void ViewerState::setRunTachRatio(double ratio)
{
    update(m_runTachRatio, ratio);
}

void ViewerState::setRunInertia(double inertia)
{
    update(m_runInertia, inertia);
}

void ViewerState::setFirstDataLine(int index)
{
    update(m_firstDataLine, index);
}

void ViewerState::setRescalePending(bool on)
{
    update(m_rescalePending, on);
}

void ViewerState::setSpikeFilterArmed(bool on)
{
    update(m_spikeFilterArmed, on);
}

void ViewerState::setFileCountAtPlot(int count)
{
    update(m_fileCountAtPlot, count);
}

void ViewerState::setPlotExtents(const PlotExtents& extents)
{
    update(m_plotExtents, extents);
}

void ViewerState::setRunStrip(const QStringList& names)
{
    update(m_runStrip, names);
}

void ViewerState::removeRunStripTab(int run)
{
    if (run < 1 || run > m_runStrip.size())
        return;
    m_runStrip.removeAt(run - 1);
    emit changed();
}

int ViewerState::fileIndex() const
{
    if (m_runStrip.isEmpty() || m_runStrip.first().isEmpty())
        return 0;
    return static_cast<int>(m_runStrip.size());
}

} // namespace tolvane
