#include "core/setup/test_type.h"

namespace tolvane {

QStringList testTypeItems()
{
    return {QStringLiteral("Step Test"),   QStringLiteral("Road Load"),  QStringLiteral("Sweep Test"),
            QStringLiteral("Quick Sweep"), QStringLiteral("Float Bowl"), QStringLiteral("Main Jet")};
}

std::optional<TestType> testTypeFromIndex(int index)
{
    if (index < 0 || index >= TestTypeCount)
        return std::nullopt;
    return static_cast<TestType>(index);
}

QString setupExtension(TestType type)
{
    switch (type) {
    case TestType::StepTest:
        return QStringLiteral(".STP");
    case TestType::RoadLoad:
        return QStringLiteral(".RLD");
    case TestType::SweepTest:
        return QStringLiteral(".SWP");
    case TestType::QuickSweep:
        return QStringLiteral(".QWS");
    case TestType::FloatBowl:
        return QStringLiteral(".flt");
    case TestType::MainJet:
        return QStringLiteral(".mjt");
    }
    return {};
}

bool runsInSweepWindow(TestType type)
{
    return type != TestType::StepTest && type != TestType::RoadLoad;
}

SetupGroups setupGroups(TestType type)
{
    switch (type) {
    case TestType::StepTest:
        return {true, false, true, false};
    case TestType::RoadLoad:
        return {false, false, false, false};
    case TestType::SweepTest:
    case TestType::QuickSweep:
        return {false, true, false, true};
    case TestType::FloatBowl:
    case TestType::MainJet:
        return {false, true, true, false};
    }
    return {};
}

QString rangeControlColour(TestType type)
{
    switch (type) {
    case TestType::StepTest:
        return QStringLiteral("clGray");
    case TestType::RoadLoad:
        return QStringLiteral("clBtnFace");
    case TestType::SweepTest:
        return QStringLiteral("clYellow");
    case TestType::QuickSweep:
        return QStringLiteral("clTeal");
    case TestType::FloatBowl:
        return QStringLiteral("clGreen");
    case TestType::MainJet:
        return QStringLiteral("clOlive");
    }
    return {};
}

} // namespace tolvane
