#include "app/application_context.h"

#include <QCoreApplication>
#include <QDir>

#include "app/black_box_choice.h"
#include "app/live_testing.h"
#include "core/library/file_name_proposal.h"
#include "ui/analysis/graph_window.h"
#include "ui/analysis/run_viewer_window.h"
#include "ui/setup/about_window.h"
#include "ui/setup/atmospheric_window.h"
#include "ui/setup/hints_window.h"
#include "ui/setup/splash_window.h"
#include "ui/shell/browser_window.h"
#include "ui/shell/company_dialog.h"
#include "ui/shell/main_window.h"
#include "ui/shell/make_dir_dialog.h"
#include "ui/shell/new_test_help_dialog.h"
#include "ui/shell/power_unit_dialog.h"
#include "ui/shell/root_dir_dialog.h"
#include "ui/shell/save_dialog.h"

namespace tolvane {

ApplicationContext::ApplicationContext(const QStringList& arguments, bool demo)
    : ApplicationContext(arguments, nullptr, nullptr, demo)
{
}

ApplicationContext::ApplicationContext(const QStringList& arguments, Prompter& prompter)
    : ApplicationContext(arguments, &prompter, nullptr, true)
{
}

ApplicationContext::ApplicationContext(const QStringList& arguments, Prompter& prompter, const Clock& clock)
    : ApplicationContext(arguments, &prompter, &clock, true)
{
}

ApplicationContext::ApplicationContext(const QStringList& arguments, Prompter* prompter, const Clock* clock,
                                       bool demo)
    : m_paths(DataPaths::fromArguments(arguments)), m_locale(TextLocale::system()),
      m_config(m_paths.usbIni(), m_locale), m_prompter(prompter ? *prompter : m_qtPrompter),
      m_clock(clock ? *clock : m_systemClock),
      m_testSetup(m_units, m_prompter, m_locale), m_atmosphere(m_runConditions, m_prompter, m_locale),
      m_plotter(m_chart, m_selection, m_graphSettings, m_viewer, m_prompter, m_locale.decimalSeparator)
{
    // A first start has no library yet: the default one is made, as an installation would, so the
    // operator is not sent to choose a folder that does not exist. A chosen root is never made.
    if (m_config.rootDirectory(m_paths) == m_paths.defaultLibraryRoot())
        QDir().mkpath(m_paths.defaultLibraryRoot());

    m_form1 =
        std::make_unique<TForm1>(TForm1::Models{m_config, m_company, m_layout, m_paths, m_units,
                                                m_graphSettings, m_selection, m_viewer, m_chart, m_prompter});
    TForm1& form = *m_form1;
    m_qtPrompter.setParent(&form);
    // Dialogs belong to the main window (centred on it, never behind it); plain windows stay
    // top-level windows of their own.
    m_splash = std::make_unique<Tsplashf>(m_company, QCoreApplication::applicationFilePath(), &form);
    m_companyDialog = std::make_unique<TCmpNamef>(m_company, m_config, m_prompter, &form);
    m_about = std::make_unique<TAboutBr>();
    m_rootDialog = std::make_unique<TCngDir>(m_config, m_prompter, m_paths.defaultLibraryRoot(), &form);
    m_graph = std::make_unique<TGraph>(m_chart, m_graphSettings, m_selection, m_viewer, m_units, m_prompter,
                                       m_locale);
    m_viewFiles = std::make_unique<TViewFiles>(
        RecalcContext{m_notes, m_viewer, m_chart, m_graphSettings, m_prompter, m_units, m_locale},
        m_selection, m_plotter, m_paths, m_layout);
    // Made before the browser (out of the program's order): its "New..." entries ask for folders.
    m_makeDir = std::make_unique<TMkDirF>(m_prompter, &form);
    m_browser =
        std::make_unique<TDirForm>(TDirForm::Models{m_selection, m_viewer, m_notes, m_chart, m_graphSettings,
                                                    m_layout, m_config, m_prompter, m_locale},
                                   *m_viewFiles, *m_makeDir);
    form.attach({*m_splash, *m_companyDialog, *m_about, *m_rootDialog, *m_graph, *m_viewFiles, *m_browser});
    form.show();
    // The browser's first show sets off the rest of the start-up, with the windows made so far.
    form.startUp();

    m_saveDialog = std::make_unique<TTstTypeF>(m_runConditions, m_testSetup, m_viewer, m_prompter, *m_makeDir,
                                               m_paths.dataDir());
    m_hints = std::make_unique<THintBrzr>(&form);
    m_atmosphericWindow = std::make_unique<TAtomComdF>(m_atmosphere);
    m_newTestHelp = std::make_unique<TNtstDia>(m_config, m_prompter, &form);
    m_powerUnits = std::make_unique<TPwrUnit>(m_config, m_units, m_prompter, &form);
    form.attachLateWindows({*m_hints, *m_powerUnits});
    connectWindows();
    m_live = std::make_unique<LiveTesting>(
        LiveTesting::Models{m_paths, m_config, m_locale, m_prompter, m_clock, m_units, m_testSetup, m_runConditions,
                            m_atmosphere, m_weather, m_viewer, m_notes, m_chart, m_graphSettings},
        LiveTesting::GraphScreen{form, *m_browser, *m_graph, *m_viewFiles, *m_saveDialog, *m_atmosphericWindow,
                                 *m_newTestHelp, *m_hints, *m_splash},
        chooseBlackBox(demo, m_clock));
}

ApplicationContext::~ApplicationContext() = default;

void ApplicationContext::connectWindows()
{
    TTstTypeF& save = *m_saveDialog;
    TAtomComdF& atmosphere = *m_atmosphericWindow;
    save.setRootDirectory(m_browser->rootDirectory());
    save.setFolderMenu(m_browser->PopupMenu1());
    QObject::connect(m_form1.get(), &TForm1::rootDirectoryChanged, &save, &TTstTypeF::setRootDirectory);
    QObject::connect(m_browser.get(), &TDirForm::fileNameProposalRequested, &save, &TTstTypeF::FilLitBChange);
    QObject::connect(&save, &TTstTypeF::goBackRequested, &save, &QWidget::hide);
    // Notes are copied from the graph screen, which comes up beside the dialog.
    QObject::connect(&save, &TTstTypeF::notesFromGraphRequested, m_form1.get(), &QWidget::showMaximized);
    QObject::connect(&save, &TTstTypeF::minimised, m_form1.get(), &QWidget::hide);
    QObject::connect(&save, &TTstTypeF::atmosphericWindowRequested, &atmosphere, &QWidget::show);
    QObject::connect(&atmosphere, &TAtomComdF::saveDialogRequested, &save, &QWidget::show);
    QObject::connect(&atmosphere, &TAtomComdF::saveFolderRereadRequested, &save, &TTstTypeF::rereadFolder);
    QObject::connect(&atmosphere, &TAtomComdF::goBackRequested, &atmosphere, &QWidget::hide);
    QObject::connect(&m_testSetup, &TestSetup::testTypeChanged, &save,
                     [this] { proposeSetupFileName(m_testSetup, m_runConditions, m_viewer.currentFile()); });
}

} // namespace tolvane
