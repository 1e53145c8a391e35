// The live cost of a step test: the whole program on the Demo Dyno, in real time on the system
// clock, runs a step test with the Auto rider for SECONDS (default 300) while the step window is
// shown, and reports what the operator's computer pays for it:
//   - CPU time of the process per minute of the test (user + system), as a share of one core;
//   - the duration of one tick of the step window's poll timer, from the timer firing to the
//     end of its handler (frame read, decode, controller, command, panels, graphs and gauges
//     brought up to date; the paint follows in the event loop), median and 99th percentile;
//   - ticks that came late: the gap between two ticks more than 10 ms over the 40 ms interval.
// Goals: under 10 % of one core, 99th percentile tick at most 5 ms, no tick over 10 ms late.
//   live_step_test [SECONDS [DATA_DIR]]   (needs a display: run it under xvfb-run)
// Without DATA_DIR the test runs in a fresh temporary data directory.
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/application_context.h"
#include "app/live_testing.h"
#include "core/acquisition/acquisition_session.h"
#include "core/acquisition/record_memo.h"
#include "core/common/scripted_prompter.h"
#include "core/setup/test_setup.h"
#include "sim/demo_rider.h"
#include "ui/acquisition/step_test_window.h"
#include "ui/setup/test_setup_window.h"

namespace {

using namespace tolvane;

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double percentile(std::vector<double> values, double share)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(at, values.size() - 1)];
}

// Times each firing of the timer: the filter sees the timer event before the handler runs, the
// connection made after the window's own sees it end.
// A tick that changed the record memo wrote a record line (and its backup).
class TickTimer : public QObject {
public:
    TickTimer(QTimer& timer, const RecordMemo& memo) : m_memo(memo)
    {
        timer.installEventFilter(this);
        connect(&timer, &QTimer::timeout, this, [this] {
            const double ms = m_tick.nsecsElapsed() / 1e6;
            m_durationsMs.push_back(ms);
            if (ms > SlowTickMs) {
                ++m_slowTicks;
                if (m_memo.count() != m_linesBefore)
                    ++m_slowRecordTicks;
            }
        });
        m_clock.start();
    }
    static constexpr double SlowTickMs = 10.0;
    const std::vector<double>& durationsMs() const { return m_durationsMs; }
    const std::vector<double>& gapsMs() const { return m_gapsMs; }
    int slowTicks() const { return m_slowTicks; }
    int slowRecordTicks() const { return m_slowRecordTicks; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Timer) {
            const qint64 now = m_clock.nsecsElapsed();
            if (m_last >= 0)
                m_gapsMs.push_back((now - m_last) / 1e6);
            m_last = now;
            m_linesBefore = m_memo.count();
            m_tick.start();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const RecordMemo& m_memo;
    int m_linesBefore = 0;
    int m_slowTicks = 0;
    int m_slowRecordTicks = 0;
    QElapsedTimer m_clock;
    QElapsedTimer m_tick;
    qint64 m_last = -1;
    std::vector<double> m_durationsMs;
    std::vector<double> m_gapsMs;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, QString::fromLatin1(argv[1]).toInt()) : 300;
    QTemporaryDir scratch;
    const QString data = argc > 2 ? QString::fromLocal8Bit(argv[2]) : scratch.path();
    ScriptedPrompter prompter;
    ApplicationContext context({QStringLiteral("tolvane"), QStringLiteral("--data-dir"), data}, prompter);
    LiveTesting& live = context.liveTesting();

    live.Test2Click();
    live.setupWindow().TstTypRClick(TestType::StepTest);
    live.setupWindow().ApplyBClick();
    live.demoRider()->setAuto(true);
    TDisply& window = live.stepWindow();
    if (!window.isVisible()) {
        std::fprintf(stderr, "live_step_test: the step window did not come up\n");
        return 1;
    }
    TickTimer ticks(window.Timer1(), live.stepSession().memo());

    const double cpuBefore = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    QApplication::exec();
    const double cpu = cpuSeconds() - cpuBefore;
    const double minutes = static_cast<double>(wall.elapsed()) / 60000.0;

    const std::vector<double>& gaps = ticks.gapsMs();
    const auto late = std::count_if(gaps.begin(), gaps.end(),
                                    [](double gap) { return gap > TDisply::TimerIntervalMs + 10.0; });
    std::printf("live step test on the Demo Dyno: %.1f min, %zu ticks, %d record lines\n", minutes,
                ticks.durationsMs().size(), live.stepSession().memo().count());
    std::printf("CPU per minute: %.2f s (%.1f %% of one core)\n", cpu / minutes, 100.0 * cpu / (minutes * 60.0));
    std::printf("tick duration: median %.3f ms, 99th percentile %.3f ms, longest %.3f ms\n",
                percentile(ticks.durationsMs(), 0.5), percentile(ticks.durationsMs(), 0.99),
                percentile(ticks.durationsMs(), 1.0));
    std::printf("ticks over %.0f ms: %d, %d of them wrote a record line\n", TickTimer::SlowTickMs, ticks.slowTicks(),
                ticks.slowRecordTicks());
    std::printf("tick gaps: median %.1f ms, longest %.1f ms, late by more than 10 ms: %td\n", percentile(gaps, 0.5),
                percentile(gaps, 1.0), late);
    return 0;
}
