#include "app/live_grab.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include "app/application_context.h"
#include "app/live_testing.h"
#include "core/acquisition/acquisition_session.h"
#include "core/acquisition/step_controller.h"
#include "core/acquisition/sweep_controller.h"
#include "core/setup/test_setup.h"
#include "sim/demo_rider.h"
#include "ui/acquisition/demo_dyno_window.h"
#include "ui/acquisition/step_test_window.h"
#include "ui/acquisition/sweep_test_window.h"
#include "ui/setup/load_cell_window.h"
#include "ui/setup/tach_ratio_window.h"
#include "ui/setup/test_setup_window.h"
#include "ui/shell/new_test_help_dialog.h"

namespace tolvane {

namespace {

// A step test reaches its second target and records there well inside this; a sweep of the
// demo vehicle takes about half of it.
constexpr int TestLimitMs = 90000;
// Well into a sweep's recording, the engine halfway up the range.
constexpr int SweepRecordingMs = 3000;
// Long enough for the gauges and the Demo Dyno's readings to follow a running engine.
constexpr int WarmUpMs = 5000;
constexpr int ShownMs = 1500;

// New Test as the operator starts it, without the New Test help over the windows.
void showSetup(LiveTesting& live)
{
    live.Test2Click();
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* help = qobject_cast<TNtstDia*>(window))
            help->hide();
}

} // namespace

const QStringList& LiveGrab::names()
{
    static const QStringList live{QStringLiteral("step"), QStringLiteral("sweep"),  QStringLiteral("setup"),
                                  QStringLiteral("tach"), QStringLiteral("loadcell"), QStringLiteral("demo")};
    return live;
}

template <typename Done>
bool LiveGrab::runUntil(Done done, int maxMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > maxMs)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return true;
}

bool LiveGrab::startTest(bool sweep)
{
    LiveTesting& live = m_context.liveTesting();
    if (live.demoRider() == nullptr) {
        m_out << "the live pictures need the Demo Dyno (--demo)\n";
        return false;
    }
    showSetup(live);
    m_context.testSetup().TstTypRClick(sweep ? TestType::SweepTest : TestType::StepTest);
    live.setupWindow().ApplyBClick();
    live.demoRider()->setAuto(true);
    return true;
}

QWidget* LiveGrab::prepare(const QString& what)
{
    LiveTesting& live = m_context.liveTesting();
    if (what == QLatin1String("setup")) {
        showSetup(live);
        return &live.setupWindow();
    }
    if (what == QLatin1String("sweep")) {
        if (!startTest(true))
            return nullptr;
        const SweepController& sweep = live.sweepSession().controller();
        if (!runUntil([&sweep] { return sweep.state() == SweepState::Recording; }, TestLimitMs))
            m_out << "the sweep did not start recording in " << TestLimitMs / 1000 << " s\n";
        runUntil([&sweep] { return sweep.state() != SweepState::Recording; }, SweepRecordingMs);
        return &live.sweepWindow();
    }
    if (!names().contains(what) || !startTest(false))
        return nullptr;
    if (what == QLatin1String("step")) {
        const StepController& step = live.stepSession().controller();
        if (!runUntil([&step] { return step.state() == StepState::Recording && step.recordPoints().size() >= 2; },
                      TestLimitMs))
            m_out << "the step test was not recording its third line in " << TestLimitMs / 1000 << " s\n";
        return &live.stepWindow();
    }
    runUntil([] { return false; }, WarmUpMs);
    QWidget* window = &live.tachWindow();
    if (what == QLatin1String("loadcell"))
        window = &live.loadCellWindow();
    else if (what == QLatin1String("demo"))
        window = live.demoDynoWindow();
    // The window's readings follow the frames that come while it is up.
    window->show();
    runUntil([] { return false; }, ShownMs);
    return window;
}

} // namespace tolvane
