#pragma once
// How a live controller (step or sweep) plugs into the frame decoder. The decoder stays free of
// controller logic: it asks the controller where the sample's grid row goes, and hands it every
// accepted sample at the fixed point of the pass.
//
// Order of one step-window pass (FrameDecoder with LiveWindow::Step):
//   grid row written (gridPhase() decides where) -> spike checks (a force spike ends the pass)
//   -> engine rpm -> gauges -> sample physics -> smoothing -> displayed values -> runPass(sample).
// The step controller adds the sample's smoothed engine rpm and power to its event graph at the
// start of its pass while it is recording; nothing the displays do in between touches that graph.
// Order of one sweep-window pass (LiveWindow::Sweep):
//   grid row written (gridPhase()) -> spike checks -> engine rpm -> round dials
//   -> runPass(sample) -> drag and gains on the force, inertia torque, torque, power
//   -> displayed values.
// So the sweep controller sees a sample whose engine rpm and force (still without drag and gains)
// are new but whose angular acceleration, torque and power are those of the previous sample.
#include "core/acquisition/dyno_sample.h"
#include "core/acquisition/sample_grid.h"

namespace tolvane {

class SampleController {
public:
    virtual ~SampleController() = default;

    // Recording, Waiting or any other state, as the controller stands before this sample.
    virtual GridPhase gridPhase() const = 0;
    // One controller pass for an accepted sample. Not called for dropped frames.
    virtual void runPass(const DynoSample& sample) = 0;
};

} // namespace tolvane
