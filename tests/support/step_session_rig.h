#pragma once
// A step session on a manual clock over a replaying Black Box, with the models it needs, for the
// windows that act on the step test (tach ratio, load-cell calibration): each frame() is one
// tick of the step window's 40 ms timer.
#include <QLineEdit>

#include "core/acquisition/acquisition_session.h"
#include "core/acquisition/frame_test_support.h"
#include "core/common/clock.h"
#include "core/common/scripted_prompter.h"
#include "core/setup/test_setup.h"
#include "core/setup/unit_settings.h"
#include "sim/replay_usb.h"

namespace tolvane::test {

struct StepSessionRig {
    StepSessionRig() { session.connectUnit(); }

    // One tick with a frame of this load count and roller period, `ms` after the last.
    void frame(quint32 load, quint32 period, qint64 ms = 40)
    {
        clock.advanceMs(ms);
        usb.push(stepBytes(load, period));
        session.tick();
    }

    ScriptedPrompter prompter;
    const TextLocale locale;
    UnitSettings units;
    TestSetup setup{units, prompter, locale};
    ManualClock clock{runTime(0)};
    sim::ReplayUsb usb;
    StepSession session{usb, clock, setup, units, prompter, locale};
};

// As the operator types: replaces the entry's text through the edit, not programmatically.
inline void typeInto(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    edit->insert(text);
}

} // namespace tolvane::test
