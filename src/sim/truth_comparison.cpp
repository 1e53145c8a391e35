#include "sim/truth_comparison.h"

#include <optional>

#include "core/acquisition/frame_decoder.h"
#include "core/common/number_text.h"
#include "core/setup/unit_settings.h"
#include "sim/demo_dyno.h"
#include "sim/step_line_truth.h"

namespace tolvane::sim {

std::vector<RecordedPoint> compareWithTruth(const QStringList& lines, TestFileKind kind, const DemoDyno& dyno,
                                            const UnitSettings& units, const TextLocale& locale,
                                            const StepLineTruth* stepTruth)
{
    const bool step = kind == TestFileKind::Step;
    const QString heading =
        units.engineSpeedUnit() + QLatin1Char('\t') + units.roadSpeedUnit() + QLatin1Char('\t');
    qsizetype at = 0;
    while (at < lines.size() && !lines[at].startsWith(heading))
        ++at;
    // The step file's power and torque carry the unit multipliers; the sweep file's do not.
    const double powerFactor = step ? units.powerFactor() : 1.0;
    const double forceFactor = step ? units.forceFactor() : 1.0;
    std::vector<RecordedPoint> points;
    // The k-th data line of a step file is the k-th line of the record memo.
    std::size_t line = 0;
    for (++at; at < lines.size() && lines[at] != QLatin1String("end."); ++at, ++line) {
        const QStringList fields = lines[at].split(QLatin1Char('\t'));
        if (fields.size() < 4)
            continue;
        const std::optional<double> rpm = parseFloat(fields[0], locale);
        const std::optional<double> power = parseFloat(fields[2], locale);
        const std::optional<double> torque = parseFloat(fields[3], locale);
        if (!rpm || !power || !torque || *rpm <= 0.0)
            continue;
        RecordedPoint point;
        point.engineRpm = *rpm;
        point.power = *power;
        point.torque = *torque;
        const double wideOpen = dyno.trueWheelPower(*rpm, 1.0);
        point.wideOpenPower = wideOpen * powerFactor;
        // A step line is checked against the line exact frames give (step_line_truth.h); a sweep
        // line states the wheel power itself, the roller's acceleration taken into account.
        double truth = wideOpen;
        double truthRpm = *rpm;
        if (step && stepTruth) {
            const auto& stepLines = stepTruth->lines();
            if (line < stepLines.size() && stepLines[line].engineRpm >= 1.0) {
                truth = stepLines[line].power;
                truthRpm = stepLines[line].engineRpm;
            }
        }
        point.truePower = truth * powerFactor;
        point.trueTorque = truth * FrameDecoder::PowerDivisor / truthRpm * forceFactor;
        points.push_back(point);
    }
    return points;
}

} // namespace tolvane::sim
