#include "sim/demo_rider.h"

#include <algorithm>
#include <cmath>

#include "core/acquisition/acquisition_session.h"

namespace tolvane::sim {

DemoRider::DemoRider(DemoDyno& dyno, StepSession& step, SweepSession& sweep, QObject* parent)
    : QObject(parent), m_dyno(dyno), m_step(step), m_sweep(sweep), m_driver(dyno), m_rider(m_driver)
{
    m_driver.manual(0.0);
    connect(&step, &AcquisitionSession::frameDecoded, this, [this] { frameDecoded(m_step); });
    connect(&sweep, &AcquisitionSession::frameDecoded, this, [this] { frameDecoded(m_sweep); });
}

void DemoRider::setAuto(bool on)
{
    if (on == m_auto)
        return;
    m_auto = on;
    m_percent = 0;
    if (on)
        m_driver.coast();
    else
        m_driver.manual(0.0);
    m_driver.update();
    emit changed();
}

void DemoRider::setThrottlePercent(int percent)
{
    percent = std::clamp(percent, 0, MaxThrottlePercent);
    if (!m_auto && percent == m_percent)
        return;
    m_auto = false;
    m_percent = percent;
    m_driver.manual(percent / double(MaxThrottlePercent));
    m_driver.update();
    emit changed();
}

int DemoRider::throttlePercent() const
{
    if (!m_auto)
        return m_percent;
    return static_cast<int>(std::lround(m_dyno.throttleDemand() * MaxThrottlePercent));
}

void DemoRider::frameDecoded(AcquisitionSession& session)
{
    // A frame from a session that has no open link (a late signal after disconnecting) says
    // nothing about the test being ridden.
    if (!session.link().isOpen())
        return;
    m_live = &session;
    if (m_auto) {
        if (&session == &m_step)
            m_rider.steer(m_step.controller());
        else
            m_rider.steer(m_sweep.controller(), m_sweep.setup());
    }
    m_driver.update();
}

} // namespace tolvane::sim
