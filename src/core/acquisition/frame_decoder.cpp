#include "core/acquisition/frame_decoder.h"

#include <cmath>
#include <utility>

#include "core/acquisition/sample_controller.h"
#include "core/acquisition/sample_grid.h"
#include "core/common/number_text.h"

namespace tolvane {

FrameDecoder::FrameDecoder(LiveWindow window, SampleGrid& grid, const TextLocale& locale)
    : m_window(window), m_grid(grid), m_locale(locale), m_calibration(LiveCalibration::defaults(window)),
      m_spikes(window)
{
}

bool FrameDecoder::setRollerSpeedConstantText(QStringView text)
{
    const std::optional<double> value = parseFloat(text, m_locale);
    if (!value || *value <= 0.0)
        return false;
    m_rollerConstantText = text.toString();
    m_rollerConstant = *value;
    return true;
}

DecodeResult FrameDecoder::decode(const BlackBoxFrame& frame, DateTimeValue time)
{
    // Work on a copy: a frame that fails the limits must leave the sample as it was.
    DynoSample next = m_sample;
    next.time = time;
    next.auxiliaryCount = frame.auxiliaryCount();
    next.outputEcho = frame.outputEcho();
    const quint32 period = frame.periodCount();
    next.rollerRpm = period != 0 ? m_rollerConstant / static_cast<double>(period) : 0.0;
    m_frameRollerRpm = next.rollerRpm;

    // A load field whose top byte is set is a transfer fault, not a reading; the last good count
    // stands in for it, also for the frames that follow should this one be dropped.
    if (frame.loadCountValid())
        m_loadCount = frame.loadCount();
    next.loadCount = m_loadCount;

    const double f =
        std::fabs((static_cast<double>(m_loadCount) - m_calibration.loadOffset) * m_calibration.loadSpan);
    if (m_window == LiveWindow::Step) {
        const double drag = next.rollerRpm * DragPerRpm * m_calibration.dragGain;
        next.force = (f + drag + m_calibration.torqueOffset) * m_calibration.torqueGain;
    } else {
        next.force = f; // drag and gains follow the controller's pass
    }
    next.rpmChange = next.rollerRpm - m_previousRollerRpm;
    next.forceChange = next.force - m_previousForce;

    if (!(next.rollerRpm >= MinRollerRpm && next.rollerRpm <= MaxRollerRpm && next.force >= MinForce &&
          next.force <= MaxForce)) {
        m_sample.loadCount = m_loadCount;
        return {FrameOutcome::OutOfRange, -1};
    }

    next.timeStep = (time - m_previousTime) * 100000.0;
    SampleCells cells = sampleCells(next);
    m_previousTime = time;
    m_previousRollerRpm = next.rollerRpm;
    m_previousForce = next.force;

    // The checks mark the cells of the row just made.
    m_spikes.checkTimeStep(next.timeStep, cells[3]);
    m_spikes.checkRpmJump(next.rpmChange, cells[4]);
    const bool keep = m_spikes.checkForceJump(next.forceChange, cells[5]);
    const int row = m_grid.beginSampleRow(m_controller ? m_controller->gridPhase() : GridPhase::Waiting);
    for (int c = 0; c < m_grid.columnCount(); ++c)
        m_grid.setCell(row, c, std::move(cells[static_cast<std::size_t>(c)]));

    if (m_window == LiveWindow::Step) {
        if (m_display)
            m_display->setPowerPanelTeal(!keep);
        if (!keep) {
            // The row and the previous values already took the spike; the displays, the motion
            // values and the controller do not.
            m_sample.time = next.time;
            m_sample.rollerRpm = next.rollerRpm;
            m_sample.loadCount = next.loadCount;
            m_sample.auxiliaryCount = next.auxiliaryCount;
            m_sample.outputEcho = next.outputEcho;
            m_sample.force = next.force;
            m_sample.timeStep = next.timeStep;
            m_sample.rpmChange = next.rpmChange;
            m_sample.forceChange = next.forceChange;
            return {FrameOutcome::ForceSpike, row};
        }
        finishStep(next);
    } else {
        finishSweep(next);
    }
    return {FrameOutcome::Accepted, row};
}

FrameDecoder::SampleCells FrameDecoder::sampleCells(const DynoSample& next) const
{
    SampleCells cells;
    const QChar sep = m_locale.decimalSeparator;
    const bool step = m_window == LiveWindow::Step;
    // The step grid keeps its time with a point whatever the locale; the sweep grid follows it.
    cells[0] = formatTimeOfDay(next.time, step ? QLatin1Char('.') : sep);
    cells[1] = formatNumber(next.rollerRpm, u"0.0", sep);
    cells[2] = formatNumber(next.force, u"0.0", sep);
    cells[3] = formatNumber(next.timeStep, u"0.000", sep);
    cells[4] = formatNumber(next.rpmChange, u"0.0", sep);
    cells[5] = formatNumber(next.forceChange, u"0.0", sep);
    if (step) {
        cells[6] = QString::number(next.outputEcho);
        cells[7] = formatNumber(m_station.corr, u"0.0000", sep);
        cells[8] = formatNumber(m_station.temp, u"0.0", sep);
        cells[9] = formatNumber(m_station.baro, u"0.00", sep);
        cells[10] = QString::number(roundHalfEven(m_station.humid));
    } else {
        cells[6] = QStringLiteral("0");
    }
    return cells;
}

void FrameDecoder::updateMotion(DynoSample& next) const
{
    const float angularSpeed = static_cast<float>(next.rollerRpm * RadPerSecondPerRpm);
    if (next.timeStep != 0.0) {
        next.angularAcceleration =
            static_cast<float>((static_cast<double>(angularSpeed) - next.rollerAngularSpeed) / next.timeStep);
        next.forceRate = static_cast<float>(next.forceChange / next.timeStep);
    }
    next.rollerAngularSpeed = angularSpeed;
    next.inertiaTorque = m_window == LiveWindow::Step ? 0.0f : m_inertia * next.angularAcceleration;
    if (next.engineRpm > 0.0)
        next.speedRatio = static_cast<float>(next.rollerRpm / next.engineRpm);
    const double torqueAtRoller = next.force + static_cast<double>(next.inertiaTorque);
    next.engineTorque = static_cast<float>(torqueAtRoller * next.speedRatio);
    next.power = static_cast<float>(torqueAtRoller * next.rollerRpm / PowerDivisor);
    next.roadSpeed = static_cast<float>(next.rollerRpm * m_calibration.rollerFactor);
}

void FrameDecoder::finishStep(DynoSample& next)
{
    if (m_tachRatio == 0.0f) {
        // No tach ratio yet: the engine rpm keeps its last value until the tachometer is set up.
        if (m_display)
            m_display->showStatusText(TachSetupText);
    } else {
        next.engineRpm = static_cast<double>(m_tachRatio) * next.rollerRpm;
        if (m_display)
            m_display->showEngineSpeed(next);
    }
    if (m_display)
        m_display->showLoadGauge(next.angularAcceleration, next.forceRate);

    updateMotion(next);
    const SampleSmoothing::Means means =
        m_smoothing.add(next.power, next.engineTorque, static_cast<float>(next.engineRpm));
    next.smoothedPower = means.power;
    next.smoothedEngineTorque = means.engineTorque;
    next.smoothedEngineRpm = means.engineRpm;
    m_sample = next;

    if (m_display)
        m_display->showValues(displayedValues(next));
    if (m_controller)
        m_controller->runPass(m_sample);
}

void FrameDecoder::finishSweep(DynoSample& next)
{
    next.engineRpm = static_cast<double>(m_tachRatio) * next.rollerRpm;
    m_sample = next;
    if (m_display)
        m_display->showEngineSpeed(m_sample);
    if (m_controller)
        m_controller->runPass(m_sample);

    // The grid keeps the bare force; torque and power take the drag term, the gains and the
    // roller's inertia.
    const double drag = next.rollerRpm * DragPerRpm * m_calibration.dragGain;
    next.force = (next.force + drag + m_calibration.torqueOffset) * m_calibration.torqueGain;
    updateMotion(next);
    m_sample = next;
    if (m_display)
        m_display->showValues(displayedValues(next));
}

DisplayedValues FrameDecoder::displayedValues(const DynoSample& next) const
{
    DisplayedValues v;
    v.roadSpeed = static_cast<double>(next.roadSpeed) * m_factors.speed;
    if (m_window == LiveWindow::Step) {
        v.power = static_cast<double>(next.smoothedPower) * m_factors.power;
        v.engineTorque = static_cast<double>(next.smoothedEngineTorque) * m_factors.force;
        v.correctionPercent = m_station.corr * 100.0 - 100.0;
    } else {
        v.power = static_cast<double>(next.power) * m_factors.power;
        v.engineTorque = static_cast<double>(next.engineTorque) * m_factors.force;
        v.angularAcceleration = next.angularAcceleration;
    }
    return v;
}

} // namespace tolvane
