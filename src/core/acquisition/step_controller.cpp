#include "core/acquisition/step_controller.h"

#include <algorithm>
#include <cmath>

#include "core/acquisition/frame_decoder.h"
#include "core/acquisition/record_memo.h"
#include "core/acquisition/sample_grid.h"
#include "core/common/number_text.h"
#include "core/common/prompter.h"
#include "core/setup/step_script.h"
#include "core/setup/test_setup.h"

namespace tolvane {

namespace {

constexpr double PowerDivisor = 5252.0;
// Recording starts after this many samples per "Min Seconds:" inside the band.
constexpr int AcquireSamplesPerSecond = 3;
// Drawing of the event graph resumes when the record counter, cycling 0..4, reaches 4.
constexpr int RecordCycleLength = 5;
constexpr int RecordCycleResume = 4;

} // namespace

StepController::StepController(FrameDecoder& decoder, SampleGrid& grid, TestSetup& setup, RecordMemo& memo,
                               Prompter& prompter, const TextLocale& locale, QObject* parent)
    : QObject(parent), m_decoder(decoder), m_grid(grid), m_setup(setup), m_memo(memo), m_prompter(prompter),
      m_locale(locale)
{
}

GridPhase StepController::gridPhase() const
{
    switch (m_state) {
    case StepState::Recording:
        return GridPhase::Recording;
    case StepState::Waiting:
        return GridPhase::Waiting;
    default:
        return GridPhase::Other;
    }
}

void StepController::runPass(const DynoSample& sample)
{
    const double engineRpm = sample.engineRpm;
    // The event graph's points of this sample, from which the record line is averaged.
    if (m_recordCount > 0)
        m_trace.addSample(m_recordCount, sample.smoothedEngineRpm, sample.smoothedPower);

    const LiveCalibration& calibration = m_decoder.calibration();
    const bool inBand = !m_tachWindowShowing && m_autoRecord &&
                        calibration.recordTolerance > std::abs(engineRpm - m_target) &&
                        m_setup.value(TestSetup::Spin::Mxfpss) > std::abs(sample.angularAcceleration) &&
                        sample.power > m_setup.value(TestSetup::Spin::MnHP);

    if (inBand) {
        ++m_acquireCount;
        if (m_acquireCount == 1) {
            m_trace.clear();
            m_grid.setRowCount(SampleGrid::AcquireRowCount);
            m_recordCount = 0;
        }
        if (m_acquireCount < AcquireSamplesPerSecond * m_setup.value(TestSetup::Spin::MnSec)) {
            setState(StepState::Acquiring);
        } else {
            setState(StepState::Recording);
            ++m_recordCount;
            emit recordingSample();
        }
    } else {
        if (m_state == StepState::Recording) {
            if (m_skipRecord)
                m_skipRecord = false;
            else
                writeRecordLine();
            m_acquireCount = 0;
            m_recordCount = 0;
            if (m_setup.isChecked(TestSetup::Check::AutoDecellcb))
                m_decelActive = true;
        }
        if (m_state == StepState::Acquiring && m_acquireCount > 0) {
            // A lost target costs one count; the next acquisition goes on from there.
            --m_acquireCount;
        }
        m_recordCount = 0;
        if (m_decelActive) {
            decelerate(engineRpm);
        } else {
            if (!m_tachWindowShowing)
                takeTargetFromScript();
            setState(StepState::Waiting);
        }
    }

    const float ratio = tachRatio();
    if (m_target > engineRpm && m_decelActive)
        stepScript();
    m_output.update(m_target, engineRpm, ratio);
}

void StepController::decelerate(double engineRpm)
{
    const int decelRpm = m_setup.value(TestSetup::Spin::AutoDecell);
    if (m_setup.isChecked(TestSetup::Check::AutoDecellcb)) {
        if (decelRpm + DecelSnapRpm >= engineRpm) {
            setTarget(decelRpm);
        } else {
            const qint64 stepped = roundHalfEven(
                engineRpm - AutoDecelRpmPerForce * m_decoder.calibration().autoDecelerationForce);
            setTarget(stepped > decelRpm ? stepped : decelRpm);
        }
    }
    setState(StepState::Decelerating);
    if (decelRpm > engineRpm) {
        if (m_autoIncrement && m_recordedAtTarget)
            stepScript();
        m_decelActive = false;
    }
}

void StepController::takeTargetFromScript()
{
    // The line is read once per selection, not on every pass that waits for the engine.
    if (m_resolvedLine != m_scriptIndex) {
        const std::optional<int> line = targetLineFrom(m_targets, m_scriptIndex);
        if (!line)
            return;
        m_scriptIndex = *line;
        m_resolvedLine = *line;
        m_resolvedTarget = scriptTarget(m_targets.at(*line)).value_or(m_target);
    }
    setTarget(m_resolvedTarget);
}

void StepController::setTargets(const QStringList& lines)
{
    m_targets = lines;
    m_resolvedLine = -1;
}

void StepController::stepScript()
{
    m_recordedAtTarget = false;
    if (m_autoIncrement)
        m_scriptIndex = m_scriptIndex + 1 < m_targets.size() ? m_scriptIndex + 1 : 0;
    if (const std::optional<int> line = targetLineFrom(m_targets, m_scriptIndex)) {
        m_scriptIndex = *line;
        if (m_warmingUp &&
            scriptTarget(m_targets.at(*line)).value_or(0) > m_setup.value(TestSetup::Spin::WarmTo)) {
            // Warmed up: the test proper starts again from the first target.
            m_scriptIndex = 0;
            m_warmingUp = false;
        }
    }
    takeTargetFromScript();
    setState(StepState::Waiting);
}

void StepController::writeRecordLine()
{
    m_trace.setDrawingSuspended(true);
    m_recordCycle = (m_recordCycle + 1) % RecordCycleLength;

    // Means over the recording without its first and last "Min Seconds:" samples.
    const int minSeconds = m_setup.value(TestSetup::Spin::MnSec);
    double rpmSum = 0.0;
    double powerSum = 0.0;
    int taken = 0;
    for (int x = minSeconds; x <= m_recordCount - minSeconds; ++x) {
        const std::optional<EventTrace::SamplePoint> point = m_trace.sampleAt(x);
        if (!point)
            continue;
        rpmSum += point->rpm;
        powerSum += point->power;
        ++taken;
        m_trace.addMeans(x, rpmSum / taken, powerSum / taken);
    }
    if (taken == 0)
        return;
    const double rpm = rpmSum / taken;
    const double power = powerSum / taken;
    if (rpm < 1.0)
        return;

    const double torque = power * PowerDivisor / rpm;
    const DisplayFactors& factors = m_decoder.displayFactors();
    const double roadSpeed = rpm / static_cast<double>(m_decoder.tachRatio()) *
                             m_decoder.calibration().rollerFactor * factors.speed;
    const QString prefix = m_warmingUp ? WarmUpMarker : QString();
    const QChar separator = m_locale.decimalSeparator;
    const QChar tab = QLatin1Char('\t');
    const QString line = prefix + formatNumber(rpm, u"0", separator) + tab + prefix +
                         formatNumber(roadSpeed, u"0.0", separator) + tab + prefix +
                         formatNumber(power * factors.power, u"0.0", separator) + tab + prefix +
                         formatNumber(torque * factors.force, u"0.0", separator) + tab;
    m_memo.append(line);
    if (m_recordCycle == RecordCycleResume)
        m_trace.setDrawingSuspended(false);
    m_recordPoints.append(QPointF(rpm, power * factors.power * m_decoder.stationValues().corr));
    m_acquireCount = 0;
    m_recordedAtTarget = true;
    emit recordWritten(line);
}

void StepController::setTarget(qint64 target)
{
    m_target = static_cast<int>(std::clamp<qint64>(target, MinTarget, MaxTarget));
}

void StepController::setState(StepState state)
{
    m_state = state;
    switch (state) {
    case StepState::Waiting:
        showText(StatusText::Waiting);
        break;
    case StepState::Acquiring:
        showText(StatusText::Acquiring);
        break;
    case StepState::Recording:
        showText(StatusText::Recording);
        break;
    case StepState::Decelerating:
        showText(StatusText::Decelerating);
        break;
    }
}

void StepController::showText(StatusText text)
{
    m_statusText = text;
    m_statusTarget = m_target;
    switch (text) {
    case StatusText::Ready:
    case StatusText::Waiting:
        m_statusNumber = 0;
        break;
    case StatusText::Acquiring:
        m_statusNumber = m_acquireCount;
        break;
    case StatusText::Recording:
        m_statusNumber = m_recordCount;
        break;
    case StatusText::Decelerating:
        m_statusNumber = m_setup.value(TestSetup::Spin::MnRpm);
        break;
    }
    if (m_operatorStatus && (m_statusText != m_operatorOverText || m_statusNumber != m_operatorOverNumber))
        m_operatorStatus.reset();
}

void StepController::showOperatorStatus(const LiveStatus& status)
{
    m_operatorStatus = status;
    m_operatorOverText = m_statusText;
    m_operatorOverNumber = m_statusNumber;
    emit operatorStatusShown();
}

QString StepController::waitingText(int target)
{
    return QStringLiteral("This Target is  %1,  apply throttle.").arg(target);
}

LiveStatus StepController::status() const
{
    if (m_operatorStatus)
        return *m_operatorStatus;
    LiveStatus status;
    switch (m_state) {
    case StepState::Waiting:
        status.colour = StatusColour::Waiting;
        break;
    case StepState::Acquiring:
        status.colour = StatusColour::Acquiring;
        break;
    case StepState::Recording:
        status.colour = StatusColour::Recording;
        break;
    case StepState::Decelerating:
        status.colour = StatusColour::Decelerating;
        break;
    }
    switch (m_statusText) {
    case StatusText::Ready:
        status.text = QStringLiteral("Ready");
        break;
    case StatusText::Waiting:
        status.text = waitingText(m_statusTarget);
        break;
    case StatusText::Acquiring:
        status.text = QStringLiteral("Target aquired, recording in T - %1.").arg(m_statusNumber);
        break;
    case StatusText::Recording:
        status.text = QStringLiteral("RECORDING, %1Samples.").arg(m_statusNumber);
        break;
    case StatusText::Decelerating:
        status.text = QStringLiteral("Coast down to  %1,  close throttle.Trpm = %2")
                          .arg(m_statusNumber)
                          .arg(m_statusTarget);
        break;
    }
    return status;
}

float StepController::tachRatio()
{
    if (m_decoder.tachRatio() == 0.0f) {
        const std::optional<double> ratio = parseFloat(m_setup.text(TestSetup::Text::TachRatio), m_locale);
        if (ratio && *ratio > 0.0)
            m_decoder.setTachRatio(static_cast<float>(*ratio));
    }
    return m_decoder.tachRatio();
}

void StepController::selectTarget(int line)
{
    if (line < 0 || line >= m_targets.size())
        return;
    m_decelActive = false;
    m_operatorStatus.reset();
    m_scriptIndex = line;
    takeTargetFromScript();
    if (m_state == StepState::Recording) {
        // The recording goes on; only the text tells the new target.
        showText(StatusText::Waiting);
    } else {
        setState(StepState::Waiting);
    }
    m_output.setHold(true);
}

void StepController::manualRecordPressed()
{
    m_autoRecord = true;
}

void StepController::manualRecordReleased()
{
    m_autoRecord = false;
    m_skipRecord = false;
}

void StepController::setAutoRecord(bool checked)
{
    m_autoRecord = checked;
    // Unticking it during a recording throws that recording away.
    m_skipRecord = !checked;
}

void StepController::setAutoDeceleration(bool checked)
{
    m_autoDeceleration = checked;
    if (!checked)
        m_autoIncrement = false;
    copySwitchesToSetup();
}

void StepController::setAutoIncrement(bool checked)
{
    m_autoIncrement = checked;
    if (checked)
        m_autoDeceleration = true;
    copySwitchesToSetup();
}

void StepController::setAutoWarmUp(bool checked)
{
    m_autoWarmUp = checked;
    m_setup.setChecked(TestSetup::Check::WarmToCb, checked);
    m_warmingUp = checked;
}

void StepController::copySwitchesToSetup()
{
    m_setup.setChecked(TestSetup::Check::AutoDecellcb, m_autoDeceleration);
    m_setup.setChecked(TestSetup::Check::AutoInccb, m_autoIncrement);
}

void StepController::startFromSetup()
{
    const std::optional<double> ratio = parseFloat(m_setup.text(TestSetup::Text::TachRatio), m_locale);
    m_decoder.setTachRatio(ratio && *ratio > 0.0 ? static_cast<float>(*ratio) : 0.0f);
    m_autoDeceleration = m_setup.isChecked(TestSetup::Check::AutoDecellcb);
    m_autoIncrement = m_setup.isChecked(TestSetup::Check::AutoInccb);
    m_autoWarmUp = m_setup.isChecked(TestSetup::Check::WarmToCb);
    setTargets(m_setup.script());
    if (m_memo.isEmpty())
        restart();
}

RecordedDataChoice StepController::askAboutRecordedData()
{
    const PromptAnswer answer =
        m_prompter.ask({RestartTitle, RestartText, PromptIcon::Question, PromptButtons::YesNoCancel});
    if (answer == PromptAnswer::Yes)
        return RecordedDataChoice::Save;
    if (answer == PromptAnswer::No)
        return RecordedDataChoice::Proceed;
    return RecordedDataChoice::Keep;
}

RecordedDataChoice StepController::restart()
{
    if (!m_memo.isEmpty()) {
        const RecordedDataChoice choice = askAboutRecordedData();
        if (choice != RecordedDataChoice::Proceed)
            return choice;
    }
    m_autoWarmUp = m_setup.isChecked(TestSetup::Check::WarmToCb);
    m_warmingUp = m_autoWarmUp;
    m_acquireCount = 0;
    m_operatorStatus.reset();
    m_recordPoints.clear();
    m_memo.clear();
    setTargets(m_setup.script());
    m_scriptIndex = 0;
    takeTargetFromScript();
    setState(StepState::Waiting);
    m_grid.reset();
    m_decelActive = false;
    emit restarted();
    return RecordedDataChoice::Proceed;
}

RecordedDataChoice StepController::leaveForGraphs()
{
    if (m_memo.isEmpty())
        return RecordedDataChoice::Proceed;
    const RecordedDataChoice choice = askAboutRecordedData();
    if (choice == RecordedDataChoice::Proceed)
        m_memo.clear();
    return choice;
}

RecordedDataChoice StepController::confirmExit()
{
    // Asked for a single record line too: leaving must not lose a recorded target unasked.
    if (m_memo.isEmpty())
        return RecordedDataChoice::Proceed;
    const PromptAnswer answer =
        m_prompter.ask({ExitTitle, ExitText, PromptIcon::Question, PromptButtons::YesNo});
    return answer == PromptAnswer::Yes ? RecordedDataChoice::Save : RecordedDataChoice::Proceed;
}

} // namespace tolvane
