#include "sim/headless_run.h"

#include <optional>

#include "core/acquisition/black_box_frame.h"
#include "core/acquisition/black_box_link.h"
#include "core/acquisition/brake_command.h"
#include "core/acquisition/frame_decoder.h"
#include "core/acquisition/record_memo.h"
#include "core/acquisition/sample_grid.h"
#include "core/acquisition/step_controller.h"
#include "core/acquisition/sweep_controller.h"
#include "core/acquisition/test_file_fields.h"
#include "core/common/clock.h"
#include "core/common/number_text.h"
#include "core/common/prompter.h"
#include "core/setup/step_script.h"
#include "core/setup/test_setup.h"
#include "core/setup/unit_settings.h"
#include "sim/step_line_truth.h"
#include "sim/virtual_driver.h"

namespace tolvane::sim {

namespace {

constexpr qint64 TickMs = DemoDyno::FrameIntervalMs;
constexpr qint64 StepBaseLimitMs = 120000;
constexpr qint64 StepLimitPerTargetMs = 60000;
constexpr qint64 SweepLimitMs = 300000;

LiveWindow windowOf(TestFileKind kind)
{
    return kind == TestFileKind::Step ? LiveWindow::Step : LiveWindow::Sweep;
}

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
        : options(o), setup(s), units(u), prompter(p), locale(l), clock(o.start), dyno(clock, o.dyno),
          driver(dyno), link(dyno, windowOf(o.kind)), grid(windowOf(o.kind)),
          decoder(windowOf(o.kind), grid, l)
    {
    }

    BrakeLoopSettings loopSettings() const
    {
        BrakeLoopSettings loop;
        loop.accelerationMultiplication = setup.value(TestSetup::Spin::AMFSB);
        loop.feedbackDivider = setup.value(TestSetup::Spin::FDFSB);
        loop.targetAcceleration = setup.value(TestSetup::Spin::WWRider);
        return loop;
    }

    BlackBoxCommandBytes command() const
    {
        if (step)
            return step->output().command(loopSettings()).bytes();
        return BrakeCommand(LiveWindow::Sweep, sweep->outputCode(), loopSettings()).bytes();
    }

    bool finished() const
    {
        if (step)
            return testLineCount(memo.lines()) >= targets && step->state() != StepState::Decelerating;
        return saveRequested;
    }

    // The operator's part, read from the status bar's state.
    void steerRider()
    {
        if (step) {
            switch (step->state()) {
            case StepState::Decelerating:
                driver.coast();
                break;
            case StepState::Recording:
                if (step->recordCount() >= options.recordSamples)
                    driver.coast();
                else
                    driver.reach(step->target());
                break;
            default:
                driver.reach(step->target());
                break;
            }
            return;
        }
        switch (sweep->state()) {
        case SweepState::Waiting:
            driver.sweepHold(setup.value(TestSetup::Spin::MnRpm));
            break;
        case SweepState::Recording:
            driver.sweepRun();
            break;
        default:
            driver.coast();
            break;
        }
    }

    double setupNumber(TestSetup::Text field) const
    {
        const std::optional<double> value = parseFloat(setup.text(field), locale);
        return value && *value > 0.0 ? *value : 0.0;
    }

    HeadlessOptions options;
    TestSetup& setup;
    const UnitSettings& units;
    Prompter& prompter;
    TextLocale locale;
    ManualClock clock;
    DemoDyno dyno;
    VirtualDriver driver;
    BlackBoxLink link;
    SampleGrid grid;
    FrameDecoder decoder;
    RecordMemo memo;
    std::unique_ptr<StepController> step;
    std::unique_ptr<SweepController> sweep;
    StepLineTruth stepTruth{decoder.smoothing().depth()};
    int targets = 0;
    bool saveRequested = false;
    QString error;
};

HeadlessRun::HeadlessRun(const HeadlessOptions& options, TestSetup& setup, const UnitSettings& units,
                         Prompter& prompter, const TextLocale& locale)
    : m_parts(std::make_unique<Parts>(options, setup, units, prompter, locale))
{
    Parts& p = *m_parts;
    p.decoder.setCalibration(options.calibration);
    p.decoder.setDisplayFactors({units.speedFactor(), units.powerFactor(), units.forceFactor()});
    if (options.kind == TestFileKind::Step) {
        p.step = std::make_unique<StepController>(p.decoder, p.grid, setup, p.memo, prompter, locale);
        p.decoder.setController(p.step.get());
    } else {
        p.sweep = std::make_unique<SweepController>(p.decoder, p.grid, setup, p.memo, prompter);
        p.decoder.setController(p.sweep.get());
        QObject::connect(p.sweep.get(), &SweepController::saveRequested, [&p] { p.saveRequested = true; });
    }
}

HeadlessRun::~HeadlessRun()
{
    m_parts->decoder.setController(nullptr);
}

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
        const double inertia = p.setupNumber(TestSetup::Text::InertiaE);
        if (inertia <= 0.0) {
            p.error = QStringLiteral("The inertia \"%1\" is not a number above 0.")
                          .arg(p.setup.text(TestSetup::Text::InertiaE));
            return false;
        }
        p.decoder.setTachRatio(static_cast<float>(tachRatio));
        p.decoder.setInertia(static_cast<float>(inertia));
        p.sweep->reset();
        if (limitMs <= 0)
            limitMs = SweepLimitMs;
    }

    p.link.connectUnit(p.command());
    if (!p.link.isOpen()) {
        p.error = QStringLiteral("The Demo Dyno did not connect: ") + p.link.state().connection;
        return false;
    }
    const LiveWindow window = windowOf(p.options.kind);
    while (!p.finished()) {
        if (p.clock.elapsedMs() >= limitMs) {
            p.error = p.step ? QStringLiteral("The step test did not finish within %1 s of simulated time "
                                              "(%2 of %3 targets recorded, engine at %4 rpm).")
                                   .arg(limitMs / 1000)
                                   .arg(testLineCount(p.memo.lines()))
                                   .arg(p.targets)
                                   .arg(qRound(p.dyno.engineRpm()))
                             : QStringLiteral("The sweep did not finish within %1 s of simulated time "
                                              "(engine at %2 rpm).")
                                   .arg(limitMs / 1000)
                                   .arg(qRound(p.dyno.engineRpm()));
            return false;
        }
        p.clock.advanceMs(TickMs);
        if (const std::optional<QByteArray> frame = p.link.poll(p.command())) {
            const int recordX = p.step ? p.step->recordCount() : 0;
            const qsizetype lines = p.memo.lines().size();
            const DecodeResult decoded = p.decoder.decode(BlackBoxFrame(window, *frame), p.clock.now());
            if (p.step && decoded.outcome == FrameOutcome::Accepted) {
                p.stepTruth.addSample(recordX, p.dyno.lastReadTruth());
                if (p.memo.lines().size() > lines)
                    p.stepTruth.lineWritten(recordX, p.setup.value(TestSetup::Spin::MnSec));
            }
        }
        p.steerRider();
        p.driver.update();
    }
    return true;
}

QStringList HeadlessRun::fileLines(const TestFileHeader& header, const QString& relativePath) const
{
    const Parts& p = *m_parts;
    TestFileHeader h = header;
    h.relativePath = relativePath;
    h.savedAt = p.clock.now();
    h.tachRatio = p.decoder.tachRatio();
    const SetupBlockValues block = setupBlockValues(p.setup);
    if (p.step)
        return buildStepFile(h, p.memo.lines(), block, p.locale);

    GridRows rows;
    for (int r = 0; r < p.grid.rowCount(); ++r)
        rows << p.grid.row(r);
    purgeMarkedRows(rows, p.locale);
    SweepPhysics physics;
    physics.tachRatio = p.decoder.tachRatio();
    physics.rollerFactor = p.decoder.calibration().rollerFactor;
    physics.inertia = p.setupNumber(TestSetup::Text::InertiaE);
    // No atmospheric window was shown: the save dialog's correction is the factor of the run.
    physics.correction = parseFloat(h.correctionText, p.locale).value_or(1.0);
    physics.corrFactor = physics.correction;
    physics.powerFactor = p.units.powerFactor();
    physics.forceFactor = p.units.forceFactor();
    return buildSweepFile(h, rows, physics, block, p.locale);
}

SaveResult HeadlessRun::save(const SaveTarget& target, const TestFileHeader& header, Prompter& prompter) const
{
    TestFileSaver saver(prompter);
    return saver.save(target, [&](const QString& relative) { return fileLines(header, relative); });
}

std::vector<RecordedPoint> HeadlessRun::compareWithTruth(const QStringList& lines) const
{
    const Parts& p = *m_parts;
    const QString heading =
        p.units.engineSpeedUnit() + QLatin1Char('\t') + p.units.roadSpeedUnit() + QLatin1Char('\t');
    qsizetype at = 0;
    while (at < lines.size() && !lines[at].startsWith(heading))
        ++at;
    // The step file's power and torque carry the unit multipliers; the sweep file's do not.
    const double powerFactor = p.step ? p.units.powerFactor() : 1.0;
    const double forceFactor = p.step ? p.units.forceFactor() : 1.0;
    std::vector<RecordedPoint> points;
    // The k-th data line of a step file is the k-th line of the record memo.
    std::size_t line = 0;
    for (++at; at < lines.size() && lines[at] != QLatin1String("end."); ++at, ++line) {
        const QStringList fields = lines[at].split(QLatin1Char('\t'));
        if (fields.size() < 4)
            continue;
        const std::optional<double> rpm = parseFloat(fields[0], p.locale);
        const std::optional<double> power = parseFloat(fields[2], p.locale);
        const std::optional<double> torque = parseFloat(fields[3], p.locale);
        if (!rpm || !power || !torque || *rpm <= 0.0)
            continue;
        RecordedPoint point;
        point.engineRpm = *rpm;
        point.power = *power;
        point.torque = *torque;
        const double wideOpen = p.dyno.trueWheelPower(*rpm, 1.0);
        point.wideOpenPower = wideOpen * powerFactor;
        // A step line is checked against the line exact frames give (step_line_truth.h); a sweep
        // line states the wheel power itself, the roller's acceleration taken into account.
        double truth = wideOpen;
        double truthRpm = *rpm;
        const auto& stepLines = p.stepTruth.lines();
        if (p.step && line < stepLines.size() && stepLines[line].engineRpm >= 1.0) {
            truth = stepLines[line].power;
            truthRpm = stepLines[line].engineRpm;
        }
        point.truePower = truth * powerFactor;
        point.trueTorque = truth * FrameDecoder::PowerDivisor / truthRpm * forceFactor;
        points.push_back(point);
    }
    return points;
}

} // namespace tolvane::sim
