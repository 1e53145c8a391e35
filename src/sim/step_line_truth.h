#pragma once
// StepLineTruth: the step file's record lines as the Demo Dyno's exact frames give them. A line is
// the mean, over its recording less the first and last "Min Seconds:" samples, of the step
// window's running mean of the newest samples; that running mean reaches back past the
// acquisition into the run-up, where the brake was still catching the engine and the step power
// (the brake's and the drag's share, no inertia term) read low. That is the quantity a line
// states, so it is the truth a line is checked against: with the default smoothing depth 20 and
// "Min Seconds:" 4 it sits about 0.25 % below the steady wide-open wheel power after 75 samples.
//
// A runner feeds it every accepted step sample with the controller's record count from before
// the pass (the x the event graph puts the sample at), and tells it when that sample wrote a line.
#include <vector>

#include "core/acquisition/event_trace.h"
#include "core/acquisition/sample_smoothing.h"
#include "sim/demo_dyno.h"

namespace tolvane::sim {

class StepLineTruth {
public:
    struct Line {
        double engineRpm = 0.0;
        double power = 0.0;
    };

    explicit StepLineTruth(int smoothingDepth = SampleSmoothing::DefaultDepth);

    // One sample the decoder accepted; recordX is 0 outside a recording.
    void addSample(int recordX, const DemoDyno::FrameTruth& frame);
    // The sample last added ended the recording and wrote a line.
    void lineWritten(int recordX, int minSeconds);
    // One per line written, in the order of the record memo.
    const std::vector<Line>& lines() const { return m_lines; }

private:
    SampleSmoothing m_smoothing;
    EventTrace m_trace;
    std::vector<Line> m_lines;
};

} // namespace tolvane::sim
