#pragma once
// StepTestMenus: the step window's main menu (File, Set Up, EGA, Help) and its pop-up menu, every
// item a member with its object name. The window connects the items; the items whose windows the
// program does not have yet (the gas-analyzer display, the DAQ calibration, the help browser)
// are disabled here.
#include <QObject>

class QAction;
class QMainWindow;
class QMenu;

namespace tolvane {

struct StepTestMenus {
    // Builds both menus into `window`'s menu bar and a pop-up menu owned by the window. The
    // "Demo Dyno" items show only when the window runs on the Demo Dyno.
    StepTestMenus(QMainWindow& window, bool demoDyno);

    QMenu* fileMenu = nullptr;
    QMenu* setUpMenu = nullptr;
    QMenu* egaMenu = nullptr;
    QMenu* helpMenu = nullptr;
    QMenu* popup = nullptr;

    // File
    QAction* SaveData1 = nullptr;   // "Save Data", Alt+S
    QAction* GotoGraphs1 = nullptr; // "Goto Graphs", Alt+G
    QAction* ExitAll1 = nullptr;    // "Exit All", Alt+F4
    // Set Up
    QAction* Restart1 = nullptr;
    QAction* Stop1 = nullptr;
    QAction* TestSetup1 = nullptr;
    QAction* EditDynoIni1 = nullptr;
    QAction* SetTachRatio1 = nullptr;
    QAction* CalibrateLoadCell1 = nullptr; // Alt+C
    QAction* CalInertia1 = nullptr;        // hidden, checkable, Alt+I
    QAction* DemoDyno1 = nullptr;
    // EGA
    QAction* ToggleDisplay1 = nullptr;
    // Help
    QAction* HelpBrowser1 = nullptr;
    QAction* Hints1 = nullptr; // checkable, F1
    QAction* About1 = nullptr;
    // Pop-up
    QAction* SaveTest2 = nullptr;
    QAction* TestSetup2 = nullptr;
    QAction* SetTachRatio2 = nullptr;
    QAction* CalibrateLoadCell2 = nullptr;
    QAction* ToggleEGAWindow2 = nullptr;
    QAction* GotoGraphs2 = nullptr;
    QAction* ToggleUSB2 = nullptr;
    QAction* LoadBackup2 = nullptr;
    QAction* SaveEventBmp2 = nullptr;
    QAction* CalInertia2 = nullptr; // checkable, the same measurement as CalInertia1
    QAction* DemoDyno2 = nullptr;
};

} // namespace tolvane
