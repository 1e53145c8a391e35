#pragma once
// The calibration constants of the live windows, re-read from the configuration file every time
// a live window is shown (and by the step window after a load-cell calibration is accepted).
#include <QtGlobal>

#include "core/acquisition/live_window.h"
#include "core/common/config_keys.h"

namespace tolvane {

struct LiveCalibration {
    // "BlackBox": constants of the serial unit, read and shown by the USB screens, used by no
    // USB computation.
    double timeCF = LiveWindowSettings::TimeCF.fallback;
    double etcf = LiveWindowSettings::ETCF.fallback;
    // "BlackBox"/"RollerDia": road speed (mph) per roller rpm.
    double rollerFactor = ConfigSettings::RollerDia.fallback;
    // "BlackBox"/"LoadOff": raw counts subtracted from the load reading.
    double loadOffset = ConfigSettings::LoadOff.fallback;
    // "BlackBox"/"LoadSpan": force units per raw count.
    double loadSpan = ConfigSettings::LoadSpan.fallback;
    // "Dyno_System"/"TQ_Off", "TQ_Gain", "Spd_Gain": force offset, overall gain and the gain of
    // the speed-proportional drag term.
    double torqueOffset = ConfigSettings::TqOff.fallback;
    double torqueGain = ConfigSettings::TqGain.fallback;
    double dragGain = ConfigSettings::SpdGain.fallback;
    // "Test": kept and shown; no live computation depends on them.
    double dynoInertia = ConfigSettings::DynoInertia.fallback;
    bool metricAcf = ConfigSettings::MetricAcf.fallback;
    double tachRatValMax = ConfigSettings::TachRatValMax.fallback; // step window only
    int incrementRpm = ConfigSettings::IncrementRpm.fallback;      // step window only
    // "Test"/"Record Tolerance": half-width in engine rpm of the recording band.
    quint16 recordTolerance = StepWindowSettings::RecordTolerance.fallback;
    // "Test"/"auto deceleration force": the step window decelerates by 400 x this many rpm.
    int autoDecelerationForce = ConfigSettings::AutoDecelerationForce.fallback; // step window only

    // The defaults of each window: the sweep window falls back to a tolerance of 125.
    static LiveCalibration defaults(LiveWindow window)
    {
        LiveCalibration d;
        if (window == LiveWindow::Sweep)
            d.recordTolerance = SweepWindowSettings::RecordTolerance.fallback;
        return d;
    }
};

class Configuration;

// What a live window reads when it is shown: the "BlackBox" and "Dyno_System" constants and the
// "Test" values of that window (the sweep window reads no "TachRatValMax", "Increment rpm" or
// "auto deceleration force"; those keep their defaults). Missing or unreadable keys give the
// window's defaults.
LiveCalibration readLiveCalibration(const Configuration& configuration, LiveWindow window);

} // namespace tolvane
