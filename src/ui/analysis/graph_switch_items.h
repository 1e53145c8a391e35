#pragma once
// The Graph switches that the main window's Graph menu and the graph window's pop-up menu both
// carry: each menu keeps its own items, and both show the ticks of the one GraphSettings.
class QAction;

namespace tolvane {

class GraphSettings;

struct GraphSwitchItems {
    QAction* rpm1 = nullptr;
    QAction* mph1 = nullptr;
    QAction* hp1 = nullptr;
    QAction* torque1 = nullptr;
    QAction* co1 = nullptr;
    QAction* corrected1 = nullptr;
    QAction* uncorrected1 = nullptr;
    QAction* gridLines1 = nullptr;

    // Ticks as the settings stand (exactly one of RPM and MPH, of Corrected and Uncorrected).
    void showChecks(const GraphSettings& settings) const;
};

} // namespace tolvane
