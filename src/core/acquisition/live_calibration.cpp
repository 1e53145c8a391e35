#include "core/acquisition/live_calibration.h"

#include "core/common/configuration.h"

namespace tolvane {

LiveCalibration readLiveCalibration(const Configuration& configuration, LiveWindow window)
{
    LiveCalibration d = LiveCalibration::defaults(window);
    d.timeCF = configuration.read(LiveWindowSettings::TimeCF);
    d.etcf = configuration.read(LiveWindowSettings::ETCF);
    d.rollerFactor = configuration.read(ConfigSettings::RollerDia);
    d.loadOffset = configuration.read(ConfigSettings::LoadOff);
    d.loadSpan = configuration.read(ConfigSettings::LoadSpan);
    d.torqueOffset = configuration.read(ConfigSettings::TqOff);
    d.torqueGain = configuration.read(ConfigSettings::TqGain);
    d.dragGain = configuration.read(ConfigSettings::SpdGain);
    d.dynoInertia = configuration.read(ConfigSettings::DynoInertia);
    d.metricAcf = configuration.read(ConfigSettings::MetricAcf);
    if (window == LiveWindow::Step) {
        d.recordTolerance = configuration.read(StepWindowSettings::RecordTolerance);
        d.tachRatValMax = configuration.read(ConfigSettings::TachRatValMax);
        d.incrementRpm = configuration.read(ConfigSettings::IncrementRpm);
        d.autoDecelerationForce = configuration.read(ConfigSettings::AutoDecelerationForce);
    } else {
        d.recordTolerance = configuration.read(SweepWindowSettings::RecordTolerance);
    }
    return d;
}

} // namespace tolvane
