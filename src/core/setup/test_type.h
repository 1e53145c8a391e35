#pragma once
// The kinds of test the setup offers, in the order of its " Select Test Type " group, and what each
// kind changes in the setup: the extension of the proposed file name, the test window that runs
// it, the groups of controls that apply and the colour of the range controls.
#include <QString>
#include <QStringList>

#include <optional>

namespace tolvane {

enum class TestType { StepTest = 0, RoadLoad = 1, SweepTest = 2, QuickSweep = 3, FloatBowl = 4, MainJet = 5 };

inline constexpr int TestTypeCount = 6;

// "Step Test", "Road Load", "Sweep Test", "Quick Sweep", "Float Bowl", "Main Jet".
QStringList testTypeItems();
std::optional<TestType> testTypeFromIndex(int index);

// The extension of the name the setup proposes: ".STP", ".RLD", ".SWP", ".QWS", ".flt", ".mjt".
// (The save dialog proposes with its own table.)
QString setupExtension(TestType type);

// Sweep, quick sweep, float bowl and main jet run in the sweep window; step test and road load in
// the step-test window.
bool runsInSweepWindow(TestType type);

// Which groups of the setup apply to a kind of test.
struct SetupGroups {
    bool autoIncrement = false; // the "Auto increment:" box and its spin
    bool acceleration = false;  // "Acceleration:" with its note lines
    bool stepGroup = false;     // auto decel and warm-up
    bool sweepGroup = false;    // hold acceleration and inertia
};
SetupGroups setupGroups(TestType type);

// The colour of the range controls as a toolkit colour name ("clGray", "clBtnFace", ...).
QString rangeControlColour(TestType type);

} // namespace tolvane
