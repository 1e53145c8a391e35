#pragma once
// What a live window shows of each decoded frame: the decoder calls these hooks at their fixed
// points of the pass (see sample_controller.h for the order). A window implements the hooks it
// has; the others keep their empty bodies (the sweep window has no load gauge and no teal power
// panel; the command-line tool shows nothing). The step window's event graph is not among them:
// its points belong to the step controller, which averages the record line from them.
#include <QString>

#include "core/acquisition/dyno_sample.h"

namespace tolvane {

// The status-bar text while the step window has no tach ratio.
inline const QString TachSetupText =
    QStringLiteral("Step #1:   To Setup The Tachometer, Press The Corresponding Function Key");

// The panel values, already multiplied by the unit factors; the window formats them "0.0".
struct DisplayedValues {
    double roadSpeed = 0.0;           // road speed x SpeedFactor
    double power = 0.0;               // step: smoothed; sweep: instantaneous; x PowerFactor
    double engineTorque = 0.0;        // step: smoothed; sweep: instantaneous; x ForceFactor
    double correctionPercent = 0.0;   // step: StationCorr x 100 - 100, shown with "%"
    double angularAcceleration = 0.0; // sweep: its own panel
};

class LiveDisplay {
public:
    virtual ~LiveDisplay() = default;

    // Step: the tach ratio is 0, so the engine rpm kept its previous value; the window puts
    // `text` (TachSetupText) into its status bar instead of updating the tachometer.
    virtual void showStatusText(const QString& text) { Q_UNUSED(text); }
    // Engine rpm updated: the step window's scrolling tachometer, the sweep window's round dials
    // (whose power needle then still shows the previous sample's power).
    virtual void showEngineSpeed(const DynoSample& sample) { Q_UNUSED(sample); }
    // Step: the load gauge, drawn with the previous sample's angular acceleration and force rate.
    virtual void showLoadGauge(float angularAcceleration, float forceRate)
    {
        Q_UNUSED(angularAcceleration);
        Q_UNUSED(forceRate);
    }
    virtual void showValues(const DisplayedValues& values) { Q_UNUSED(values); }
    // Step: teal power panel while a force spike is being dropped; cleared when a sample passes
    // the force check.
    virtual void setPowerPanelTeal(bool teal) { Q_UNUSED(teal); }
};

} // namespace tolvane
