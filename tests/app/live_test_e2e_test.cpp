// Whole live tests through the whole program, as an operator runs them on the Demo Dyno from a
// first start: New Test, the test type and range in the setup, "Test", the Auto rider, the ticks
// of the live window on a manual clock, the atmospheric window, the save dialog, and the graph
// screen with the new run; the saved lines judged against the dyno's own truth.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>

#include "app/application_context.h"
#include "app/live_testing.h"
#include "core/acquisition/acquisition_session.h"
#include "core/acquisition/step_controller.h"
#include "core/analysis/series.h"
#include "core/common/clock.h"
#include "core/common/number_text.h"
#include "core/common/scripted_prompter.h"
#include "core/common/text_file.h"
#include "core/setup/test_type.h"
#include "sim/demo_rider.h"
#include "sim/step_line_truth.h"
#include "sim/truth_comparison.h"
#include "support/ui_items.h"
#include "ui/acquisition/step_test_menus.h"
#include "ui/acquisition/step_test_window.h"
#include "ui/acquisition/sweep_test_window.h"
#include "ui/setup/atmospheric_window.h"
#include "ui/setup/test_setup_window.h"
#include "ui/shell/company_dialog.h"
#include "ui/shell/main_window.h"
#include "ui/shell/save_dialog.h"

namespace tolvane {
namespace {

using Spin = TestSetup::Spin;
using Text = TestSetup::Text;

// 10 Dec 2026 at 10:00.
constexpr DateTimeValue Start = 46366.0 + 10.0 / 24.0;
constexpr qint64 TickMs = 40;

struct Range {
    int start;
    int end;
    int increment;
};

const QString CompanyName = QStringLiteral("Tolvane Test Shop");
const QString CompanyAddress = QStringLiteral("1 Roller Lane");

// The operator of a first start: asked for the company, types it and presses OK; the library
// folder offered next is taken as it stands.
struct FirstStartOperator {
    FirstStartOperator()
    {
        prompter.queueModal([](QObject& dialog) {
            auto& company = dynamic_cast<TCmpNamef&>(dialog);
            company.comp1()->setText(CompanyName);
            company.comp2()->setText(CompanyAddress);
            company.OKBtnClick();
            return true;
        });
    }
    ScriptedPrompter prompter;
};

// The program on a first start in an empty data directory, the operator's answers scripted and
// time stepped by hand.
struct Program {
    Program()
        : context({QStringLiteral("tolvane"), QStringLiteral("--data-dir"), dir.path()}, prompter, clock),
          live(context.liveTesting())
    {
    }
    QString root() const { return dir.filePath(QStringLiteral("dynoruns")); }
    sim::DemoDyno& dyno() const { return live.demoRider()->dyno(); }

    // New Test, the type and range chosen in the setup, the dyno's tach ratio (and inertia) typed
    // in, "Test", and the Auto rider switched on.
    void startTest(TestType type, const Range& range)
    {
        test::item(context.mainWindow(), "NewTest1").trigger();
        TSetupF& setup = live.setupWindow();
        EXPECT_TRUE(setup.isVisible());
        setup.testTypeButtons()->button(static_cast<int>(type))->click();
        setup.spin(Spin::MnRpm)->setValue(range.start);
        setup.spin(Spin::RedLine)->setValue(range.end);
        setup.spin(Spin::AutoInc)->setValue(range.increment);
        const TextLocale locale = TextLocale::system();
        TestSetup& model = context.testSetup();
        model.setText(Text::TachRatio, formatNumber(dyno().trueTachRatio(), u"0.0000", locale));
        if (runsInSweepWindow(type))
            model.setText(Text::InertiaE, formatNumber(dyno().setupInertia(), u"0.0000", locale));
        setup.ApplyBClick();
        EXPECT_FALSE(setup.isVisible());
        live.demoRider()->setAuto(true);
    }

    // Ticks the step window until every target has its line and the deceleration is over; the
    // line each recording should give is taken from the dyno's exact frames alongside.
    int runStep(sim::StepLineTruth& truth, int maxTicks)
    {
        TDisply& window = live.stepWindow();
        StepSession& session = live.stepSession();
        const StepController& controller = session.controller();
        int recordX = 0;
        const QMetaObject::Connection feed =
            QObject::connect(&session, &AcquisitionSession::frameDecoded, [&](const TickResult& result) {
                if (result.decode.outcome == FrameOutcome::Accepted)
                    truth.addSample(recordX, dyno().lastReadTruth());
            });
        const auto targets = static_cast<qsizetype>(controller.targets().size());
        int ticks = 0;
        while (ticks < maxTicks &&
               (session.memo().count() < targets || controller.state() == StepState::Decelerating)) {
            recordX = controller.recordCount();
            const qsizetype lines = session.memo().count();
            clock.advanceMs(TickMs);
            window.Timer1Timer();
            if (session.memo().count() > lines)
                truth.lineWritten(recordX, context.testSetup().value(Spin::MnSec));
            ++ticks;
        }
        QObject::disconnect(feed);
        return ticks;
    }

    // Ticks the sweep window until the sweep asks for its save (delivered after the tick).
    int runSweep(int maxTicks)
    {
        TAccF& window = live.sweepWindow();
        bool asked = false;
        const QMetaObject::Connection seen =
            QObject::connect(&window, &TAccF::saveRequested, [&asked] { asked = true; });
        int ticks = 0;
        while (ticks < maxTicks && !asked) {
            clock.advanceMs(TickMs);
            window.Timer1Timer();
            QCoreApplication::processEvents();
            ++ticks;
        }
        QObject::disconnect(seen);
        return ticks;
    }

    // The atmospheric window the save request brought up: standard-day entries and OK; then the
    // save dialog with the run's folder and name.
    TTstTypeF& answerConditions(const QString& folder, const QString& fileName)
    {
        TAtomComdF& atmosphere = context.atmosphericWindow();
        EXPECT_TRUE(atmosphere.isVisible());
        AtmosphericConditions& model = context.atmosphere();
        model.setTmpB(QStringLiteral("77"));
        model.setPSIB(QStringLiteral("29.92"));
        model.setHumdtyb(QStringLiteral("30"));
        EXPECT_TRUE(model.okEnabled());
        atmosphere.OkBClick();
        TTstTypeF& dialog = context.saveDialog();
        EXPECT_FALSE(atmosphere.isVisible());
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_TRUE(QDir().mkpath(folder));
        context.runConditions().setFolder(folder);
        context.runConditions().setFileName(fileName);
        return dialog;
    }

    QTemporaryDir dir;
    FirstStartOperator firstStart;
    ScriptedPrompter& prompter = firstStart.prompter;
    ManualClock clock{Start};
    ApplicationContext context;
    LiveTesting& live;
};

// The data lines of a saved file: from `skip` lines below the column headings (1 in a step file,
// 2 in a sweep file, whose headings have a blank line below them) to "end.".
QStringList dataLines(const QStringList& lines, const QString& heading, int skip)
{
    const qsizetype at = lines.indexOf(heading);
    const qsizetype end = lines.indexOf(QStringLiteral("end."));
    if (at < 0 || end < at + skip)
        return {};
    return lines.mid(at + skip, end - at - skip);
}

// The factor the file says its power and torque were corrected by.
double appliedCorrection(const QStringList& lines, const TextLocale& locale)
{
    const QString key = QStringLiteral("Correction Factor Applied - ");
    for (const QString& line : lines)
        if (line.startsWith(key))
            return parseFloat(line.mid(key.size()), locale).value_or(0.0);
    return 0.0;
}

TEST(LiveTestEndToEnd, AWholeTestSavedThenGraphedMatchesTheDynosTruth)
{
    struct Case {
        const char* name;
        TestType type;
        Range range;
        const char* fileName;
        int maxTicks;
    };
    const Case cases[] = {
        {"step", TestType::StepTest, {5000, 9000, 2000}, "01demo.STP", 5000},
        {"sweep", TestType::SweepTest, {5000, 11000, 1000}, "01demo.SWP", 5000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Program program;
        const bool step = c.type == TestType::StepTest;
        ASSERT_NO_FATAL_FAILURE(program.startTest(c.type, c.range));
        LiveTesting& live = program.live;
        sim::StepLineTruth truth(live.stepSession().decoder().smoothing().depth());
        if (step) {
            ASSERT_TRUE(live.stepWindow().isVisible());
            EXPECT_EQ(program.context.testSetup().script(),
                      (QStringList{QStringLiteral("5000"), QStringLiteral("7000"), QStringLiteral("9000")}));
            const int ticks = program.runStep(truth, c.maxTicks);
            ASSERT_LT(ticks, c.maxTicks) << live.stepSession().memo().lines().join(u'|').toStdString();
            live.stepWindow().menus().SaveData1->trigger();
        } else {
            ASSERT_TRUE(live.sweepWindow().isVisible());
            ASSERT_LT(program.runSweep(c.maxTicks), c.maxTicks);
        }

        const QString folder = program.root() + QStringLiteral("/Demo/Stock");
        const QString path = folder + QLatin1Char('/') + QLatin1String(c.fileName);
        TTstTypeF& dialog = program.answerConditions(folder, QLatin1String(c.fileName));
        dialog.STGraphClick();

        // The file in the library, line 2 its place below the root.
        ASSERT_TRUE(QFile::exists(path));
        const QStringList lines = readTextLines(path).lines;
        ASSERT_GT(lines.size(), 2);
        EXPECT_EQ(lines[1], QStringLiteral("Demo\\Stock\\") + QLatin1String(c.fileName));
        EXPECT_EQ(lines.mid(lines.size() - 2), (QStringList{CompanyName, CompanyAddress}));
        const UnitSettings& units = program.context.units();
        const QString heading = units.engineSpeedUnit() + QLatin1Char('\t') + units.roadSpeedUnit() +
                                QLatin1Char('\t') + units.powerUnitLabel() + QLatin1Char('\t') +
                                units.forceUnit() + QLatin1Char('\t') +
                                (step ? units.egaHeadings() : QStringLiteral("Acc \tD_Tq \tS_Tq \tAngO \t"));
        const QStringList data = dataLines(lines, heading, step ? 1 : 2);
        if (step)
            EXPECT_EQ(data.size(), 3);
        else
            EXPECT_GT(data.size(), 100);

        // The graph screen with the new run: first in the selection, the viewer's run, plotted.
        EXPECT_FALSE(live.stepWindow().isVisible());
        EXPECT_FALSE(live.sweepWindow().isVisible());
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_TRUE(program.context.mainWindow().isVisible());
        EXPECT_EQ(program.context.viewer().currentFile(), path);
        const Selection& selection = program.context.selection();
        ASSERT_EQ(selection.runCount(), 1);
        EXPECT_EQ(QDir::cleanPath(selection.row(1).path), QDir::cleanPath(path));
        const Series* plotted = program.context.chart().series(1);
        ASSERT_NE(plotted, nullptr);
        EXPECT_FALSE(plotted->points.empty());

        // Power and torque against the dyno, the file's correction taken off again.
        const TextLocale locale = TextLocale::system();
        const double correction = appliedCorrection(lines, locale);
        ASSERT_GT(correction, 0.5);
        const std::vector<sim::RecordedPoint> points =
            sim::compareWithTruth(lines, step ? TestFileKind::Step : TestFileKind::Sweep, program.dyno(),
                                  units, locale, step ? &truth : nullptr);
        int checked = 0;
        double worstPower = 0.0;
        double worstTorque = 0.0;
        for (const sim::RecordedPoint& p : points) {
            if (!step && (p.engineRpm < c.range.start + 500 || p.engineRpm > c.range.end - 500))
                continue;
            ++checked;
            const double power = p.power / correction;
            const double torque = p.torque / correction;
            worstPower = std::max(worstPower, std::abs(power / p.truePower - 1.0));
            worstTorque = std::max(worstTorque, std::abs(torque / p.trueTorque - 1.0));
            // The file's last digit (0.05) comes on top of each tolerance.
            const double tolerance = step ? 0.005 : 0.01;
            EXPECT_NEAR(power, p.truePower, 0.05 + tolerance * p.truePower) << p.engineRpm;
            EXPECT_NEAR(torque, p.trueTorque, 0.05 + tolerance * p.trueTorque) << p.engineRpm;
            if (step) {
                EXPECT_NEAR(p.engineRpm, c.range.start + c.range.increment * (checked - 1), 10.0);
                EXPECT_NEAR(power, p.wideOpenPower, 0.05 + tolerance * p.wideOpenPower) << p.engineRpm;
            }
        }
        // The worst errors go into the test report (--gtest_output=xml) for the record.
        ::testing::Test::RecordProperty(step ? "step_worst_power_error" : "sweep_worst_power_error",
                                        std::to_string(worstPower));
        ::testing::Test::RecordProperty(step ? "step_worst_torque_error" : "sweep_worst_torque_error",
                                        std::to_string(worstTorque));
        if (step)
            EXPECT_EQ(checked, 3);
        else
            EXPECT_GT(checked, 100);
        // A clean run asks the operator nothing beyond the windows it went through.
        EXPECT_EQ(program.prompter.askedTexts(), QStringList());
        EXPECT_EQ(program.prompter.modalWindows(),
                  (QStringList{QStringLiteral("TCmpNamef"), QStringLiteral("TCngDir")}));
    }
}

// "Save then test" writes the step run and starts the next one: the memo cleared, the step reset
// to its first target, the setup shown for the next run's changes. A declined overwrite writes
// nothing, keeps the lines and brings the save dialog back.
TEST(LiveTestEndToEnd, SaveThenTestStartsTheNextStepTestOnlyWhenTheFileIsWritten)
{
    struct Case {
        const char* name;
        bool existing; // a file of that name is there, and the overwrite is declined
    };
    const Case cases[] = {{"written", false}, {"overwrite declined", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Program program;
        ASSERT_NO_FATAL_FAILURE(program.startTest(TestType::StepTest, {5000, 7000, 2000}));
        LiveTesting& live = program.live;
        TDisply& window = live.stepWindow();
        sim::StepLineTruth truth;
        ASSERT_LT(program.runStep(truth, 5000), 5000);
        const QStringList recorded = live.stepSession().memo().lines();
        ASSERT_EQ(recorded.size(), 2);
        window.menus().SaveData1->trigger();

        const QString folder = program.root() + QStringLiteral("/Demo/Stock");
        const QString path = folder + QStringLiteral("/01demo.STP");
        TTstTypeF& dialog = program.answerConditions(folder, QStringLiteral("01demo.STP"));
        if (c.existing) {
            ASSERT_FALSE(writeTextLines(path, {QStringLiteral("old")}).has_value());
            program.prompter.queueAnswer(PromptAnswer::Cancel);
        }
        dialog.button("STTest")->click();

        EXPECT_TRUE(window.isVisible());
        const StepController& controller = live.stepSession().controller();
        if (c.existing) {
            EXPECT_EQ(readTextLines(path).lines, QStringList{QStringLiteral("old")});
            EXPECT_EQ(live.stepSession().memo().lines(), recorded);
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_FALSE(live.setupWindow().isVisible());
        } else {
            const QStringList lines = readTextLines(path).lines;
            for (const QString& line : recorded)
                EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const QString& saved) {
                    return saved.section(u'\t', 0, 1) == line.section(u'\t', 0, 1);
                })) << line.toStdString();
            EXPECT_TRUE(live.stepSession().memo().isEmpty());
            EXPECT_TRUE(window.Memo1()->toPlainText().isEmpty());
            EXPECT_FALSE(dialog.isVisible());
            EXPECT_TRUE(live.setupWindow().isVisible());
            EXPECT_EQ(controller.scriptIndex(), 0);
            EXPECT_EQ(controller.target(), 5000);
            EXPECT_EQ(controller.state(), StepState::Waiting);
            EXPECT_TRUE(live.stepSession().link().isOpen());
        }
    }
}

} // namespace
} // namespace tolvane
