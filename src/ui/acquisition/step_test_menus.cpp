#include "ui/acquisition/step_test_menus.h"

#include <QAction>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace tolvane {

namespace {

QAction* item(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut = {})
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    return action;
}

} // namespace

StepTestMenus::StepTestMenus(QMainWindow& window, bool demoDyno)
{
    QMenuBar* bar = window.menuBar();
    fileMenu = bar->addMenu(QStringLiteral("&File"));
    fileMenu->setObjectName(QStringLiteral("File1"));
    SaveData1 = item(fileMenu, "SaveData1", QStringLiteral("Save Data"), QKeySequence(Qt::ALT | Qt::Key_S));
    GotoGraphs1 =
        item(fileMenu, "GotoGraphs1", QStringLiteral("Goto Graphs"), QKeySequence(Qt::ALT | Qt::Key_G));
    ExitAll1 = item(fileMenu, "ExitAll1", QStringLiteral("Exit All"), QKeySequence(Qt::ALT | Qt::Key_F4));

    setUpMenu = bar->addMenu(QStringLiteral("&Set Up"));
    setUpMenu->setObjectName(QStringLiteral("SetUp1"));
    Restart1 = item(setUpMenu, "Restart1", QStringLiteral("Restart"));
    Stop1 = item(setUpMenu, "Stop1", QStringLiteral("Stop"));
    TestSetup1 = item(setUpMenu, "TestSetup1", QStringLiteral("Test Setup"));
    EditDynoIni1 = item(setUpMenu, "EditDynoIni1", QStringLiteral("Edit Dyno_ini"));
    SetTachRatio1 = item(setUpMenu, "SetTachRatio1", QStringLiteral("Set Tach Ratio"));
    CalibrateLoadCell1 = item(setUpMenu, "CalibrateLoadCell1", QStringLiteral("Calibrate Load cell"),
                              QKeySequence(Qt::ALT | Qt::Key_C));
    CalInertia1 =
        item(setUpMenu, "CalInertia1", QStringLiteral("Cal. Inertia"), QKeySequence(Qt::ALT | Qt::Key_I));
    CalInertia1->setCheckable(true);
    CalInertia1->setVisible(false);
    DemoDyno1 = item(setUpMenu, "DemoDyno1", QStringLiteral("Demo Dyno"));

    egaMenu = bar->addMenu(QStringLiteral("&EGA"));
    egaMenu->setObjectName(QStringLiteral("EGA1"));
    ToggleDisplay1 = item(egaMenu, "ToggleDisplay1", QStringLiteral("Toggle Display"));

    helpMenu = bar->addMenu(QStringLiteral("&Help"));
    helpMenu->setObjectName(QStringLiteral("Help1"));
    HelpBrowser1 = item(helpMenu, "HelpBrowser1", QStringLiteral("Help Browser"));
    Hints1 = item(helpMenu, "Hints1", QStringLiteral("Hints"), QKeySequence(Qt::Key_F1));
    Hints1->setCheckable(true);
    About1 = item(helpMenu, "About1", QStringLiteral("&About..."));

    popup = new QMenu(&window);
    popup->setObjectName(QStringLiteral("PopupMenu1"));
    SaveTest2 = item(popup, "SaveTest2", QStringLiteral("Save Test"));
    TestSetup2 = item(popup, "TestSetup2", QStringLiteral("Test Setup"));
    SetTachRatio2 = item(popup, "SetTachRatio2", QStringLiteral("Set Tach Ratio"));
    CalibrateLoadCell2 = item(popup, "CalibrateLoadCell2", QStringLiteral("Calibrate Load Cell"));
    ToggleEGAWindow2 = item(popup, "ToggleEGAWindow2", QStringLiteral("Toggle EGA Window"));
    GotoGraphs2 = item(popup, "GotoGraphs2", QStringLiteral("Goto Graphs"));
    ToggleUSB2 = item(popup, "ToggleUSB2", QStringLiteral("Toggle USB"));
    LoadBackup2 = item(popup, "LoadBackup2", QStringLiteral("Load backup"));
    SaveEventBmp2 = item(popup, "SaveEventBmp2", QStringLiteral("Save Event bmp"));
    CalInertia2 = item(popup, "CalInertia2", QStringLiteral("Cal. Inertia"));
    CalInertia2->setCheckable(true);
    DemoDyno2 = item(popup, "DemoDyno2", QStringLiteral("Demo Dyno"));

    // No gas-analyzer window, DAQ calibration window or help browser exists to show.
    for (QAction* missing : {ToggleDisplay1, ToggleEGAWindow2, EditDynoIni1, HelpBrowser1})
        missing->setEnabled(false);
    DemoDyno1->setVisible(demoDyno);
    DemoDyno2->setVisible(demoDyno);
    // Shortcuts work while the window has the focus, whichever menu holds the item.
    window.addActions(popup->actions());
}

} // namespace tolvane
