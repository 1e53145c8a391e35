#include "app/live_testing.h"

#include <QFileInfo>

#include "app/live_save_flow.h"
#include "core/acquisition/acquisition_session.h"
#include "core/acquisition/live_calibration.h"
#include "core/acquisition/step_controller.h"
#include "core/analysis/viewer_state.h"
#include "core/setup/run_conditions.h"
#include "core/setup/test_setup.h"
#include "core/setup/test_type.h"
#include "sim/demo_calibration.h"
#include "sim/demo_dyno.h"
#include "sim/demo_rider.h"
#include "ui/acquisition/demo_dyno_window.h"
#include "ui/acquisition/step_test_window.h"
#include "ui/acquisition/sweep_test_window.h"
#include "ui/setup/form_helpers.h"
#include "ui/setup/hints_window.h"
#include "ui/setup/load_cell_window.h"
#include "ui/setup/splash_window.h"
#include "ui/setup/tach_ratio_window.h"
#include "ui/setup/test_setup_window.h"
#include "ui/setup/atmospheric_window.h"
#include "ui/shell/browser_window.h"
#include "ui/shell/main_window.h"
#include "ui/shell/new_test_help_dialog.h"
#include "ui/shell/save_dialog.h"
#include "ui/analysis/graph_window.h"
#include "ui/analysis/run_viewer_window.h"

namespace tolvane {

LiveTesting::LiveTesting(const Models& models, const GraphScreen& screen, BlackBoxChoice device)
    : m_models(models), m_screen(screen), m_device(std::move(device))
{
    const Models& m = m_models;
    BlackBoxUsb& usb = *m_device.usb;
    m_step = std::make_unique<StepSession>(usb, m.clock, m.setup, m.units, m.prompter, m.locale);
    m_sweep = std::make_unique<SweepSession>(usb, m.clock, m.setup, m.units, m.prompter, m.locale);
    if (m_device.demo) {
        m_demoRider = std::make_unique<sim::DemoRider>(*m_device.demo, *m_step, *m_sweep);
        if (const std::optional<QString> error = sim::storeDemoLoadCell(m.configuration, *m_device.demo))
            m.prompter.inform(QStringLiteral("Demo Dyno"),
                              QStringLiteral("The Demo Dyno's load-cell calibration was not stored: ") + *error,
                              PromptIcon::Warning);
    }
    m_saveFlow = std::make_unique<LiveSaveFlow>(LiveSaveFlow::Parts{*m_step, *m_sweep, m.setup, m.conditions,
                                                                    m.atmosphere, m.weather, m.units,
                                                                    m.configuration, m.viewer, m.prompter});

    const QString root = m_screen.browser.rootDirectory();
    m_setupWindow = std::make_unique<TSetupF>(m.setup, m.units, m.conditions, m.viewer, m.viewerText, m.prompter,
                                              m.paths.testPrm());
    m_stepWindow = std::make_unique<TDisply>(StepWindowModels{*m_step, m.units, m.weather, m.configuration,
                                                              m.viewer, m.chart, m.graphSettings, m.prompter,
                                                              m.locale, m.paths, root, isDemo()});
    m_sweepWindow = std::make_unique<TAccF>(*m_sweep, m.setup, m.units, m.configuration, m.clock, m.prompter, root,
                                            isDemo());
    m_tachWindow = std::make_unique<TTachF>(*m_step, m.prompter);
    m_loadCellWindow = std::make_unique<TCalLdF>(*m_step, m.configuration, m.paths.calibrationLog(), m.prompter);
    if (m_demoRider)
        m_demoWindow = std::make_unique<DemoDynoWindow>(*m_device.demo, *m_demoRider, *m_step, *m_sweep, m.locale);
    setRootDirectory(root);

    connectSetup();
    connectStepWindows();
    connectSweepWindow();
    connectSaving();
    connect(&m_screen.main, &TForm1::rootDirectoryChanged, this, &LiveTesting::setRootDirectory);
    connect(&m_screen.main, &TForm1::newTestRequested, this, &LiveTesting::Test2Click);
    connect(&m_screen.browser, &TDirForm::newTestRequested, this, &LiveTesting::Test2Click);
    connect(&m_screen.viewer, &TViewFiles::gotoTestRequested, this, &LiveTesting::Test2Click);
    connect(&m_screen.graph, &TGraph::gotoTestRequested, this, &LiveTesting::Test2Click);
}

LiveTesting::~LiveTesting() = default;

void LiveTesting::setRootDirectory(const QString& root)
{
    m_saveFlow->setRootDirectory(root);
    m_setupWindow->setRootDirectory(root);
    m_stepWindow->setRootDirectory(root);
    m_sweepWindow->setLibraryRoot(root);
}

void LiveTesting::Test2Click()
{
    const QString current = m_models.viewer.currentFile();
    if (!current.isEmpty()) {
        const QFileInfo file(current);
        m_models.conditions.setFolder(file.path());
        m_models.conditions.setFileName(file.fileName());
    }
    m_setupWindow->WrtNewDirs();
    m_screen.saveDialog.FilLitBChange();
    m_setupWindow->ReadVals();
    m_setupWindow->show();
    m_setupWindow->raise();
    m_setupWindow->activateWindow();
    m_screen.newTestHelp.showIfWanted();
}

void LiveTesting::applySetupToTestWindows()
{
    if (runsInSweepWindow(m_models.setup.testType())) {
        m_stepWindow->hide();
        if (const QString refused = m_sweep->applySetup(); !refused.isEmpty())
            m_models.prompter.inform(QStringLiteral("Test Setup"), refused, PromptIcon::Warning);
        showMaximisedOnScreen(*m_sweepWindow);
        return;
    }
    m_sweepWindow->hide();
    m_stepWindow->startFromSetup();
    showMaximisedOnScreen(*m_stepWindow);
}

void LiveTesting::showDemoDynoWindow()
{
    if (!m_demoWindow)
        return;
    m_demoWindow->show();
    m_demoWindow->raise();
}

void LiveTesting::showGraphScreen()
{
    // The Demo Dyno's controls stay on top of everything: over the graph screen they would hide
    // the run viewer's figures. The rider keeps riding; the live windows' menus bring them back.
    if (m_demoWindow)
        m_demoWindow->hide();
    m_screen.main.showMaximized();
}

void LiveTesting::connectSetup()
{
    TSetupF& setup = *m_setupWindow;
    connect(&setup, &TSetupF::applyToTestWindows, this, &LiveTesting::applySetupToTestWindows);
    // Closing the setup with "Test" or "Go Back" holds the brake output: a target picked below the
    // engine's speed takes effect only once the engine is down to it.
    const auto hold = [this] { m_step->controller().output().setHold(true); };
    connect(&setup, &TSetupF::testStarted, this, [this, hold] {
        hold();
        if (m_stepWindow->isVisible() && !m_step->link().isOpen() &&
            m_models.setup.isChecked(TestSetup::Check::USBenable))
            m_step->connectUnit();
    });
    connect(&setup, &TSetupF::wentBack, this, hold);
    connect(&setup, &TSetupF::mainWindowHideRequested, &m_screen.main, &QWidget::hide);
}

void LiveTesting::connectStepWindows()
{
    TDisply& step = *m_stepWindow;
    TForm1& main = m_screen.main;
    connect(&step, &TDisply::saveRequested, this, [this] { m_saveFlow->request(LiveWindow::Step); });
    connect(&step, &TDisply::graphsRequested, this, &LiveTesting::showGraphScreen);
    connect(&step, &TDisply::exitAllRequested, &main, &TForm1::ExitAll1Click);
    connect(&step, &TDisply::testSetupRequested, m_setupWindow.get(), &QWidget::show);
    connect(&step, &TDisply::tachRatioWindowRequested, m_tachWindow.get(), &QWidget::show);
    connect(&step, &TDisply::functionKeyPressed, m_tachWindow.get(), &TTachF::FormKeyDown);
    connect(&step, &TDisply::loadCellWindowRequested, m_loadCellWindow.get(), &QWidget::show);
    connect(&step, &TDisply::hintsToggled, &m_screen.hints, &QWidget::setVisible);
    connect(&m_screen.hints, &THintBrzr::shownChanged, &step, &TDisply::setHintsShowing);
    connect(&step, &TDisply::aboutRequested, &main, &TForm1::About1Click);
    connect(&step, &TDisply::demoDynoWindowRequested, this, &LiveTesting::showDemoDynoWindow);

    connect(m_tachWindow.get(), &TTachF::applySetupRequested, m_setupWindow.get(), &TSetupF::SaveasDefault1Click);
    connect(m_tachWindow.get(), &TTachF::saveRequested, this, [this] { m_saveFlow->request(LiveWindow::Step); });
    connect(m_loadCellWindow.get(), &TCalLdF::calibrationSaved, &step, &TDisply::reloadCalibration);
    connect(m_loadCellWindow.get(), &TCalLdF::closed, &step, &QWidget::show);
}

void LiveTesting::connectSweepWindow()
{
    TAccF& sweep = *m_sweepWindow;
    connect(&sweep, &TAccF::saveRequested, this, [this] { m_saveFlow->request(LiveWindow::Sweep); });
    connect(&sweep, &TAccF::atmosphericWindowRequested, this, [this] { m_saveFlow->request(LiveWindow::Sweep); });
    connect(&sweep, &TAccF::graphsRequested, this, &LiveTesting::showGraphScreen);
    connect(&sweep, &TAccF::testSetupRequested, m_setupWindow.get(), &QWidget::show);
    connect(&sweep, &TAccF::demoDynoWindowRequested, this, &LiveTesting::showDemoDynoWindow);
}

void LiveTesting::connectSaving()
{
    LiveSaveFlow& flow = *m_saveFlow;
    TTstTypeF& dialog = m_screen.saveDialog;
    connect(&flow, &LiveSaveFlow::atmosphericWindowRequested, &m_screen.atmosphereWindow, &QWidget::show);
    connect(&flow, &LiveSaveFlow::saveDialogRequested, &dialog, &QWidget::show);
    connect(&dialog, &TTstTypeF::saveThenTestRequested, this,
            [this](const QString& path) { m_saveFlow->write(path, LiveSaveFlow::After::Test); });
    connect(&dialog, &TTstTypeF::saveThenGraphRequested, this,
            [this](const QString& path) { m_saveFlow->write(path, LiveSaveFlow::After::Graph); });
    connect(&flow, &LiveSaveFlow::written, this, [this](const QString& path) {
        if (m_saveFlow->window() == LiveWindow::Sweep)
            m_sweepWindow->savedRun();
        m_screen.browser.WriteDirBoxs(path);
    });
    connect(&flow, &LiveSaveFlow::returnToTestRequested, this, [this](LiveWindow window) {
        if (window == LiveWindow::Sweep) {
            showMaximisedOnScreen(*m_sweepWindow);
            return;
        }
        // The next step test starts from its first target, and the setup comes up for whatever
        // the operator changes before it.
        showMaximisedOnScreen(*m_stepWindow);
        m_stepWindow->RestartClick();
        m_setupWindow->show();
        m_setupWindow->raise();
    });
    connect(&flow, &LiveSaveFlow::graphScreenRequested, this, [this](const QString& path) {
        m_stepWindow->hide();
        m_sweepWindow->hide();
        showGraphScreen();
        m_screen.main.showSavedRun(path);
    });
}

} // namespace tolvane
