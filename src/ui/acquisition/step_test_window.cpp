#include "ui/acquisition/step_test_window.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QSplitter>
#include <QTableWidget>
#include <QTextCursor>
#include <QVBoxLayout>

#include "core/acquisition/acquisition_session.h"
#include "core/acquisition/step_controller.h"
#include "core/analysis/graph_settings.h"
#include "core/analysis/viewer_state.h"
#include "core/common/configuration.h"
#include "core/common/number_text.h"
#include "core/common/prompter.h"
#include "core/common/text_file.h"
#include "core/setup/test_setup.h"
#include "core/setup/unit_settings.h"
#include "core/setup/weather_record.h"
#include "platform/chart/toolkit_colors.h"
#include "ui/acquisition/load_gauge.h"
#include "ui/acquisition/scrolling_tachometer.h"
#include "ui/acquisition/step_diagnostics_panel.h"
#include "ui/acquisition/step_gauges.h"
#include "ui/acquisition/step_graphs.h"
#include "ui/acquisition/step_inertia_measurement.h"
#include "ui/acquisition/step_memo_binding.h"
#include "ui/acquisition/step_panels.h"
#include "ui/acquisition/step_test_menus.h"

namespace tolvane {

namespace {

const QString Zero = QStringLiteral("0.0");
const QString ReadyText = QStringLiteral("Ready");
const QString ConnectedText = QStringLiteral(" Ready ");

QColor colour(const QString& name)
{
    return colorFromName(name).value_or(QColor(Qt::black));
}

// Dark bars get white text, light ones black, so every state stays readable.
QColor textOn(const QColor& background)
{
    return background.lightness() > 110 ? QColor(Qt::black) : QColor(Qt::white);
}

QCheckBox* switchBox(QWidget* parent, const char* name, const QString& caption)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    box->setChecked(true);
    return box;
}

} // namespace

TDisply::TDisply(const StepWindowModels& models, QWidget* parent)
    : QMainWindow(parent), m_models(models), m_session(models.session)
{
    setObjectName(QStringLiteral("TDisply"));
    setWindowTitle(models.demoDyno ? QStringLiteral("Step Test - Demo Dyno") : QStringLiteral("Step Test"));
    m_menus = std::make_unique<StepTestMenus>(*this, models.demoDyno);
    menuBar()->setStyleSheet(QStringLiteral("QMenuBar { background: #C0C0C0; color: black; }"));

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("DisplyClient"));
    central->setAutoFillBackground(true);
    QPalette black = central->palette();
    black.setColor(QPalette::Window, Qt::black);
    black.setColor(QPalette::WindowText, Qt::white);
    central->setPalette(black);
    central->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(central, &QWidget::customContextMenuRequested, this,
            [this, central](const QPoint& at) { m_menus->popup->exec(central->mapToGlobal(at)); });

    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);
    m_panels = new StepPanels(central);
    layout->addWidget(m_panels);

    m_graphs = new StepGraphs(central);
    m_grid = new QTableWidget(10, 11, central);
    m_grid->setObjectName(QStringLiteral("StringGrid1"));
    m_grid->hide();
    m_graphSplitter = new QSplitter(Qt::Horizontal, central);
    m_graphSplitter->setObjectName(QStringLiteral("Splitter1"));
    m_graphSplitter->addWidget(m_grid);
    m_graphSplitter->addWidget(m_graphs->xyGraph2());
    auto* middle = new QHBoxLayout;
    middle->addWidget(buildControls());
    middle->addWidget(m_graphs->xyGraph1(), 3);
    middle->addWidget(m_graphSplitter, 2);
    layout->addLayout(middle, 1);

    m_status = liveLabel(central, "Statusp", NoDataText, 20, "clBlack", true);
    m_status->setAutoFillBackground(true);
    m_status->setFixedHeight(34);
    m_status->setContentsMargins(8, 0, 8, 0);
    layout->addWidget(m_status);
    m_gauges = new StepGauges(models.locale, central);
    layout->addWidget(m_gauges->Tachp());
    layout->addWidget(m_gauges->LoadGauge());

    // The heading line and the memo share font and tab stops, so the headings stand over their
    // columns.
    QFont mono(QStringLiteral("DejaVu Sans Mono"));
    mono.setPixelSize(14);
    m_heder = new QPlainTextEdit(central);
    m_heder->setObjectName(QStringLiteral("Heder"));
    m_heder->setReadOnly(true);
    m_heder->setFocusPolicy(Qt::NoFocus);
    m_heder->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_heder->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_heder->setFixedHeight(24);
    m_memo = new QPlainTextEdit(central);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setFixedHeight(120);
    for (QPlainTextEdit* text : {m_heder, m_memo}) {
        text->setFont(mono);
        text->setTabStopDistance(110);
        layout->addWidget(text);
    }
    m_heder->setStyleSheet(
        QStringLiteral("QPlainTextEdit { background: black; color: #00FFFF; border: none; }"));
    m_memo->setStyleSheet(
        QStringLiteral("QPlainTextEdit { background: black; color: #00FF00; border: 1px solid gray; }"));
    m_memoBinding = new StepMemoBinding(
        *m_memo, m_session.memo(), models.prompter, [this] { return m_models.libraryRoot; }, this);
    m_diagnostics = new StepDiagnosticsPanel(central);
    m_diagnostics->hide();
    layout->addWidget(m_diagnostics);
    setCentralWidget(central);

    m_timer.setInterval(TimerIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &TDisply::Timer1Timer);
    connectMenus();
    connectControls();
    m_inertia = std::make_unique<StepInertiaMeasurement>(m_session, models.prompter, models.locale,
                                                         models.paths.testDataDump());
    m_session.setDisplay(this);
    showStatus({NoDataText, QStringLiteral("clGray")});
}

TDisply::~TDisply()
{
    m_session.setDisplay(nullptr);
}

QWidget* TDisply::buildControls()
{
    auto* column = new QWidget(this);
    column->setFixedWidth(230);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    m_tachRatio = liveLabel(column, "TakRatioL", QString(), 15, "clWhite", true);
    layout->addWidget(m_tachRatio);
    layout->addWidget(liveLabel(column, "DirCaption", QStringLiteral("Directory."), 13, "clSilver"));
    m_testName = liveLabel(column, "TestNameL", QString(), 15, "clWhite", true);
    layout->addWidget(m_testName);
    m_autoRec = switchBox(column, "AutoRec", QStringLiteral("Auto Record"));
    m_autoDecel = switchBox(column, "AutoDcelcb", QStringLiteral("Auto Deceleration"));
    m_autoInc = switchBox(column, "AutoInc", QStringLiteral("Auto Increment"));
    m_autoWarm = switchBox(column, "Auto_Warm", QStringLiteral("Auto Warm up"));
    for (QCheckBox* box : {m_autoRec, m_autoDecel, m_autoInc, m_autoWarm}) {
        box->setStyleSheet(QStringLiteral("QCheckBox { color: white; font-size: 14px; }"));
        layout->addWidget(box);
    }
    m_manualRecord = new QPushButton(QStringLiteral("Manual Record"), column);
    m_manualRecord->setObjectName(QStringLiteral("ManRecB"));
    layout->addWidget(m_manualRecord);
    m_scriptLB = new QListWidget(column);
    m_scriptLB->setObjectName(QStringLiteral("ScriptLB"));
    m_scriptLB->setStyleSheet(
        QStringLiteral("QListWidget { background: black; color: #00FFFF; font-size: 16px; "
                       "border: 1px solid gray; } QListWidget::item:selected { "
                       "background: #000080; color: white; }"));
    layout->addWidget(m_scriptLB, 1);
    return column;
}

void TDisply::connectMenus()
{
    const StepTestMenus& m = *m_menus;
    for (QAction* save : {m.SaveData1, m.SaveTest2})
        connect(save, &QAction::triggered, this, &TDisply::saveRequested);
    for (QAction* graphs : {m.GotoGraphs1, m.GotoGraphs2})
        connect(graphs, &QAction::triggered, this, &TDisply::GotoGraphsClick);
    connect(m.ExitAll1, &QAction::triggered, this, &TDisply::ExitAllClick);
    connect(m.Restart1, &QAction::triggered, this, &TDisply::RestartClick);
    connect(m.Stop1, &QAction::triggered, this, &TDisply::StopClick);
    // No gas-analyzer window exists whose showing "Enable EGA" would follow: the setup keeps it.
    for (QAction* setup : {m.TestSetup1, m.TestSetup2})
        connect(setup, &QAction::triggered, this, &TDisply::testSetupRequested);
    for (QAction* tach : {m.SetTachRatio1, m.SetTachRatio2})
        connect(tach, &QAction::triggered, this, &TDisply::tachRatioWindowRequested);
    for (QAction* load : {m.CalibrateLoadCell1, m.CalibrateLoadCell2})
        connect(load, &QAction::triggered, this, &TDisply::loadCellWindowRequested);
    for (QAction* inertia : {m.CalInertia1, m.CalInertia2})
        connect(inertia, &QAction::triggered, this, &TDisply::CalInertiaClick);
    // The hidden item's key still works, as the operator who knows it expects.
    auto* inertiaKey = new QShortcut(m.CalInertia1->shortcut(), this);
    connect(inertiaKey, &QShortcut::activated, this, &TDisply::CalInertiaClick);
    for (QAction* demo : {m.DemoDyno1, m.DemoDyno2})
        connect(demo, &QAction::triggered, this, &TDisply::demoDynoWindowRequested);
    connect(m.Hints1, &QAction::triggered, this, [this](bool checked) { emit hintsToggled(checked); });
    connect(m.About1, &QAction::triggered, this, &TDisply::aboutRequested);
    connect(m.ToggleUSB2, &QAction::triggered, this, &TDisply::ToggleUSBClick);
    connect(m.LoadBackup2, &QAction::triggered, this, &TDisply::LoadBackupClick);
    connect(m.SaveEventBmp2, &QAction::triggered, this, &TDisply::SaveEventBmpClick);
    for (int n = 2; n <= 12; ++n) {
        auto* key = new QShortcut(QKeySequence(Qt::Key_F1 + (n - 1)), this);
        connect(key, &QShortcut::activated, this, [this, n] { emit functionKeyPressed(n); });
    }
}

void TDisply::connectControls()
{
    StepController& c = m_session.controller();
    connect(&c, &StepController::restarted, this, &TDisply::onRestarted);
    connect(&m_session.link(), &BlackBoxLink::changed, this, &TDisply::showConnection);
    connect(&m_models.weather, &WeatherRecord::changed, this, &TDisply::takeStation);
    connect(m_scriptLB, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ScriptLBClick(m_scriptLB->row(item)); });
    // clicked, not toggled: only the operator's switching goes to the controller.
    const auto bind = [this](QCheckBox* box, void (StepController::*set)(bool)) {
        connect(box, &QCheckBox::clicked, this, [this, set](bool checked) {
            (m_session.controller().*set)(checked);
            showSwitches();
        });
    };
    bind(m_autoRec, &StepController::setAutoRecord);
    bind(m_autoDecel, &StepController::setAutoDeceleration);
    bind(m_autoInc, &StepController::setAutoIncrement);
    bind(m_autoWarm, &StepController::setAutoWarmUp);
    connect(m_manualRecord, &QPushButton::pressed, this, [this] {
        m_session.controller().manualRecordPressed();
        showSwitches();
    });
    connect(m_manualRecord, &QPushButton::released, this, [this] {
        m_session.controller().manualRecordReleased();
        showSwitches();
    });
    connect(m_diagnostics, &StepDiagnosticsPanel::outputCodeMoved, this,
            [this](int code) { m_session.controller().output().setCode(code); });
    connect(m_diagnostics, &StepDiagnosticsPanel::smoothingDepthMoved, this,
            [this](int depth) { m_session.decoder().smoothing().setDepth(depth); });
    connect(m_diagnostics, &StepDiagnosticsPanel::rollerConstantEdited, this, [this](const QString& text) {
        if (m_session.decoder().setRollerSpeedConstantText(text))
            return;
        m_models.prompter.inform(QStringLiteral("Roller speed constant"),
                                 QStringLiteral("\"%1\" is not a number above 0; the constant stays %2.")
                                     .arg(text, m_session.decoder().rollerSpeedConstantText()),
                                 PromptIcon::Error);
        m_diagnostics->showRollerConstant(m_session.decoder().rollerSpeedConstantText());
    });
    connect(m_diagnostics, &StepDiagnosticsPanel::connectClicked, this, [this] { m_session.connectUnit(); });
    connect(m_diagnostics, &StepDiagnosticsPanel::disconnectClicked, this, &TDisply::StopClick);
}

void TDisply::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TDisply::hideEvent(QHideEvent* event)
{
    QMainWindow::hideEvent(event);
    if (!event->spontaneous())
        FormHide();
}

void TDisply::takeUnits()
{
    const UnitSettings& u = m_models.units;
    m_heder->setPlainText(u.engineSpeedUnit() + QLatin1Char('\t') + u.roadSpeedUnit() + QLatin1Char('\t') +
                          u.powerUnitLabel() + QLatin1Char('\t') + u.forceUnit() + QLatin1Char('\t') +
                          u.egaHeadings());
    m_panels->takeUnits(u);
    m_graphs->setUnitTitles(u.engineSpeedUnit(), u.powerUnitLabel());
    m_session.takeDisplayFactors();
}

void TDisply::takeStation()
{
    const WeatherRecord& w = m_models.weather;
    // No station yet leaves the factor at 0; the displays and the record points need a factor.
    m_session.decoder().setStationValues(
        {w.StationCorr() > 0.0 ? w.StationCorr() : 1.0, w.StationTemp(), w.StationBaro(), w.StationHumid()});
}

void TDisply::reloadCalibration()
{
    m_session.setCalibration(readLiveCalibration(m_models.configuration, LiveWindow::Step));
}

void TDisply::FormShow()
{
    m_timer.start();
    takeUnits();
    if (m_models.viewer.runCorrection() == 0.0)
        m_models.viewer.setRunCorrection(1.0);
    reloadCalibration();
    takeStation();
    const TestSetup& setup = m_session.setup();
    m_gauges->setLimits(setup.value(TestSetup::Spin::Mxfpss), setup.value(TestSetup::Spin::MxLbss));
    m_testName->setText(setup.text(TestSetup::Text::NmL));
    m_menus->Stop1->setText(QStringLiteral("Stop"));
    showStatus({ReadyText, StatusColour::Waiting});
    // Lines a killed test left, taken before the restart clears the memo's marker.
    const QStringList unsaved = m_memoBinding->unsavedBackup();
    RestartClick();
    m_graphs->setUpEventGraph();
    if (!unsaved.isEmpty())
        m_memoBinding->offerBackup(unsaved);
}

void TDisply::FormHide()
{
    m_session.disconnectUnit();
}

void TDisply::handleChoice(RecordedDataChoice choice)
{
    if (choice == RecordedDataChoice::Save)
        emit saveRequested();
}

void TDisply::RestartClick()
{
    handleChoice(m_session.controller().restart());
}

void TDisply::onRestarted()
{
    m_graphs->refreshPowerGraph(m_models.graphPreview, m_models.viewer.runCorrection(),
                                m_models.graphSettings.pointTolerance());
    showTargets();
    showSwitches();
    showControllerStatus();
    // Connecting last: a newly opened link's " Ready " is what the bar shows until a frame comes.
    m_session.connectUnit();
}

void TDisply::startFromSetup()
{
    m_session.controller().startFromSetup();
    m_testName->setText(m_session.setup().text(TestSetup::Text::NmL));
    showTargets();
    showSwitches();
    showTachRatio();
}

void TDisply::StopClick()
{
    m_session.disconnectUnit();
}

void TDisply::leaveWith(RecordedDataChoice choice, void (TDisply::*request)())
{
    if (choice != RecordedDataChoice::Proceed)
        return handleChoice(choice);
    hide();
    emit(this->*request)();
}

void TDisply::GotoGraphsClick()
{
    leaveWith(m_session.controller().leaveForGraphs(), &TDisply::graphsRequested);
}

void TDisply::ExitAllClick()
{
    leaveWith(m_session.controller().confirmExit(), &TDisply::exitAllRequested);
}

void TDisply::ScriptLBClick(int line)
{
    m_session.controller().selectTarget(line);
    showControllerStatus();
    showTargets();
}

void TDisply::setTachWindowShowing(bool showing)
{
    m_session.controller().setTachWindowShowing(showing);
}

void TDisply::setHintsShowing(bool showing)
{
    m_menus->Hints1->setChecked(showing);
}

void TDisply::Timer1Timer()
{
    // The timer stops on its first tick after the window was hidden or the unit let go.
    if (!isVisible() || !m_session.link().state().pollTimerRunning) {
        m_timer.stop();
        return;
    }
    m_statusOverride.clear();
    const TickResult result = m_session.tick();
    if (result.frameRead)
        afterFrame(result);
}

void TDisply::afterFrame(const TickResult& result)
{
    const StepController& c = m_session.controller();
    if (result.decode.outcome == FrameOutcome::Accepted)
        m_inertia->record(m_session.decoder().sample());
    if (!m_inertia->isRunning()) {
        if (!m_statusOverride.isEmpty())
            showStatus({m_statusOverride, m_statusShown.colour});
        else
            showControllerStatus();
    }
    if (c.scriptIndex() != m_shownIndex)
        showTargets();
    m_panels->setWarmUpCaption(c.warmUpCaption());
    showTachRatio();
    m_graphs->followTrace(c.eventTrace());
    m_graphs->followRecordPoints(c.recordPoints());
    if (m_diagnostics->isVisible()) {
        m_diagnostics->showFrame(result.frame, m_session.decoder().rollerSpeedConstantText().toDouble(),
                                 m_session.decoder().sample().time);
        m_diagnostics->showLink(m_session.link().state());
        m_diagnostics->showOutputCode(c.output().code());
    }
}

void TDisply::showStatus(const LiveStatus& status)
{
    if (status == m_statusShown)
        return;
    m_statusShown = status;
    m_status->setText(status.text);
    const QColor background = colour(status.colour);
    m_status->setStyleSheet(
        QStringLiteral("background: %1; color: %2;").arg(background.name(), textOn(background).name()));
}

void TDisply::showControllerStatus()
{
    showStatus(m_session.controller().status());
}

void TDisply::showConnection()
{
    const BlackBoxLinkState& state = m_session.link().state();
    if (state.windowCaption)
        setWindowTitle(*state.windowCaption);
    if (m_diagnostics->isVisible())
        m_diagnostics->showLink(state);
    const bool open = m_session.link().isOpen();
    if (open == m_wasOpen)
        return;
    m_wasOpen = open;
    if (open) {
        m_panels->setTexts(Zero, Zero, Zero);
        showStatus({ConnectedText, StatusColour::Waiting});
        if (isVisible() && state.pollTimerRunning)
            m_timer.start();
    } else {
        m_timer.stop();
        m_panels->setTexts(QStringLiteral("Check"), QStringLiteral("no"), QStringLiteral("USB"));
        showStatus({NoDataText, QStringLiteral("clGray")});
    }
}

void TDisply::showTargets()
{
    const StepController& c = m_session.controller();
    if (m_scriptLB->count() != c.targets().size()) {
        m_scriptLB->clear();
        m_scriptLB->addItems(c.targets());
    } else {
        for (int i = 0; i < m_scriptLB->count(); ++i)
            if (m_scriptLB->item(i)->text() != c.targets()[i])
                m_scriptLB->item(i)->setText(c.targets()[i]);
    }
    m_shownIndex = c.scriptIndex();
    if (m_shownIndex >= 0 && m_shownIndex < m_scriptLB->count())
        m_scriptLB->setCurrentRow(m_shownIndex);
}

void TDisply::showSwitches()
{
    const StepController& c = m_session.controller();
    m_autoRec->setChecked(c.autoRecord());
    m_autoDecel->setChecked(c.autoDeceleration());
    m_autoInc->setChecked(c.autoIncrement());
    m_autoWarm->setChecked(c.autoWarmUp());
    m_panels->setWarmUpCaption(c.warmUpCaption());
}

void TDisply::showTachRatio()
{
    const float ratio = m_session.decoder().tachRatio();
    if (ratio == m_shownRatio)
        return;
    m_shownRatio = ratio;
    m_tachRatio->setText(QStringLiteral("Tach Ratio  ") + formatNumber(ratio, u"0.000", m_models.locale) +
                         QStringLiteral(":1"));
}

void TDisply::LoadBackupClick()
{
    m_memoBinding->loadBackup();
}

void TDisply::ToggleUSBClick()
{
    m_diagnostics->setVisible(!m_diagnostics->isVisible());
    if (m_diagnostics->isVisible()) {
        m_diagnostics->showLink(m_session.link().state());
        m_diagnostics->showOutputCode(m_session.controller().output().code());
        m_diagnostics->showSmoothingDepth(m_session.decoder().smoothing().depth());
        m_diagnostics->showRollerConstant(m_session.decoder().rollerSpeedConstantText());
    }
}

void TDisply::SaveEventBmpClick()
{
    if (const std::optional<FileError> error = m_graphs->saveEventImage(m_models.paths.eventRecorderImage()))
        m_models.prompter.inform(QStringLiteral("Save Event bmp"), error->message, PromptIcon::Error);
}

// --- the inertia measurement ---

QLabel* TDisply::Hpl() const
{
    return m_panels->Hpl();
}

bool TDisply::isMeasuringInertia() const
{
    return m_inertia->isRunning();
}

void TDisply::CalInertiaClick()
{
    using Outcome = StepInertiaMeasurement::Outcome;
    const Outcome outcome = m_inertia->toggle();
    m_menus->CalInertia1->setChecked(m_inertia->isRunning());
    m_menus->CalInertia2->setChecked(m_inertia->isRunning());
    if (outcome == Outcome::NotStarted)
        return;
    if (outcome == Outcome::Started)
        return showStatus({StepInertiaMeasurement::StatusText, StepInertiaMeasurement::StatusColourName});
    m_menus->Stop1->setText(QStringLiteral("Stop"));
    showStatus({ReadyText, StatusColour::Waiting});
    if (outcome == Outcome::Dumped)
        emit saveRequested();
}

// --- display hooks, called by the decoder during the tick ---

void TDisply::showStatusText(const QString& text)
{
    m_statusOverride = text;
}

void TDisply::showEngineSpeed(const DynoSample& sample)
{
    if (sample.rollerRpm > 20.0 && m_session.decoder().tachRatio() > 0.0f)
        m_gauges->showEngineSpeed(sample.engineRpm);
}

void TDisply::showLoadGauge(float angularAcceleration, float forceRate)
{
    m_gauges->showLoadGauge(angularAcceleration, forceRate);
}

void TDisply::showValues(const DisplayedValues& values)
{
    m_panels->showValues(values, m_models.locale);
}

void TDisply::setPowerPanelTeal(bool teal)
{
    m_panels->setPowerTeal(teal);
}

} // namespace tolvane
