#include "core/acquisition/test_file_fields.h"

#include "core/common/configuration.h"
#include "core/setup/run_conditions.h"
#include "core/setup/test_setup.h"
#include "core/setup/unit_settings.h"

namespace tolvane {

SetupBlockValues setupBlockValues(const TestSetup& setup)
{
    using Spin = TestSetup::Spin;
    using Check = TestSetup::Check;
    SetupBlockValues v;
    v.minRpm = setup.value(Spin::MnRpm);
    v.redline = setup.value(Spin::RedLine);
    v.targetAcceleration = setup.value(Spin::WWRider);
    v.holdAcceleration = setup.value(Spin::DrgCo);
    v.inertiaText = setup.text(TestSetup::Text::InertiaE);
    v.autoDecel = setup.isChecked(Check::AutoDecellcb);
    v.decelRpm = setup.value(Spin::AutoDecell);
    v.autoIncrement = setup.isChecked(Check::AutoInccb);
    v.stepRpm = setup.value(Spin::AutoInc);
    v.warmUp = setup.isChecked(Check::WarmToCb);
    v.warmRpm = setup.value(Spin::WarmTo);
    v.maxFpss = setup.value(Spin::Mxfpss);
    v.maxLbss = setup.value(Spin::MxLbss);
    v.minHp = setup.value(Spin::MnHP);
    v.minSeconds = setup.value(Spin::MnSec);
    v.ega = setup.isChecked(Check::EgaEnabled);
    v.accelerationMultiplication = setup.value(Spin::AMFSB);
    v.feedbackDivider = setup.value(Spin::FDFSB);
    return v;
}

TestFileHeader testFileHeader(const RunConditions& conditions, const UnitSettings& units, double tachRatio)
{
    TestFileHeader h;
    h.notes = conditions.notes();
    h.temperatureText = conditions.temperature();
    h.pressureText = conditions.pressure();
    h.humidityText = conditions.humidity();
    h.correctionText = conditions.correction();
    h.tachRatio = tachRatio;
    h.engineSpeedLabel = units.engineSpeedUnit();
    h.roadSpeedLabel = units.roadSpeedUnit();
    h.powerLabel = units.powerUnitLabel();
    h.torqueLabel = units.forceUnit();
    h.gasHeadings = units.egaHeadings();
    return h;
}

void setCompanyLines(TestFileHeader& header, const Configuration& configuration)
{
    header.companyName = configuration.read(ConfigSettings::CompanyName);
    header.companyAddress = configuration.read(ConfigSettings::CompanyAddr);
}

} // namespace tolvane
