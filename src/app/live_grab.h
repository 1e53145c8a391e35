#pragma once
// LiveGrab: the live windows brought to a state worth a picture for the developers' --grab. The
// step and sweep windows run a real test on the Demo Dyno with the Auto rider, on the program's
// own clock, until their panels, gauges and graphs carry data: the step test until it records
// at a target with two record lines behind it, the sweep until it is well into its recording. The tach
// ratio, load-cell and Demo Dyno windows are taken a few seconds into a step test.
#include <QString>
#include <QStringList>

class QTextStream;
class QWidget;

namespace tolvane {

class ApplicationContext;

class LiveGrab {
public:
    // The names --grab takes for live windows: step, sweep, setup, tach, loadcell, demo.
    static const QStringList& names();

    LiveGrab(ApplicationContext& context, QTextStream& out) : m_context(context), m_out(out) {}

    // The window named, shown with live data; null (with the reason on out) when the program
    // does not run on the Demo Dyno or the name is not a live window's.
    QWidget* prepare(const QString& what);

private:
    bool startTest(bool sweep);
    // Lets the program run on its own clock until done() or maxMs have passed.
    template <typename Done>
    bool runUntil(Done done, int maxMs);

    ApplicationContext& m_context;
    QTextStream& m_out;
};

} // namespace tolvane
