#pragma once
// compareWithTruth: the data lines of a built test file beside what the Demo Dyno says they
// should state. The headless runs and the end-to-end tests of the whole program judge their files
// by it, so both judge by the same truth.
#include <QStringList>

#include <vector>

#include "core/acquisition/test_data_file.h"
#include "core/common/text_locale.h"

namespace tolvane {
class UnitSettings;
} // namespace tolvane

namespace tolvane::sim {

class DemoDyno;
class StepLineTruth;

// One data line of the saved file beside the simulator's truth of what the line states, its torque
// referred to the engine speed as the file's torque column is (power x 5252 / engine rpm). A sweep
// line states the steady wide-open wheel power at its engine speed; a step line the mean the
// program takes over its recording, here taken over the dyno's exact frames (step_line_truth.h).
// wideOpenPower is the steady wide-open wheel power at the line's engine speed for either kind.
struct RecordedPoint {
    double engineRpm = 0.0;
    double power = 0.0;
    double torque = 0.0;
    double truePower = 0.0;
    double trueTorque = 0.0;
    double wideOpenPower = 0.0;
};

// The data lines of `fileLines` (those between the column headings and "end.") beside the truth.
// A step file's k-th data line is matched with stepTruth's k-th line when one is given, else with
// the wide-open power; its power and torque carry the unit multipliers, a sweep file's do not.
std::vector<RecordedPoint> compareWithTruth(const QStringList& fileLines, TestFileKind kind,
                                            const DemoDyno& dyno, const UnitSettings& units,
                                            const TextLocale& locale,
                                            const StepLineTruth* stepTruth = nullptr);

} // namespace tolvane::sim
