#pragma once
// The program's one instance of everything: the data directory and configuration, the models the
// windows share, and every window, each created once in the program's fixed order and afterwards
// only shown and hidden. Nothing here is global; the windows get what they need by reference.
#include <QStringList>

#include <memory>

#include "core/analysis/graph_settings.h"
#include "core/analysis/run_plotter.h"
#include "core/analysis/series_model.h"
#include "core/analysis/viewer_state.h"
#include "core/analysis/viewer_text.h"
#include "core/common/clock.h"
#include "core/common/configuration.h"
#include "core/common/data_paths.h"
#include "core/common/text_locale.h"
#include "core/library/layout_settings.h"
#include "core/library/selection.h"
#include "core/setup/atmospheric_conditions.h"
#include "core/setup/company_info.h"
#include "core/setup/run_conditions.h"
#include "core/setup/test_setup.h"
#include "core/setup/unit_settings.h"
#include "core/setup/weather_record.h"
#include "ui/shell/qt_prompter.h"

namespace tolvane {

class LiveTesting;
class TAboutBr;
class TAtomComdF;
class TCmpNamef;
class TCngDir;
class TDirForm;
class TForm1;
class TGraph;
class THintBrzr;
class TMkDirF;
class TNtstDia;
class TPwrUnit;
class Tsplashf;
class TTstTypeF;
class TViewFiles;

class ApplicationContext {
public:
    // arguments: the program's command line ("--data-dir DIR" chooses the data directory). The
    // operator answers through Qt's dialogs; the live windows use the real unit when one is
    // attached and demo is false, else the Demo Dyno, on the system clock.
    explicit ApplicationContext(const QStringList& arguments, bool demo = false);
    // The same program with every question put to prompter (the tests' scripted operator), on
    // the Demo Dyno, by the system clock or by `clock` (a manual one steps whole tests).
    ApplicationContext(const QStringList& arguments, Prompter& prompter);
    ApplicationContext(const QStringList& arguments, Prompter& prompter, const Clock& clock);
    ~ApplicationContext();
    ApplicationContext(const ApplicationContext&) = delete;
    ApplicationContext& operator=(const ApplicationContext&) = delete;

    // The windows, in the program's order.
    TForm1& mainWindow() const { return *m_form1; }
    Tsplashf& splashWindow() const { return *m_splash; }
    TCmpNamef& companyDialog() const { return *m_companyDialog; }
    TGraph& graphWindow() const { return *m_graph; }
    TViewFiles& runViewer() const { return *m_viewFiles; }
    TDirForm& browser() const { return *m_browser; }
    TTstTypeF& saveDialog() const { return *m_saveDialog; }
    THintBrzr& hintsWindow() const { return *m_hints; }
    TAtomComdF& atmosphericWindow() const { return *m_atmosphericWindow; }
    TPwrUnit& powerUnitsDialog() const { return *m_powerUnits; }
    LiveTesting& liveTesting() const { return *m_live; }

    // The state the windows share.
    Selection& selection() { return m_selection; }
    const Selection& selection() const { return m_selection; }
    UnitSettings& units() { return m_units; }
    CompanyInfo& company() { return m_company; }
    LayoutSettings& layout() { return m_layout; }
    ViewerState& viewer() { return m_viewer; }
    ViewerText& notes() { return m_notes; }
    GraphSettings& graphSettings() { return m_graphSettings; }
    SeriesModel& chart() { return m_chart; }
    TestSetup& testSetup() { return m_testSetup; }
    RunConditions& runConditions() { return m_runConditions; }
    AtmosphericConditions& atmosphere() { return m_atmosphere; }
    WeatherRecord& weather() { return m_weather; }
    const DataPaths& paths() const { return m_paths; }

private:
    ApplicationContext(const QStringList& arguments, Prompter* prompter, const Clock* clock, bool demo);
    void connectWindows();

    DataPaths m_paths;
    TextLocale m_locale;
    Configuration m_config;
    QtPrompter m_qtPrompter;
    Prompter& m_prompter;
    SystemClock m_systemClock;
    const Clock& m_clock;

    UnitSettings m_units;
    CompanyInfo m_company;
    LayoutSettings m_layout;
    TestSetup m_testSetup;
    RunConditions m_runConditions;
    AtmosphericConditions m_atmosphere;
    WeatherRecord m_weather;
    Selection m_selection;
    ViewerState m_viewer;
    ViewerText m_notes;
    GraphSettings m_graphSettings;
    SeriesModel m_chart;
    RunPlotter m_plotter;

    // In the order of creation; destroyed in reverse, so the graph screen's windows leave the
    // main window's client area before the main window goes.
    std::unique_ptr<TForm1> m_form1;
    std::unique_ptr<Tsplashf> m_splash;
    std::unique_ptr<TCmpNamef> m_companyDialog;
    std::unique_ptr<TAboutBr> m_about;
    std::unique_ptr<TCngDir> m_rootDialog;
    std::unique_ptr<TGraph> m_graph;
    std::unique_ptr<TViewFiles> m_viewFiles;
    std::unique_ptr<TMkDirF> m_makeDir;
    std::unique_ptr<TDirForm> m_browser;
    std::unique_ptr<TTstTypeF> m_saveDialog;
    std::unique_ptr<THintBrzr> m_hints;
    std::unique_ptr<TAtomComdF> m_atmosphericWindow;
    std::unique_ptr<TNtstDia> m_newTestHelp;
    std::unique_ptr<TPwrUnit> m_powerUnits;
    std::unique_ptr<LiveTesting> m_live;
};

} // namespace tolvane
