#pragma once
// The decoded live sample: what the controllers, the gauges and the displays read after each
// frame. Fields keep their values between frames; a dropped frame leaves them as they were
// (except the load count, which a valid load field always updates).
#include <QtGlobal>

#include "core/common/date_time.h"

namespace tolvane {

struct DynoSample {
    DateTimeValue time = 0.0;         // local clock when the frame was taken
    double rollerRpm = 0.0;           // roller-speed constant / period count, 0 for a standing roller
    quint32 loadCount = 0;            // raw load-cell count
    quint32 auxiliaryCount = 0;       // kept for the diagnostics panel only
    quint32 outputEcho = 0;           // step frames: brake output as echoed by the unit
    double force = 0.0;               // step: with offset, gain and drag; sweep: see FrameDecoder
    double timeStep = 0.0;            // (time - previous time) x 100000; one unit is 0.864 s
    double rpmChange = 0.0;           // roller rpm - previous roller rpm
    double forceChange = 0.0;         // force - previous force
    double engineRpm = 0.0;           // tach ratio x roller rpm
    float rollerAngularSpeed = 0.0f;  // rad/s
    float angularAcceleration = 0.0f; // change of angular speed / time step
    float forceRate = 0.0f;           // change of force / time step
    float speedRatio = 0.0f;          // roller rpm / engine rpm
    float engineTorque = 0.0f;        // (force + inertia torque) x speed ratio
    float power = 0.0f;               // (force + inertia torque) x roller rpm / 5252
    float roadSpeed = 0.0f;           // roller rpm x roller factor
    float inertiaTorque = 0.0f;       // step: 0; sweep: inertia x angular acceleration
    // Step window only: means of the newest SmoothingDepth values (see SampleSmoothing).
    float smoothedPower = 0.0f;
    float smoothedEngineTorque = 0.0f;
    float smoothedEngineRpm = 0.0f;
};

} // namespace tolvane
