#include "ui/shell/main_window.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScreen>
#include <QShortcut>
#include <QWidget>

#include "core/analysis/graph_settings.h"
#include "core/analysis/graph_switches.h"
#include "core/analysis/run_viewer_rules.h"
#include "core/analysis/series_model.h"
#include "core/analysis/viewer_state.h"
#include "core/common/configuration.h"
#include "core/common/data_paths.h"
#include "core/common/library_path.h"
#include "core/common/prompter.h"
#include "core/library/layout_settings.h"
#include "core/library/selection.h"
#include "core/setup/company_info.h"
#include "core/setup/unit_settings.h"
#include "platform/chart/toolkit_colors.h"
#include "ui/analysis/graph_window.h"
#include "ui/analysis/run_viewer_window.h"
#include "ui/setup/about_window.h"
#include "ui/setup/hints_window.h"
#include "ui/setup/splash_window.h"
#include "ui/shell/browser_window.h"
#include "ui/shell/company_dialog.h"
#include "ui/shell/power_unit_dialog.h"
#include "ui/shell/root_dir_dialog.h"

namespace tolvane {

namespace {

// Menu captions are shown as they stand: an ampersand in a path is no accelerator.
QString literalCaption(const QString& text)
{
    QString caption = text;
    return caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

TForm1::TForm1(Models models, QWidget* parent)
    : QMainWindow(parent), m_models(models), m_area(new QMdiArea(this))
{
    setWindowTitle(QString::fromLatin1(Caption));
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    setFont(font);
    QPalette colors = palette();
    colors.setColor(QPalette::Window, QColor(192, 192, 192));
    colors.setColor(QPalette::WindowText, QColor(0, 255, 0));
    setPalette(colors);
    m_area->setBackground(QColor(192, 192, 192));
    setCentralWidget(m_area);
    buildMenu();
    connect(&m_models.graph, &GraphSettings::changed, this, &TForm1::syncGraphChecks);
    connect(&m_models.selection, &Selection::historyChanged, this, &TForm1::showHistory);
    syncGraphChecks();
    showHistory();
}

TForm1::~TForm1()
{
    // The graph screen's windows belong to whoever made them, not to the client area.
    for (QMdiSubWindow* frame : {m_browserFrame, m_graphFrame, m_viewerFrame}) {
        if (frame == nullptr || frame->widget() == nullptr)
            continue;
        QWidget* window = frame->widget();
        frame->setWidget(nullptr);
        window->setParent(nullptr);
    }
}

QAction* TForm1::addItem(QMenu* menu, const char* name, const QString& caption, std::function<void()> handler,
                         const QKeySequence& shortcut)
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(QLatin1String(name));
    item->setShortcut(shortcut);
    if (handler)
        connect(item, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
    else
        // Its window is not part of the program yet: the item stays in place, disabled.
        item->setEnabled(false);
    return item;
}

void TForm1::buildMenu()
{
    QMenu* files = menuBar()->addMenu(QStringLiteral("Files"));
    addItem(
        files, "NewTest1", QStringLiteral("New Test"), [this] { emit newTestRequested(); },
        QKeySequence(Qt::Key_F5));
    files->addSeparator();
    addItem(files, "Savedtestlocation1", QStringLiteral("Saved test location"),
            [this] { Savedtestlocation1Click(); });
    files->addSeparator();
    addItem(files, "PrintSelectedFiles1", QStringLiteral("Print..."), {});
    files->addSeparator();
    addItem(
        files, "ExitAll1", QStringLiteral("Exit"), [this] { ExitAll1Click(); },
        QKeySequence(QStringLiteral("Alt+F4")));

    QMenu* graph = menuBar()->addMenu(QStringLiteral("Graph"));
    addItem(
        graph, "Refresh1", QStringLiteral("Refresh"), [this] { Refresh1Click(); },
        QKeySequence(QStringLiteral("Alt+R")));
    graph->addSeparator();
    // Plain handlers, no member-function pointers, which GCC's sanitizers misread when captured.
    const auto addSwitch = [this](QMenu* menu, const char* name, const QString& caption,
                                  std::function<void()> handler) {
        QAction* item = addItem(menu, name, caption, [this, handler = std::move(handler)] {
            handler();
            // The tick follows the settings even when a switch changed nothing.
            syncGraphChecks();
        });
        item->setCheckable(true);
        return item;
    };
    m_switches.rpm1 = addSwitch(graph, "RPM1", QStringLiteral("RPM"), [this] { RPM1Click(); });
    m_switches.mph1 = addSwitch(graph, "MPH1", QStringLiteral("MPH"), [this] { MPH1Click(); });
    graph->addSeparator();
    m_switches.hp1 = addSwitch(graph, "HP1", QStringLiteral("HP"), [this] { HP1Click(); });
    m_switches.torque1 = addSwitch(graph, "Torque1", QStringLiteral("Torque"), [this] { Torque1Click(); });
    m_switches.co1 = addSwitch(graph, "CO1", QStringLiteral("CO%"), [this] { CO1Click(); });
    graph->addSeparator();
    m_switches.corrected1 =
        addSwitch(graph, "Corrected1", QStringLiteral("Corrected"), [this] { Corrected1Click(); });
    m_switches.uncorrected1 =
        addSwitch(graph, "Uncorrected1", QStringLiteral("Uncorrected"), [this] { Uncorrected1Click(); });
    graph->addSeparator();
    m_switches.gridLines1 =
        addSwitch(graph, "GridLines1", QStringLiteral("Grid Lines"), [this] { GridLines1Click(); });

    m_historyMenu = menuBar()->addMenu(QStringLiteral("History"));
    for (int item = 1; item <= Selection::HistorySize; ++item) {
        const QByteArray name = "last_file" + QByteArray::number(item);
        m_historyItems.append(
            addItem(m_historyMenu, name.constData(), QString(), [this, item] { lastFileClick(item); }));
    }
    m_historyMenu->addSeparator();

    QMenu* tools = menuBar()->addMenu(QStringLiteral("Tools"));
    addItem(tools, "FindComPort1", QStringLiteral("Find Com Ports..."), {});
    addItem(tools, "Cal1", QStringLiteral("Calibrate DAQ Unit..."), {});
    addItem(tools, "PowerUnit1", QStringLiteral("Power Units"), [this] {
        if (m_lateWindows)
            m_lateWindows->powerUnits.show();
    });
    tools->addSeparator();
    addItem(tools, "ChangeInertia1", QStringLiteral("Change Inertia..."), [this] {
        if (m_windows)
            m_windows->viewer.ChangeInertia1Click();
    });
    addItem(tools, "ChangeTachRatio1", QStringLiteral("Change Tach. Ratio..."), [this] {
        if (m_windows)
            m_windows->viewer.ChangeRatio1Click();
    });
    tools->addSeparator();
    addItem(
        tools, "RefreshDirectorys1", QStringLiteral("Refresh Directorys"),
        [this] { RefreshDirectorys1Click(); }, QKeySequence(QStringLiteral("Alt+F5")));

    QMenu* window = menuBar()->addMenu(QStringLiteral("Window"));
    addItem(window, "Default1", QStringLiteral("Default"), [this] { Default1Click(); });
    addItem(window, "AsSaved1", QStringLiteral("As Saved"), [this] { AsSaved1Click(); });
    addItem(window, "Save1", QStringLiteral("Save Layout"), [this] { Save1Click(); })->setVisible(false);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    addItem(help, "Show_Browser", QStringLiteral("Help..."), [this] {
        if (m_windows)
            m_windows->about.show();
    })->setVisible(false);
    const QKeySequence hintsKey(QStringLiteral("Alt+F1"));
    m_hintBrowser1 = addItem(
        help, "HintBrowser1", QStringLiteral("Hints..."), [this] { HintBrowser1Click(); }, hintsKey);
    m_hintBrowser1->setVisible(false);
    // The item is hidden, but its key still brings up the hints (a hidden item takes no key).
    connect(new QShortcut(hintsKey, this), &QShortcut::activated, this, &TForm1::HintBrowser1Click);
    addItem(help, "BugList1", QStringLiteral("Bug List..."), {});
    addItem(help, "EnableHintWindows1", QStringLiteral("Show New Test Hints"), [this] { EnableHelp(); });
    help->addSeparator();
    addItem(help, "TolvaneWEB1", QStringLiteral("Tolvane WEB"), [this] { TolvaneWEB1Click(); });
    addItem(help, "About1", QStringLiteral("&About..."), [this] { About1Click(); });
}

void TForm1::syncGraphChecks()
{
    m_switches.showChecks(m_models.graph);
}

void TForm1::showHistory()
{
    const QStringList& history = m_models.selection.history();
    for (int i = 0; i < m_historyItems.size(); ++i)
        m_historyItems[i]->setText(literalCaption(history.value(i)));
}

void TForm1::attach(const Windows& windows)
{
    m_windows = std::make_unique<const Windows>(windows);
    const auto frame = [this](QWidget& window) {
        QMdiSubWindow* sub = m_area->addSubWindow(&window, Qt::SubWindow);
        sub->installEventFilter(this);
        sub->show();
        return sub;
    };
    m_browserFrame = frame(windows.browser);
    m_graphFrame = frame(windows.graph);
    m_viewerFrame = frame(windows.viewer);

    connect(&windows.graph, &TGraph::refreshRequested, this, &TForm1::Refresh1Click);
    connect(&windows.viewer, &TViewFiles::refreshRequested, this, &TForm1::Refresh1Click);
    connect(&windows.browser, &TDirForm::refreshRequested, this, &TForm1::Refresh1Click);
    connect(&windows.browser, &TDirForm::plotAllRequested, &windows.viewer, &TViewFiles::PlotAll);
    connect(&windows.browser, &TDirForm::rootDirectoryDialogRequested, this,
            &TForm1::Savedtestlocation1Click);
    connect(&windows.viewer, &TViewFiles::showGraphRequested, this,
            [this] { m_area->setActiveSubWindow(m_graphFrame); });
    connect(&windows.rootDialog, &TCngDir::rootDirectoryChanged, this, [this](const QString& root) {
        setRootDirectory(root);
        m_windows->browser.CBMK();
    });
    connect(&windows.company, &TCmpNamef::rootDirectoryRequested, this,
            [this] { m_models.prompter.runModal(m_windows->rootDialog); });
    connect(&windows.splash, &Tsplashf::closeAllRequested, this, &QWidget::close);
    connect(&windows.splash, &Tsplashf::viewGraphsRequested, this, &QWidget::showMaximized);
}

void TForm1::attachLateWindows(const LateWindows& windows)
{
    m_lateWindows = std::make_unique<const LateWindows>(windows);
}

QString TForm1::rootDirectory() const
{
    return m_windows->browser.rootDirectory();
}

void TForm1::setRootDirectory(const QString& root)
{
    m_windows->browser.setRootDirectory(root);
    m_windows->viewer.setRootDirectory(root);
    m_windows->rootDialog.setRootDirectory(root);
    emit rootDirectoryChanged(root);
}

// ---- start-up and layout ----

void TForm1::startUp()
{
    AsSaved1Click();
    // The splash window is kept as the exit screen: its buttons shown, the company editable.
    m_windows->splash.OKBClick();
    fitBrowser();
    if (!m_windows->browser.setFileListDirectory(rootDirectory()))
        m_models.prompter.runModal(m_windows->rootDialog);
    m_windows->browser.CBMK();
    LoadLastFiles();
}

void TForm1::AsSaved1Click()
{
    const Configuration& config = m_models.config;
    // A first start has no layout of its own: the graph screen fills the screen in the default
    // layout before anything is asked, and is fitted again to the real size once the window
    // system has sized it (every resize re-applies the default layout).
    const bool firstStart = !config.sectionExists(ConfigSection::WindowPosition);
    if (firstStart) {
        maximise();
        Default1Click();
    }
    m_windows->splash.showLoading();
    m_models.company.set(config.read(ConfigSettings::CompanyName), config.read(ConfigSettings::CompanyAddr));
    if (!m_models.company.isComplete())
        m_models.prompter.runModal(m_windows->company);

    m_models.units.load(config);
    setRootDirectory(config.rootDirectory(m_models.paths));
    const BrowserWidths widths = GraphScreenLayout::repaired({config.read(ConfigSettings::ColorWidth),
                                                              config.read(ConfigSettings::DateWidth),
                                                              config.read(ConfigSettings::FilesWidth)});
    m_models.layout.setBrowserWidths(widths);
    m_models.layout.setNotesFontSize(storedNotesFont(config.read(ConfigSettings::NotesFont)));
    // A colour name the toolkit does not know leaves the graph on its default black.
    const QString background = config.read(ConfigSettings::Colors);
    m_models.graph.setBackgroundColor(
        colorFromName(background) ? background : QString::fromLatin1(ConfigSettings::Colors.fallback));
    m_windows->graph.applyBackground();

    if (firstStart) {
        m_layoutReady = true;
        Default1Click();
        return;
    }
    const QRect main =
        GraphScreenLayout::fittedInto(GraphScreenLayout::mainRect(config.windowRect(LayoutWindow::Main)),
                                      screen()->availableVirtualGeometry());
    m_layoutBusy = true;
    setFrameRect(main);
    const QRect client(QPoint(0, 0), m_area->size());
    const auto child = [&](LayoutWindow window) {
        const QRect saved = GraphScreenLayout::childRect(config.windowRect(window), main.topLeft());
        return GraphScreenLayout::fittedInto(saved, client);
    };
    placeChildren({child(LayoutWindow::Directory), child(LayoutWindow::Graph), child(LayoutWindow::Notes)});
    m_layoutBusy = false;
    fitBrowser();

    m_layoutReady = true;
    if (frameGeometry().height() < 200)
        Default1Click();
}

void TForm1::setFrameRect(const QRect& frame)
{
    // The saved rectangle is the outer one; the window's own size leaves out the frame.
    const QSize decoration = frameGeometry().size() - size();
    move(frame.topLeft());
    resize(frame.size() - decoration);
}

void TForm1::Default1Click()
{
    QSize outer = frameGeometry().size();
    if (GraphScreenLayout::needsMaximise(outer.width(), outer.height())) {
        maximise();
        // A window manager may size the maximised window later (the layout follows that resize);
        // until then the layout uses the size it will get.
        outer = frameGeometry().size();
        if (GraphScreenLayout::needsMaximise(outer.width(), outer.height()))
            outer = screen()->availableGeometry().size();
    }
    m_layoutBusy = true;
    placeChildren(GraphScreenLayout::defaults(outer.width(), outer.height()));
    m_layoutBusy = false;
    fitBrowser();
}

void TForm1::maximise()
{
    if (!isMaximized()) {
        // Without a window manager nothing would size a maximised window: it takes the screen's
        // free area itself, and a window manager then fits its frame in.
        setGeometry(screen()->availableGeometry());
        showMaximized();
    }
}

GraphScreenRects TForm1::childRects() const
{
    return {m_browserFrame->geometry(), m_graphFrame->geometry(), m_viewerFrame->geometry()};
}

void TForm1::placeChildren(const GraphScreenRects& rects)
{
    m_browserFrame->setGeometry(rects.browser);
    m_graphFrame->setGeometry(rects.graph);
    m_viewerFrame->setGeometry(rects.viewer);
}

void TForm1::fitBrowser()
{
    m_windows->browser.fitToWidth(frameGeometry().height());
}

void TForm1::tileAfter(QMdiSubWindow* resized)
{
    if (m_layoutBusy)
        return;
    m_layoutBusy = true;
    const QSize outer = frameGeometry().size();
    if (resized == m_browserFrame)
        placeChildren(GraphScreenLayout::afterBrowserResize(childRects(), outer));
    else if (resized == m_graphFrame)
        placeChildren(GraphScreenLayout::afterGraphResize(childRects(), outer));
    else
        placeChildren(GraphScreenLayout::afterViewerResize(childRects()));
    m_layoutBusy = false;
    fitBrowser();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize) {
        auto* frame = static_cast<QMdiSubWindow*>(watched);
        // Only a visible window that really changed size moves its siblings; the first sizing
        // when a window appears is not the operator's.
        if (frame->isVisible() && static_cast<QResizeEvent*>(event)->oldSize().isValid())
            tileAfter(frame);
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (m_layoutReady && !m_layoutBusy && isVisible() && event->oldSize().isValid())
        Default1Click();
}

void TForm1::Save1Click()
{
    m_windows->browser.MemoModified();
    ConfigChanges changes = m_models.config.changes();
    changes.set(ConfigKeys::CompanyName, m_models.company.name());
    changes.set(ConfigKeys::CompanyAddr, m_models.company.address());
    m_models.units.save(changes);
    changes.set(ConfigKeys::RootDirectory, rootDirectory());
    const BrowserWidths& widths = m_models.layout.browserWidths();
    changes.set(ConfigKeys::ColorWidth, widths.color);
    changes.set(ConfigKeys::DateWidth, widths.date);
    changes.set(ConfigKeys::FilesWidth, widths.files);
    changes.set(ConfigKeys::FileMask, QStringLiteral("N/A"));
    changes.set(ConfigKeys::NotesFont, m_models.layout.notesFontSize());
    changes.set(ConfigKeys::Colors, m_models.graph.backgroundColor());
    m_models.selection.writeHistory(changes, m_models.viewer.fileIndex());
    const QPoint mainTopLeft = frameGeometry().topLeft();
    const GraphScreenRects rects = childRects();
    changes.setWindowRect(LayoutWindow::Main, GraphScreenLayout::savedMainRect(frameGeometry()));
    changes.setWindowRect(LayoutWindow::Graph, GraphScreenLayout::savedChildRect(rects.graph, mainTopLeft));
    changes.setWindowRect(LayoutWindow::Directory,
                          GraphScreenLayout::savedChildRect(rects.browser, mainTopLeft));
    changes.setWindowRect(LayoutWindow::Notes, GraphScreenLayout::savedChildRect(rects.viewer, mainTopLeft));
    if (const auto error = m_models.config.apply(changes))
        m_models.prompter.inform(QStringLiteral("Save Layout"), error->message, PromptIcon::Warning);
}

void TForm1::closeEvent(QCloseEvent* event)
{
    Save1Click();
    m_layoutReady = false;
    event->accept();
    emit closed();
}

// ---- History and Refresh ----

QString TForm1::historyPath(int item) const
{
    const QString caption = m_models.selection.history().value(item - 1);
    return resolveInsideRoot(rootDirectory(), caption).value_or(QString());
}

void TForm1::LoadLastFiles()
{
    const Configuration& config = m_models.config;
    m_windows->splash.showLoading();
    QStringList history;
    for (int n = 1; n <= Selection::HistorySize; ++n)
        history.append(config.history(n));
    m_models.selection.setHistory(history);

    const int newest = std::min(config.read(ConfigSettings::FileIndex), Selection::HistorySize);
    for (int item = newest; item >= 1; --item)
        lastFileClick(item);
    const QString recent = historyPath(1);
    // The lists follow the newest file's folder; one that is not there (the sample entry of a
    // first start, a folder removed since) would only show folders that do not exist.
    if (!recent.isEmpty() && QFileInfo(recent).dir().exists())
        m_windows->browser.WriteDirBoxs(recent);
    if (m_models.selection.runCount() >= 2)
        m_windows->viewer.PlotAll();
    m_models.viewer.setCurrentFile(recent);
}

void TForm1::lastFileClick(int item)
{
    m_windows->browser.addHistoryItem(m_models.selection.history().value(item - 1));
}

void TForm1::showSavedRun(const QString& savedPath)
{
    TDirForm& browser = m_windows->browser;
    browser.setFileListDirectory(QFileInfo(m_models.viewer.currentFile()).path());
    show();
    m_models.selection.replaceNewestHistory(Selection::historyEntry(rootDirectory(), savedPath));
    lastFileClick(1);
    Refresh1Click();
    browser.SelfilegSelectCell(m_models.selection.runCount());
    Refresh1Click();
}

void TForm1::Refresh1Click()
{
    if (m_models.selection.runCount() >= 1)
        m_windows->viewer.PlotAll();
    m_windows->browser.WrtRegClick();
    m_windows->browser.repaintSelection();
}

void TForm1::WrtRtDr()
{
    if (const auto error = m_models.config.write(ConfigKeys::RootDirectory, rootDirectory()))
        m_models.prompter.inform(QStringLiteral("Root Directory"), error->message, PromptIcon::Warning);
}

// ---- Graph switches ----

void TForm1::RPM1Click()
{
    chooseEngineSpeedAxis(m_models.graph, m_models.chart, m_models.units.engineSpeedUnit());
    Refresh1Click();
}

void TForm1::MPH1Click()
{
    chooseRoadSpeedAxis(m_models.graph, m_models.chart, m_models.units.roadSpeedUnit());
    Refresh1Click();
}

void TForm1::HP1Click()
{
    m_models.graph.setShowPower(!m_models.graph.showPower());
    Refresh1Click();
}

void TForm1::Torque1Click()
{
    m_models.graph.setShowTorque(!m_models.graph.showTorque());
    Refresh1Click();
}

void TForm1::CO1Click()
{
    m_models.graph.setShowCo(!m_models.graph.showCo());
    Refresh1Click();
}

void TForm1::Corrected1Click()
{
    chooseCorrected(m_models.graph, m_models.chart, true);
    Refresh1Click();
    m_windows->graph.WriteAxis();
}

void TForm1::Uncorrected1Click()
{
    chooseCorrected(m_models.graph, m_models.chart, false);
    Refresh1Click();
}

void TForm1::GridLines1Click()
{
    toggleGridLines(m_models.graph, m_models.chart);
    Refresh1Click();
}

// ---- the other menu items ----

void TForm1::Savedtestlocation1Click()
{
    m_models.prompter.runModal(m_windows->rootDialog);
}

void TForm1::RefreshDirectorys1Click()
{
    m_windows->browser.CBMK();
    WrtRtDr();
}

void TForm1::ExitAll1Click()
{
    hide();
    m_windows->splash.show();
}

void TForm1::About1Click()
{
    m_windows->splash.showAbout(m_models.prompter);
}

void TForm1::TolvaneWEB1Click()
{
    m_models.prompter.openAddress(QString::fromLatin1(WebAddress));
}

void TForm1::HintBrowser1Click()
{
    // Nothing ticks the item, so this shows the hints; a ticked item would close them.
    if (!m_lateWindows)
        return;
    if (m_hintBrowser1->isChecked())
        m_lateWindows->hints.close();
    else
        m_lateWindows->hints.show();
}

void TForm1::EnableHelp()
{
    ConfigChanges changes = m_models.config.changes();
    changes.setShowHelp(true);
    if (const auto error = m_models.config.apply(changes))
        m_models.prompter.inform(QStringLiteral("Help"), error->message, PromptIcon::Warning);
}

} // namespace tolvane
