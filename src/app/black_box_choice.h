#pragma once
// BlackBoxChoice: which Black Box the program talks to. The real unit when a device whose product
// text starts with "qv512" is attached, else the Demo Dyno on the program's clock (always with
// --demo). The choice says which it is, so every live window can say "Demo Dyno" and simulated
// data are never taken for a measurement.
#include <memory>

#include "core/acquisition/black_box_usb.h"

namespace tolvane {

class Clock;
namespace sim {
class DemoDyno;
}

enum class BlackBoxKind { Unit, DemoDyno };

struct BlackBoxChoice {
    std::unique_ptr<BlackBoxUsb> usb;
    BlackBoxKind kind = BlackBoxKind::DemoDyno;
    sim::DemoDyno* demo = nullptr; // the simulator behind usb, null for the real unit

    bool isDemo() const { return kind == BlackBoxKind::DemoDyno; }
};

// True when `usb` reports a device whose product text starts with "qv512".
bool hasQv512Unit(BlackBoxUsb& usb);

// `unit` is the real unit's library (null: none to try); with demoRequested it is not asked.
// The clock must outlive the choice: the Demo Dyno catches up to it on every call, so on the
// system clock it runs in real time.
BlackBoxChoice chooseBlackBox(bool demoRequested, const Clock& clock, std::unique_ptr<BlackBoxUsb> unit);
// The same with the real unit reached through libusb (only started without demoRequested).
BlackBoxChoice chooseBlackBox(bool demoRequested, const Clock& clock);

} // namespace tolvane
