#pragma once
// The two live windows decode frames and build brake commands in slightly different ways; every
// acquisition type that differs between them takes one of these.
namespace tolvane {

enum class LiveWindow {
    Step,  // the step-test window: 12-byte frames, smoothed displays, constant command tail
    Sweep, // the sweep-test window: 9-byte frames, inertia torque, settings in the command tail
};

} // namespace tolvane
