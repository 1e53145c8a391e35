#include "sim/headless_run.h"

#include <optional>

#include "core/acquisition/acquisition_session.h"
#include "core/acquisition/step_controller.h"
#include "core/acquisition/sweep_controller.h"
#include "core/acquisition/test_file_fields.h"
#include "core/common/clock.h"
#include "core/common/number_text.h"
#include "core/setup/step_script.h"
#include "core/setup/test_setup.h"
#include "core/setup/unit_settings.h"
#include "sim/auto_rider.h"
#include "sim/step_line_truth.h"
#include "sim/virtual_driver.h"

namespace tolvane::sim {

namespace {

constexpr qint64 TickMs = DemoDyno::FrameIntervalMs;
constexpr qint64 StepBaseLimitMs = 120000;
constexpr qint64 StepLimitPerTargetMs = 60000;
constexpr qint64 SweepLimitMs = 300000;

int targetCount(const QStringList& script)
{
    int count = 0;
    for (const QString& line : script)
        if (scriptTarget(line))
            ++count;
    return count;
}

// Record lines of the test proper; warm-up lines carry the "c" prefix.
int testLineCount(const QStringList& lines)
{
    int count = 0;
    for (const QString& line : lines)
        if (!line.startsWith(StepController::WarmUpMarker))
            ++count;
    return count;
}

} // namespace

struct HeadlessRun::Parts {
    Parts(const HeadlessOptions& o, TestSetup& s, const UnitSettings& u, Prompter& p, const TextLocale& l)
        : options(o), setup(s), units(u), locale(l), clock(o.start), dyno(clock, o.dyno), driver(dyno),
          rider(driver, o.recordSamples)
    {
        if (o.kind == TestFileKind::Step) {
            stepSession = std::make_unique<StepSession>(dyno, clock, s, u, p, l);
            step = &stepSession->controller();
            live = stepSession.get();
            stepTruth = std::make_unique<StepLineTruth>(stepSession->decoder().smoothing().depth());
        } else {
            sweepSession = std::make_unique<SweepSession>(dyno, clock, s, u, p, l);
            sweep = &sweepSession->controller();
            live = sweepSession.get();
        }
        live->setCalibration(o.calibration);
    }

    bool finished() const
    {
        if (step)
            return testLineCount(live->memo().lines()) >= targets && step->state() != StepState::Decelerating;
        return saveRequested;
    }

    double setupNumber(TestSetup::Text field) const
    {
        const std::optional<double> value = parseFloat(setup.text(field), locale);
        return value && *value > 0.0 ? *value : 0.0;
    }

    HeadlessOptions options;
    TestSetup& setup;
    const UnitSettings& units;
    TextLocale locale;
    ManualClock clock;
    DemoDyno dyno;
    VirtualDriver driver;
    AutoRider rider;
    std::unique_ptr<StepSession> stepSession;
    std::unique_ptr<SweepSession> sweepSession;
    AcquisitionSession* live = nullptr;
    StepController* step = nullptr;
    SweepController* sweep = nullptr;
    std::unique_ptr<StepLineTruth> stepTruth;
    int targets = 0;
    bool saveRequested = false;
    QString error;
};

HeadlessRun::HeadlessRun(const HeadlessOptions& options, TestSetup& setup, const UnitSettings& units,
                         Prompter& prompter, const TextLocale& locale)
    : m_parts(std::make_unique<Parts>(options, setup, units, prompter, locale))
{
    Parts& p = *m_parts;
    if (p.sweep)
        QObject::connect(p.sweep, &SweepController::saveRequested, [&p] { p.saveRequested = true; });
}

HeadlessRun::~HeadlessRun() = default;

const QString& HeadlessRun::error() const
{
    return m_parts->error;
}

qint64 HeadlessRun::simulatedMs() const
{
    return m_parts->clock.elapsedMs();
}

const DemoDyno& HeadlessRun::dyno() const
{
    return m_parts->dyno;
}

bool HeadlessRun::run()
{
    Parts& p = *m_parts;
    const double tachRatio = p.setupNumber(TestSetup::Text::TachRatio);
    if (tachRatio <= 0.0) {
        p.error = QStringLiteral("The tach ratio \"%1\" is not a number above 0.")
                      .arg(p.setup.text(TestSetup::Text::TachRatio));
        return false;
    }
    qint64 limitMs = p.options.maxSimulatedMs;
    if (p.step) {
        p.targets = targetCount(p.setup.script());
        if (p.targets == 0) {
            p.error = QStringLiteral("The step script holds no target.");
            return false;
        }
        p.step->startFromSetup();
        if (limitMs <= 0)
            limitMs = StepBaseLimitMs + StepLimitPerTargetMs * p.targets;
    } else {
        p.error = p.sweepSession->applySetup();
        if (!p.error.isEmpty())
            return false;
        p.sweep->reset();
        if (limitMs <= 0)
            limitMs = SweepLimitMs;
    }

    p.live->connectUnit();
    if (!p.live->link().isOpen()) {
        p.error = QStringLiteral("The Demo Dyno did not connect: ") + p.live->link().state().connection;
        return false;
    }
    while (!p.finished()) {
        if (p.clock.elapsedMs() >= limitMs) {
            p.error = p.step ? QStringLiteral("The step test did not finish within %1 s of simulated time "
                                              "(%2 of %3 targets recorded, engine at %4 rpm).")
                                   .arg(limitMs / 1000)
                                   .arg(testLineCount(p.live->memo().lines()))
                                   .arg(p.targets)
                                   .arg(qRound(p.dyno.engineRpm()))
                             : QStringLiteral("The sweep did not finish within %1 s of simulated time "
                                              "(engine at %2 rpm).")
                                   .arg(limitMs / 1000)
                                   .arg(qRound(p.dyno.engineRpm()));
            return false;
        }
        p.clock.advanceMs(TickMs);
        const int recordX = p.step ? p.step->recordCount() : 0;
        const qsizetype lines = p.live->memo().count();
        const TickResult ticked = p.live->tick();
        if (p.step && ticked.frameRead && ticked.decode.outcome == FrameOutcome::Accepted) {
            p.stepTruth->addSample(recordX, p.dyno.lastReadTruth());
            if (p.live->memo().count() > lines)
                p.stepTruth->lineWritten(recordX, p.setup.value(TestSetup::Spin::MnSec));
        }
        if (p.step)
            p.rider.steer(*p.step);
        else
            p.rider.steer(*p.sweep, p.setup);
        p.driver.update();
    }
    return true;
}

QStringList HeadlessRun::fileLines(const TestFileHeader& header, const QString& relativePath) const
{
    const Parts& p = *m_parts;
    if (p.step)
        return p.stepSession->fileLines(header, relativePath);
    // No atmospheric window was shown: the save dialog's correction is the factor of the run.
    const double correction = parseFloat(header.correctionText, p.locale).value_or(1.0);
    return p.sweepSession->fileLines(header, relativePath, correction);
}

SaveResult HeadlessRun::save(const SaveTarget& target, const TestFileHeader& header, Prompter& prompter) const
{
    TestFileSaver saver(prompter);
    return saver.save(target, [&](const QString& relative) { return fileLines(header, relative); });
}

std::vector<RecordedPoint> HeadlessRun::compareWithTruth(const QStringList& lines) const
{
    const Parts& p = *m_parts;
    return sim::compareWithTruth(lines, p.options.kind, p.dyno, p.units, p.locale, p.stepTruth.get());
}

} // namespace tolvane::sim
