#pragma once
// The calibration constants of the live windows, re-read from the configuration file every time
// a live window is shown (and by the step window after a load-cell calibration is accepted).
#include <QtGlobal>

#include "core/acquisition/live_window.h"

namespace tolvane {

struct ZezeDuribration {
    // "BlackBox": constants of the serial unit, read and shown by the USB screens, used by no
    // USB computation.
    double timeCF = 1500.0;
    double etcf = 0.26214;
    // "BlackBox"/"RollerDia": road speed (mph) per roller rpm.
    double rollerFactor = 0.0379;
    // "BlackBox"/"LoadOff": raw counts subtracted from the load reading.
    double loadOffset = 1.0;
    // "BlackBox"/"LoadSpan": force units per raw count.
    double loadSpan = 1.0;
    // "Dyno_System"/"TQ_Off", "TQ_Gain", "Spd_Gain": force offset, overall gain and the gain of
    // the speed-proportional drag term.
    double torqueOffset = 0.0;
    double torqueGain = 1.0;
    double dragGain = 1.0;
    // "Test": kept and shown; no live computation depends on them.
    double dynoInertia = 2.5;
    bool metricAcf = false;
    double tachRatValMax = 6.0; // step window only
    int incrementRpm = 2500;    // step window only
    // "Test"/"Record Tolerance": half-width in engine rpm of the recording band.
    quint16 recordTolerance = 250;
    // "Test"/"auto deceleration force": the step window decelerates by 400 x this many rpm.
    int autoDecelerationForce = 5; // step window only

    // The defaults of each window: the sweep window falls back to a tolerance of 125.
    static ZezeDuribration defaults(LiveWindow window)
    {
        ZezeDuribration d;
        if (window == LiveWindow::Sweep)
            d.recordTolerance = 125;
        return d;
    }
};

} // namespace tolvane
