#include "core/acquisition/sweep_controller.h"

#include <algorithm>
#include <cmath>

#include "core/acquisition/brake_command.h"
#include "core/acquisition/frame_decoder.h"
#include "core/acquisition/record_memo.h"
#include "core/acquisition/sample_grid.h"
#include "core/common/number_text.h"
#include "core/common/prompter.h"
#include "core/setup/test_setup.h"

namespace tolvane {

SweepController::SweepController(FrameDecoder& decoder, SampleGrid& grid, const TestSetup& setup,
                                 RecordMemo& memo, Prompter& prompter, QObject* parent)
    : QObject(parent), m_decoder(decoder), m_grid(grid), m_setup(setup), m_memo(memo), m_prompter(prompter)
{
    setTarget(m_setup.value(TestSetup::Spin::MnRpm));
}

GridPhase SweepController::gridPhase() const
{
    switch (m_state) {
    case SweepState::Recording:
        return GridPhase::Recording;
    case SweepState::Waiting:
        return GridPhase::Waiting;
    default:
        return GridPhase::Other;
    }
}

std::int64_t SweepController::outputCode() const
{
    return sweepOutputCode(m_target, m_decoder.tachRatio());
}

void SweepController::runPass(const DynoSample& sample)
{
    const double engineRpm = sample.engineRpm;
    const int start = m_setup.value(TestSetup::Spin::MnRpm);
    const int redline = m_setup.value(TestSetup::Spin::RedLine);
    m_engineRpm = engineRpm;

    // Each step acts on the state the previous one may just have entered.
    if (m_holdCount < HoldSamples && m_state == SweepState::Waiting) {
        if (std::abs(engineRpm - start) < HoldBandRpm)
            ++m_holdCount;
        else if (m_holdCount > 0)
            --m_holdCount;
        setTarget(start);
        showText(
            QStringLiteral("Hold throttle steady! Sweep Will Start in %1").arg(HoldSamples - m_holdCount));
    } else if (m_state == SweepState::Waiting) {
        enter(SweepState::Recording);
    }

    if (m_state == SweepState::Recording && engineRpm < redline) {
        if (engineRpm < start - ResetDropRpm && reset()) {
            // The run is gone: hold the start speed again rather than send the sweep code.
            setTarget(start);
        } else {
            setTarget(SweepCode);
            showText(QStringLiteral("Recording! Steady Throttle to %1").arg(redline));
        }
    } else if (m_state == SweepState::Recording) {
        enter(SweepState::Braking);
    }

    if (m_state == SweepState::Braking && engineRpm > start) {
        if (engineRpm > start + BrakeDownRpm)
            setTarget(roundHalfEven(engineRpm - BrakeDownRpm));
        showText(QStringLiteral(" Close throttle! Brakedown to %1").arg(start));
    } else if (m_state == SweepState::Braking) {
        enter(SweepState::Complete);
    }

    if (m_state == SweepState::Complete) {
        setTarget(CompleteTarget);
        // One save request per run, and none for a run the operator has asked to reset.
        if (!m_saveRequested && !m_resetPending) {
            m_saveRequested = true;
            showText(CompleteText);
            emit saveRequested();
        }
    }

    if (engineRpm < start && m_resetPending)
        reset();
}

bool SweepController::reset()
{
    if (m_setup.value(TestSetup::Spin::MnRpm) < m_engineRpm) {
        m_resetPending = true;
        m_status.text = ResetPendingText;
        return false;
    }
    m_resetPending = false;
    if (!m_memo.isEmpty()) {
        const PromptAnswer answer =
            m_prompter.ask({ResetTitle, ResetText, PromptIcon::Question, PromptButtons::YesNo});
        if (answer != PromptAnswer::Yes)
            return false;
    }
    m_memo.clear();
    enter(SweepState::Waiting);
    showText(ReadyText);
    m_holdCount = 0;
    m_saveRequested = false;
    setTarget(m_setup.value(TestSetup::Spin::MnRpm));
    m_grid.reset();
    return true;
}

void SweepController::saved()
{
    m_resetPending = false;
    enter(SweepState::Saved);
    showText(SavedText);
    reset();
}

RecordedDataChoice SweepController::leaveForGraphs()
{
    if (m_memo.isEmpty())
        return RecordedDataChoice::Proceed;
    const PromptAnswer answer =
        m_prompter.ask({LeaveTitle, LeaveText, PromptIcon::Question, PromptButtons::YesNo});
    return answer == PromptAnswer::Yes ? RecordedDataChoice::Save : RecordedDataChoice::Proceed;
}

void SweepController::setTarget(std::int64_t target)
{
    m_target = static_cast<int>(std::clamp<std::int64_t>(target, MinTarget, MaxTarget));
}

void SweepController::enter(SweepState state)
{
    m_state = state;
    switch (state) {
    case SweepState::Waiting:
        m_status.colour = StatusColour::Waiting;
        break;
    case SweepState::Recording:
        m_status.colour = StatusColour::Recording;
        break;
    case SweepState::Braking:
        m_status.colour = StatusColour::Braking;
        break;
    case SweepState::Complete:
        m_status.colour = StatusColour::Complete;
        break;
    case SweepState::Saved:
        m_status.colour = StatusColour::Saved;
        break;
    }
}

void SweepController::showText(const QString& text)
{
    // A pending reset keeps its text until it happens, so the operator sees it was taken.
    if (!m_resetPending)
        m_status.text = text;
}

} // namespace tolvane
