// tolvane-tool simulate: a whole step or sweep test against the Demo Dyno without a window,
// through the program's own link, decoder, controller, brake command and file writer, faster than
// real time. Writes the test file and prints what was recorded beside the simulator's truth.
//
// Where the file may go: line 2 of a test file is its path below the test library's root, so the
// file must lie below a root. When --out lies below the configured library root ("Root
// Directory", by default <data dir>/dynoruns) that root is used and line 2 holds the path below
// it; otherwise the --out file's own folder is the root of this one run and line 2 is the bare
// file name.
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <utility>
#include <vector>

#include "cli/command.h"
#include "cli/command_line.h"
#include "core/acquisition/test_file_fields.h"
#include "core/common/configuration.h"
#include "core/common/data_paths.h"
#include "core/common/library_path.h"
#include "core/common/number_text.h"
#include "core/common/scripted_prompter.h"
#include "core/common/text_file.h"
#include "core/setup/atmospheric_conditions.h"
#include "core/setup/run_conditions.h"
#include "core/setup/test_setup.h"
#include "core/setup/unit_settings.h"
#include "core/setup/weather_record.h"
#include "sim/demo_calibration.h"
#include "sim/headless_run.h"
#include "sim/vehicle_presets.h"

namespace tolvane::cli {

namespace {

struct RangeOption {
    const char* name;
    TestSetup::Spin spin;
};

constexpr RangeOption RangeOptions[] = {
    {"start", TestSetup::Spin::MnRpm},
    {"end", TestSetup::Spin::RedLine},
    {"inc", TestSetup::Spin::AutoInc},
};

// The last message the run's operator was shown, for the error stream.
QString lastMessage(const ScriptedPrompter& prompter)
{
    return prompter.asked().empty() ? QString() : prompter.asked().back().text;
}

int runSimulate(const Command& self, const QStringList& arguments, CommandIo& io)
{
    const CommandLine cl(
        arguments, {"out", "data-dir", "seed", "noise", "start", "end", "inc", "tach", "notes", "vehicle"},
        {});
    if (!cl.ok())
        return usageError(self, io, cl.error());
    if (cl.positional().size() != 1)
        return usageError(self, io, QStringLiteral("choose one test: step or sweep"));
    const QString kindText = cl.positional().first();
    if (kindText != QLatin1String("step") && kindText != QLatin1String("sweep"))
        return usageError(self, io, QStringLiteral("unknown test \"%1\"").arg(kindText));
    const TestFileKind kind = kindText == QLatin1String("step") ? TestFileKind::Step : TestFileKind::Sweep;
    const std::optional<QString> out = cl.value(QStringLiteral("out"));
    if (!out || out->isEmpty())
        return usageError(self, io, QStringLiteral("--out is required"));

    const TextLocale locale = TextLocale::standard();
    sim::HeadlessOptions options;
    options.kind = kind;
    if (const auto text = cl.value(QStringLiteral("seed"))) {
        const std::optional<std::int64_t> seed = parseInt(*text);
        if (!seed || *seed < 0)
            return usageError(self, io, QStringLiteral("--seed takes a whole number of 0 or more"));
        options.dyno.seed = static_cast<std::uint64_t>(*seed);
    }
    if (const auto text = cl.value(QStringLiteral("noise"))) {
        const std::optional<double> noise = parseFloat(*text, locale);
        if (!noise || !std::isfinite(*noise) || *noise < 0.0)
            return usageError(self, io, QStringLiteral("--noise takes a number of 0 or more"));
        options.dyno.noiseLevel = *noise;
    }
    if (const auto name = cl.value(QStringLiteral("vehicle"))) {
        if (!sim::vehiclePreset(*name)) {
            io.err << "tolvane-tool simulate: unknown vehicle \"" << *name << "\"; choose one of "
                   << sim::vehiclePresetNames().join(QStringLiteral(", ")) << '\n';
            return ExitBadInput;
        }
        options.dyno.vehicle = *name;
    }
    std::optional<double> tach;
    if (const auto text = cl.value(QStringLiteral("tach"))) {
        tach = parseFloat(*text, locale);
        if (!tach || !std::isfinite(*tach) || *tach <= 0.0)
            return usageError(self, io, QStringLiteral("--tach takes a number above 0"));
    }
    std::vector<std::pair<TestSetup::Spin, int>> range;
    for (const RangeOption& option : RangeOptions) {
        if (const auto text = cl.value(QString::fromLatin1(option.name))) {
            const std::optional<std::int64_t> rpm = parseInt(*text);
            if (!rpm || std::abs(*rpm) > 100000)
                return usageError(
                    self, io,
                    QStringLiteral("--%1 takes a whole number of rpm").arg(QLatin1String(option.name)));
            range.emplace_back(option.spin, static_cast<int>(*rpm));
        }
    }

    RunConditions conditions;
    if (const auto notes = cl.value(QStringLiteral("notes"))) {
        const TextReadResult read = readTextLines(*notes);
        if (!read.ok()) {
            io.err << "tolvane-tool simulate: " << read.error->message << '\n';
            return ExitBadInput;
        }
        conditions.setNotes(read.lines);
    }

    const QFileInfo outInfo(*out);
    if (outInfo.isDir()) {
        io.err << "tolvane-tool simulate: " << *out << " is a folder; --out names the test file to write\n";
        return ExitBadInput;
    }

    const DataPaths paths = DataPaths::fromArguments(arguments);
    Configuration config(paths.usbIni(), locale);
    ManualClock probeClock;
    const sim::DemoDyno probe(probeClock, options.dyno);
    const std::optional<QString> calibrationError = sim::storeDemoLoadCell(config, probe);
    options.calibration =
        readLiveCalibration(config, kind == TestFileKind::Step ? LiveWindow::Step : LiveWindow::Sweep);
    if (calibrationError) {
        io.err << "tolvane-tool simulate: the load-cell calibration was not stored (" << *calibrationError
               << "); this run uses the Demo Dyno's own\n";
        options.calibration.loadOffset = probe.loadCellOffset();
        options.calibration.loadSpan = probe.loadCellSpan();
    }
    options.start = toDateTimeValue(QDateTime::currentDateTime());

    UnitSettings units;
    units.load(config);
    ScriptedPrompter prompter;
    TestSetup setup(units, prompter, locale);
    setup.setText(TestSetup::Text::TachRatio,
                  formatNumber(tach.value_or(probe.trueTachRatio()), u"0.0000", locale));
    if (kind == TestFileKind::Sweep)
        setup.setText(TestSetup::Text::InertiaE, formatNumber(probe.setupInertia(), u"0.0000", locale));
    {
        const TestSetup::Batch batch(setup);
        for (const auto& [spin, value] : range)
            setup.setValue(spin, value);
    }
    if (kind == TestFileKind::Step && setup.script().isEmpty() && prompter.asked().empty())
        setup.DefaultBClick();

    sim::HeadlessRun run(options, setup, units, prompter, locale);
    if (!run.run()) {
        io.err << "tolvane-tool simulate: " << run.error() << '\n';
        return ExitBadInput;
    }

    // The save-time rule: usable weather-station values would go straight into the save dialog.
    // The Demo Dyno has none, so the conditions window comes up and the operator accepts the save
    // dialog's standard conditions as they stand.
    WeatherRecord station;
    AtmosphericConditions atmosphere(conditions, prompter, locale);
    atmosphere.chooseConditionsForSave(station);

    const QString configuredRoot = QDir::cleanPath(QFileInfo(config.rootDirectory(paths)).absoluteFilePath());
    const QString fullPath = outInfo.absoluteFilePath();
    SaveTarget target;
    target.libraryRoot =
        storedPathBelow(configuredRoot, fullPath).isEmpty() ? outInfo.absolutePath() : configuredRoot;
    target.directory = outInfo.absolutePath();
    target.fileName = outInfo.fileName();

    TestFileHeader header = testFileHeader(conditions, units, 0.0);
    setCompanyLines(header, config);
    const SaveResult saved = run.save(target, header, prompter);
    if (saved.outcome != SaveOutcome::Written) {
        io.err << "tolvane-tool simulate: " << lastMessage(prompter) << '\n';
        return ExitBadInput;
    }

    const TextReadResult written = readTextLines(saved.fullPath);
    if (!written.ok()) {
        io.err << "tolvane-tool simulate: " << written.error->message << '\n';
        return ExitBadInput;
    }
    io.out << "engine_rpm\tpower\ttorque\ttrue_power\ttrue_torque\n";
    for (const sim::RecordedPoint& p : run.compareWithTruth(written.lines))
        io.out << formatNumber(p.engineRpm, u"0", locale) << '\t' << formatNumber(p.power, u"0.0", locale)
               << '\t' << formatNumber(p.torque, u"0.0", locale) << '\t'
               << formatNumber(p.truePower, u"0.00", locale) << '\t'
               << formatNumber(p.trueTorque, u"0.00", locale) << '\n';
    io.err << "tolvane-tool simulate: wrote " << QDir::toNativeSeparators(saved.fullPath) << " after "
           << formatNumber(run.simulatedMs() / 1000.0, u"0.0", locale) << " s of simulated time\n";
    return ExitOk;
}

} // namespace

Command simulateCommand()
{
    Command c;
    c.name = QStringLiteral("simulate");
    c.usage = QStringLiteral("step|sweep --out FILE [--data-dir DIR] [--seed N] [--noise X] [--start RPM] "
                             "[--end RPM] [--inc RPM] [--tach R] [--notes FILE] [--vehicle NAME]");
    c.run = [c](const QStringList& arguments, CommandIo& io) { return runSimulate(c, arguments, io); };
    return c;
}

} // namespace tolvane::cli
