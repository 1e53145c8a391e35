#include "core/acquisition/gauge_scales.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "core/common/number_text.h"

namespace tolvane {

namespace {

constexpr double Pi = std::numbers::pi;

// Bases beyond a million thousand rpm only come from broken readings; holding them keeps the
// base and every x derived from it well inside an int.
constexpr int TachometerBaseLimit = 1000000;

double finiteOrZero(double value)
{
    return std::isfinite(value) ? value : 0.0;
}

int heldInt(std::int64_t value, int lowest, int highest)
{
    return static_cast<int>(std::clamp<std::int64_t>(value, lowest, highest));
}

} // namespace

int loadGaugeNextRow(int row, int height)
{
    const int next = row + 1;
    return next < 0 || next > height ? 0 : next;
}

int loadGaugeHalfWidth(float value, int limit)
{
    const std::int64_t rounded = roundHalfEven(static_cast<double>(value));
    // The magnitude of the most negative int64 has no int64; it is held at the limit anyway.
    const std::int64_t magnitude = rounded < 0 ? (rounded == INT64_MIN ? INT64_MAX : -rounded) : rounded;
    return heldInt(magnitude, 0, std::max(limit, 0));
}

int tachometerX(double engineRpm, int base, int width)
{
    const double x = (finiteOrZero(engineRpm) / 1000.0 - (base - 1.0)) * width / 2.0;
    return heldInt(roundHalfEven(x), std::min(0, width), std::max(0, width));
}

bool tachometerInWindow(double engineRpm, int base)
{
    const double thousands = finiteOrZero(engineRpm) / 1000.0;
    return thousands >= base - 1.0 && thousands <= base + 1.0;
}

int tachometerBase(double engineRpm)
{
    return heldInt(roundHalfEven(finiteOrZero(engineRpm) / 1000.0), -TachometerBaseLimit,
                   TachometerBaseLimit);
}

std::array<QString, 3> tachometerLabels(int base, QChar decimalSeparator)
{
    std::array<QString, 3> labels;
    const double values[] = {base - 0.5, double(base), base + 0.5};
    for (std::size_t i = 0; i < labels.size(); ++i)
        labels[i] = formatNumber(values[i], u"0.0", decimalSeparator) + QLatin1Char(' ');
    return labels;
}

std::array<int, 3> tachometerLabelXs(int width)
{
    return {heldInt(roundHalfEven(width / 4.0), 0, std::max(width, 0)),
            heldInt(roundHalfEven(width / 2.0), 0, std::max(width, 0)),
            heldInt(roundHalfEven(width * 3.0 / 4.0), 0, std::max(width, 0))};
}

TachometerScale::Placement TachometerScale::place(double engineRpm, int width)
{
    const double rpm = finiteOrZero(engineRpm);
    Placement placement;
    // The pointer is placed on the scale it is drawn on: after a re-centring that is the new one,
    // never the old window the speed has just left (which would put it beyond the strip).
    if (!m_centred || !tachometerInWindow(rpm, m_base)) {
        m_base = tachometerBase(rpm);
        m_trail.fill(tachometerX(m_base * 1000.0, m_base, width));
        m_centred = true;
        placement.recentred = true;
    }
    placement.x = tachometerX(rpm, m_base, width);
    std::copy_backward(m_trail.begin(), m_trail.end() - 1, m_trail.end());
    m_trail[0] = placement.x;
    return placement;
}

int dialRedline(int redline)
{
    return std::clamp(redline, DialRedlineMin, DialRedlineMax);
}

std::vector<DialMark> rpmDialMarks(int redline, int minRpm)
{
    constexpr int MarkStep = 200;   // four minor marks between labels
    constexpr int LabelStep = 1000; // labelled in thousands
    const int held = dialRedline(redline);
    std::vector<DialMark> marks;
    marks.reserve(static_cast<std::size_t>(held / MarkStep + 1));
    // Whole rpm steps rather than summed angles, so the last mark lands on the end of the arc
    // without a rounding error adding or losing one.
    for (int rpm = LabelStep; rpm - LabelStep <= held; rpm += MarkStep) {
        DialMark mark;
        mark.value = rpm;
        mark.angle = rpmNeedleAngle(rpm, held);
        mark.major = rpm % LabelStep == 0;
        if (mark.major)
            mark.label = QString::number(rpm / LabelStep);
        if (rpm == redline)
            mark.tone = DialTone::Red;
        else if (rpm == minRpm)
            mark.tone = DialTone::Green;
        marks.push_back(mark);
    }
    return marks;
}

std::vector<DialMark> powerDialMarks()
{
    constexpr int MinorMarks = 10;
    constexpr double LabelStep = Pi / 4.0;
    std::vector<DialMark> marks;
    for (int i = 0;; ++i) {
        const double angle = DialStartAngle + i * LabelStep;
        if (angle >= DialEndAngle - LabelStep / 2.0) // 9π/4 itself gets no label
            break;
        if (i > 0) {
            const double previous = angle - LabelStep;
            for (int j = 1; j <= MinorMarks; ++j) {
                DialMark minor;
                minor.angle = previous + j * LabelStep / (MinorMarks + 1);
                minor.value = static_cast<int>(roundHalfEven((minor.angle / Pi - 1.0) * 200.0));
                marks.push_back(minor);
            }
        }
        DialMark mark;
        mark.angle = angle;
        mark.major = true;
        mark.value = static_cast<int>(roundHalfEven((angle / Pi - 1.0) * 200.0));
        mark.label = QString::number(mark.value);
        if (mark.value == 0)
            mark.tone = DialTone::Green;
        marks.push_back(mark);
    }
    return marks;
}

double rpmNeedleAngle(double engineRpm, int redline)
{
    return (finiteOrZero(engineRpm) - 1000.0) * DialSweepAngle / dialRedline(redline) + DialStartAngle;
}

double powerNeedleAngle(double power)
{
    return finiteOrZero(power) * Pi / 200.0 + Pi;
}

} // namespace tolvane
