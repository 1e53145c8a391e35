#pragma once
// DemoRider: the rider of the Demo Dyno while the program runs on it. It holds the throttle the
// operator sets by hand and, with "Auto rider" on, lets the AutoRider ride each test: after every
// frame a live session decodes, it steers by that session's controller and moves the throttle.
// It lives beside the dyno, not in a window, so the rider keeps riding while the Demo Dyno
// window is hidden.
#include <QObject>

#include "sim/auto_rider.h"
#include "sim/virtual_driver.h"

namespace tolvane {
class AcquisitionSession;
class StepSession;
class SweepSession;
} // namespace tolvane

namespace tolvane::sim {

class DemoRider : public QObject {
    Q_OBJECT
public:
    static constexpr int MaxThrottlePercent = 100;

    // The dyno and both sessions must outlive the rider.
    DemoRider(DemoDyno& dyno, StepSession& step, SweepSession& sweep, QObject* parent = nullptr);

    DemoDyno& dyno() { return m_dyno; }
    const DemoDyno& dyno() const { return m_dyno; }
    const VirtualDriver& driver() const { return m_driver; }

    bool isAuto() const { return m_auto; }
    // Switching either way leaves the throttle shut: the hand that takes over starts closed.
    void setAuto(bool on);
    // The hand throttle, 0..100 %; taking it switches the Auto rider off. Values outside are
    // held at the ends.
    void setThrottlePercent(int percent);
    // The hand throttle, or with the Auto rider on the throttle it asks for, in whole percent.
    int throttlePercent() const;

    // The session whose frame came last while its link was open; null before any.
    const AcquisitionSession* liveSession() const { return m_live; }

signals:
    // The Auto rider or the hand throttle changed (not the rider's own moves on each frame).
    void changed();

private:
    void frameDecoded(AcquisitionSession& session);

    DemoDyno& m_dyno;
    StepSession& m_step;
    SweepSession& m_sweep;
    VirtualDriver m_driver;
    AutoRider m_rider;
    bool m_auto = false;
    int m_percent = 0;
    const AcquisitionSession* m_live = nullptr;
};

} // namespace tolvane::sim
