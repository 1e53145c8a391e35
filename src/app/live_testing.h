#pragma once
// LiveTesting: the program's testing half. It owns the Black Box (the real unit or the Demo Dyno),
// the step and sweep sessions that are the one owner of each live pipeline, the live windows
// (step test, sweep test, test setup, tach ratio, load-cell calibration, the Demo Dyno's controls)
// and the save flow, and wires them to each other and to the graph screen: "New Test" and the
// "Go To Test" items, the setup's "Test" to the step or sweep window, the live windows' save
// requests through the atmospheric window and the save dialog, and back to the test or to the
// graph screen with the new run.
#include <QObject>
#include <QString>

#include <memory>

#include "app/black_box_choice.h"
#include "core/common/data_paths.h"
#include "core/common/text_locale.h"

namespace tolvane {

class AtmosphericConditions;
class Clock;
class Configuration;
class DemoDynoWindow;
class GraphSettings;
class LiveSaveFlow;
class Prompter;
class RunConditions;
class SeriesModel;
class StepSession;
class SweepSession;
class TAccF;
class TAtomComdF;
class TCalLdF;
class TDirForm;
class TDisply;
class TForm1;
class TGraph;
class THintBrzr;
class TNtstDia;
class TSetupF;
class Tsplashf;
class TTachF;
class TTstTypeF;
class TViewFiles;
class TestSetup;
class UnitSettings;
class ViewerState;
class ViewerText;
class WeatherRecord;
namespace sim {
class DemoRider;
}

class LiveTesting : public QObject {
    Q_OBJECT
public:
    struct Models {
        const DataPaths& paths;
        Configuration& configuration;
        const TextLocale& locale;
        Prompter& prompter;
        const Clock& clock;
        UnitSettings& units;
        TestSetup& setup;
        RunConditions& conditions;
        AtmosphericConditions& atmosphere;
        WeatherRecord& weather;
        ViewerState& viewer;
        ViewerText& viewerText;
        SeriesModel& chart;
        GraphSettings& graphSettings;
    };
    // The graph screen's windows the live windows come back to.
    struct GraphScreen {
        TForm1& main;
        TDirForm& browser;
        TGraph& graph;
        TViewFiles& viewer;
        TTstTypeF& saveDialog;
        TAtomComdF& atmosphereWindow;
        TNtstDia& newTestHelp;
        THintBrzr& hints;
        Tsplashf& splash;
    };

    LiveTesting(const Models& models, const GraphScreen& screen, BlackBoxChoice device);
    ~LiveTesting() override;

    bool isDemo() const { return m_device.isDemo(); }
    StepSession& stepSession() const { return *m_step; }
    SweepSession& sweepSession() const { return *m_sweep; }
    TDisply& stepWindow() const { return *m_stepWindow; }
    TAccF& sweepWindow() const { return *m_sweepWindow; }
    TSetupF& setupWindow() const { return *m_setupWindow; }
    TTachF& tachWindow() const { return *m_tachWindow; }
    TCalLdF& loadCellWindow() const { return *m_loadCellWindow; }
    // Null on the real unit.
    DemoDynoWindow* demoDynoWindow() const { return m_demoWindow.get(); }
    sim::DemoRider* demoRider() const { return m_demoRider.get(); }
    LiveSaveFlow& saveFlow() const { return *m_saveFlow; }

    // New Test ("New Test", F5, and every "Go To Test" item): the save dialog starts from the
    // current run, the setup writes its folder labels and reads the current run's setup, and is
    // shown; the New Test help follows when it is wanted.
    void Test2Click();

private:
    void setRootDirectory(const QString& root);
    // The setup's "Test" (and the tach-ratio window's apply): the step or the sweep window, as
    // the test type says, takes the setup and is shown maximised.
    void applySetupToTestWindows();
    void showDemoDynoWindow();
    // Back to the graph screen from a live window.
    void showGraphScreen();
    void connectSetup();
    void connectStepWindows();
    void connectSweepWindow();
    void connectSaving();

    Models m_models;
    GraphScreen m_screen;
    BlackBoxChoice m_device;
    std::unique_ptr<StepSession> m_step;
    std::unique_ptr<SweepSession> m_sweep;
    std::unique_ptr<sim::DemoRider> m_demoRider;
    std::unique_ptr<LiveSaveFlow> m_saveFlow;
    std::unique_ptr<TSetupF> m_setupWindow;
    std::unique_ptr<TDisply> m_stepWindow;
    std::unique_ptr<TAccF> m_sweepWindow;
    std::unique_ptr<TTachF> m_tachWindow;
    std::unique_ptr<TCalLdF> m_loadCellWindow;
    std::unique_ptr<DemoDynoWindow> m_demoWindow;
};

} // namespace tolvane
