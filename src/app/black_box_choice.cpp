#include "app/black_box_choice.h"

#include <algorithm>

#include "platform/usb/libusb_black_box.h"
#include "sim/demo_dyno.h"

namespace tolvane {

namespace {

const QByteArray UnitProductPrefix = QByteArrayLiteral("qv512");
// A library's count is not trusted to bound a loop: no bench has more units than this.
constexpr quint32 MaxDevicesAsked = 32;

} // namespace

bool hasQv512Unit(BlackBoxUsb& usb)
{
    quint32 count = 0;
    if (usb.getNumDevices(count) != F32xStatus::Success)
        return false;
    for (quint32 index = 0; index < std::min(count, MaxDevicesAsked); ++index) {
        QByteArray product;
        if (usb.getProductString(index, product) == F32xStatus::Success &&
            product.startsWith(UnitProductPrefix))
            return true;
    }
    return false;
}

BlackBoxChoice chooseBlackBox(bool demoRequested, const Clock& clock, std::unique_ptr<BlackBoxUsb> unit)
{
    BlackBoxChoice choice;
    if (!demoRequested && unit && hasQv512Unit(*unit)) {
        choice.usb = std::move(unit);
        choice.kind = BlackBoxKind::Unit;
        return choice;
    }
    auto dyno = std::make_unique<sim::DemoDyno>(clock);
    choice.demo = dyno.get();
    choice.usb = std::move(dyno);
    choice.kind = BlackBoxKind::DemoDyno;
    return choice;
}

BlackBoxChoice chooseBlackBox(bool demoRequested, const Clock& clock)
{
    return chooseBlackBox(demoRequested, clock, demoRequested ? nullptr : std::make_unique<LibusbBlackBox>());
}

} // namespace tolvane
