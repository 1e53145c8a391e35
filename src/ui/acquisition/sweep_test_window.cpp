#include "ui/acquisition/sweep_test_window.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

#include "core/acquisition/acquisition_session.h"
#include "core/acquisition/live_calibration.h"
#include "core/acquisition/record_backup.h"
#include "core/acquisition/record_memo.h"
#include "core/acquisition/sweep_controller.h"
#include "core/common/clock.h"
#include "core/common/date_time.h"
#include "core/common/number_text.h"
#include "core/common/prompter.h"
#include "core/setup/test_setup.h"
#include "core/setup/unit_settings.h"
#include "platform/chart/toolkit_colors.h"
#include "ui/acquisition/link_diagnostics_panel.h"
#include "ui/acquisition/round_dials.h"

namespace tolvane {

namespace {

constexpr int TestStatusPoints = 28;
constexpr int RollerConstantDigits = 12;

// The diagnostics slider and scroll bars: what the brake loop and the poll use until moved.
constexpr int PollMinMs = 1;
constexpr int PollMaxMs = 100;

QString colourStyle(const QString& colourName, const char* property)
{
    const QColor colour = colorFromName(colourName).value_or(Qt::black);
    return QStringLiteral("%1: %2;").arg(QLatin1String(property), colour.name());
}

// Dark bars get white text, light ones black, so every state stays legible.
QString barStyle(const QString& colourName)
{
    const QColor colour = colorFromName(colourName).value_or(Qt::black);
    const bool dark = colour.lightness() < 110;
    return QStringLiteral("background: %1; color: %2; padding-left: 8px;")
        .arg(colour.name(), dark ? QStringLiteral("white") : QStringLiteral("black"));
}

QPushButton* actionPanel(QWidget* parent, const char* name, const QString& caption)
{
    auto* panel = new QPushButton(caption, parent);
    panel->setObjectName(QLatin1String(name));
    panel->setFocusPolicy(Qt::NoFocus);
    panel->setStyleSheet(QStringLiteral("QPushButton { background: #C0C0C0; color: black; border: 2px outset #E0E0E0;"
                                        " padding: 6px 14px; font-weight: bold; }"
                                        "QPushButton:pressed { border-style: inset; }"));
    return panel;
}

QSpinBox* hiddenSpin(QWidget* parent, const char* name, int minimum, int maximum, int value)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(minimum, maximum);
    box->setValue(value);
    box->hide();
    return box;
}

} // namespace

TAccF::TAccF(SweepSession& session, TestSetup& setup, UnitSettings& units, const Configuration& configuration,
             const Clock& clock, Prompter& prompter, QString libraryRoot, bool demoDyno, QWidget* parent)
    : QWidget(parent), m_session(session), m_setup(setup), m_units(units), m_configuration(configuration),
      m_clock(clock), m_prompter(prompter), m_libraryRoot(std::move(libraryRoot)), m_demoDyno(demoDyno)
{
    setObjectName(QStringLiteral("AccF"));
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(6);
    layout->addLayout(buildPanels());

    m_testStatus = new QLabel(this);
    m_testStatus->setObjectName(QStringLiteral("TstStat"));
    m_testStatus->setAlignment(Qt::AlignCenter);
    m_testStatus->setAutoFillBackground(true);
    layout->addWidget(m_testStatus);

    m_dials = new RoundDials(this);
    m_dials->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_dials->setMinimumHeight(200);
    // Spare height goes above and below the dials, whose height is held to their width.
    layout->addStretch(1);
    layout->addWidget(m_dials, 8);
    layout->addStretch(1);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("Statusp"));
    m_status->setMinimumHeight(34);
    QFont statusFont = m_status->font();
    statusFont.setPointSize(14);
    statusFont.setBold(true);
    m_status->setFont(statusFont);
    layout->addWidget(m_status);
    layout->addWidget(buildActions());

    buildHiddenControls();
    buildPopup();

    m_timer.setInterval(DefaultPollMs);
    connect(&m_timer, &QTimer::timeout, this, &TAccF::Timer1Timer);

    m_session.setDisplay(this);
    SweepController& controller = m_session.controller();
    // Queued: the save flow may show dialogs, which must not run inside the tick that decoded the
    // sample (the poll would run again within its own pass).
    connect(&controller, &SweepController::saveRequested, this, &TAccF::saveRequested, Qt::QueuedConnection);
    connect(&m_session.memo(), &RecordMemo::changed, this, &TAccF::showMemo);
    connect(&m_session.link(), &BlackBoxLink::changed, this, [this] {
        m_usbPanel->showLink(m_session.link().state());
        showCaption();
    });
    m_lastTarget = controller.target();
    m_usbPanel->showLink(m_session.link().state());
    showCaption();
    showStatus();
    for (QLabel* panel : {m_speed, m_power, m_acceleration, m_torque})
        panel->setText(formatNumber(0.0, u"0.0", m_setup.locale()));
    showUnitLabels();
}

TAccF::~TAccF()
{
    m_session.setDisplay(nullptr);
}

QLayout* TAccF::buildPanels()
{
    // The labels sit in the window's own layout, so their new sizes on a resize are laid out at
    // once rather than on a later pass of a nested widget.
    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(0);
    int column = 0;
    const auto panel = [&](const char* name, const char* unitName, const char* colour, QLabel*& value,
                           QLabel*& unit) {
        value = new QLabel(this);
        value->setObjectName(QLatin1String(name));
        value->setAlignment(Qt::AlignCenter);
        value->setStyleSheet(QStringLiteral("color: %1; background: black; border: 1px solid #404040;")
                                 .arg(QLatin1String(colour)));
        unit = new QLabel(this);
        unit->setObjectName(QLatin1String(unitName));
        unit->setAlignment(Qt::AlignCenter);
        unit->setStyleSheet(QStringLiteral("color: #C0C0C0; background: black;"));
        grid->addWidget(value, 0, column);
        grid->addWidget(unit, 1, column);
        grid->setColumnStretch(column, 1);
        ++column;
    };
    panel("mphl", "mphUnit", "#00FFFF", m_speed, m_speedUnit);
    panel("Hpl", "HpUnit", "#FFFF00", m_power, m_powerUnit);
    panel("Accl", "AccUnit", "#00FF00", m_acceleration, m_accelerationUnit);
    panel("Tql", "TqUnit", "#FFFFFF", m_torque, m_torqueUnit);
    return grid;
}

QWidget* TAccF::buildActions()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    m_reset = actionPanel(row, "ResetP", QStringLiteral("Reset"));
    m_save = actionPanel(row, "SaveP", QStringLiteral("Save Test"));
    m_setupPanel = actionPanel(row, "SetupP", QStringLiteral("Setup"));
    m_graphs = actionPanel(row, "GraphP", QStringLiteral("Graphs"));
    m_graphsCaption = new QPushButton(GraphsCaption, row);
    m_graphsCaption->setObjectName(QStringLiteral("GraphCaption"));
    m_graphsCaption->setFlat(true);
    m_graphsCaption->setFocusPolicy(Qt::NoFocus);
    m_graphsCaption->setStyleSheet(QStringLiteral("color: #C0C0C0; border: none; text-align: left;"));
    for (QPushButton* panel : {m_reset, m_save, m_setupPanel, m_graphs})
        layout->addWidget(panel);
    layout->addWidget(m_graphsCaption);
    layout->addStretch(1);
    connect(m_reset, &QPushButton::clicked, this, &TAccF::ResetPClick);
    connect(m_save, &QPushButton::clicked, this, &TAccF::SavePClick);
    connect(m_setupPanel, &QPushButton::clicked, this, &TAccF::SetupPClick);
    connect(m_graphs, &QPushButton::clicked, this, &TAccF::GraphPClick);
    connect(m_graphsCaption, &QPushButton::clicked, this, &TAccF::GraphPClick);
    return row;
}

void TAccF::buildPopup()
{
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupMenu1"));
    const auto item = [this](const char* name, const QString& caption, void (TAccF::*handler)()) {
        QAction* action = m_popup->addAction(caption);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    m_testSetupItem = item("TestSetup1", QStringLiteral("Test Setup"), &TAccF::SetupPClick);
    m_goToGraphsItem = item("GoToGraphs1", QStringLiteral("Go To Graphs"), &TAccF::GraphPClick);
    m_viewUsbItem = item("ViewUSBPannel1", QStringLiteral("View USB Pannel"), &TAccF::ViewUSBPannel1Click);
    m_loadBackupItem = item("LoadBackup1", QStringLiteral("Load Backup"), &TAccF::LoadBackup1Click);
    m_demoDynoItem = m_popup->addAction(QStringLiteral("Demo Dyno"));
    m_demoDynoItem->setObjectName(QStringLiteral("DemoDyno1"));
    m_demoDynoItem->setVisible(m_demoDyno);
    connect(m_demoDynoItem, &QAction::triggered, this, &TAccF::demoDynoWindowRequested);
}

void TAccF::buildHiddenControls()
{
    m_target = hiddenSpin(this, "TrpmE", SweepController::MinTarget, SweepController::MaxTarget,
                          m_session.controller().target());
    m_target->setReadOnly(true);
    m_wwRider = hiddenSpin(this, "WWRider", 5, 50, 10);
    m_drgCo = hiddenSpin(this, "DrgCo", 1, 50, 20);
    connect(m_wwRider, &QSpinBox::valueChanged, this,
            [this](int value) { m_setup.setValue(TestSetup::Spin::WWRider, value); });
    connect(m_drgCo, &QSpinBox::valueChanged, this,
            [this](int value) { m_setup.setValue(TestSetup::Spin::DrgCo, value); });

    m_usbPanel = new LinkDiagnosticsPanel(this);
    m_usbPanel->hide();
    auto* pollBar = new QSlider(Qt::Horizontal, m_usbPanel);
    pollBar->setObjectName(QStringLiteral("TrackBar1"));
    pollBar->setRange(PollMinMs, PollMaxMs);
    pollBar->setValue(DefaultPollMs);
    connect(pollBar, &QSlider::valueChanged, this, [this](int ms) { m_timer.setInterval(ms); });
    m_usbPanel->addControl(QStringLiteral("Poll ms"), pollBar);

    const BrakeLoopSettings loop;
    const auto bar = [this](const char* name, int value) {
        auto* scroll = new QScrollBar(Qt::Horizontal, m_usbPanel);
        scroll->setObjectName(QLatin1String(name));
        scroll->setRange(0, 255);
        scroll->setValue(value);
        connect(scroll, &QScrollBar::valueChanged, this,
                [this] { m_session.setDiagnosticBars(ScrollBar2()->value(), ScrollBar3()->value()); });
        return scroll;
    };
    m_usbPanel->addControl(QStringLiteral("Loop 2"), bar("ScrollBar2", loop.bar2));
    m_usbPanel->addControl(QStringLiteral("Loop 3"), bar("ScrollBar3", loop.bar3));

    auto* rollerConstant = new QLineEdit(m_session.decoder().rollerSpeedConstantText(), m_usbPanel);
    rollerConstant->setObjectName(QStringLiteral("rpmCF"));
    rollerConstant->setMaxLength(RollerConstantDigits);
    connect(rollerConstant, &QLineEdit::editingFinished, this, [this, rollerConstant] {
        FrameDecoder& decoder = m_session.decoder();
        if (decoder.setRollerSpeedConstantText(rollerConstant->text()))
            return;
        const QString typed = rollerConstant->text();
        rollerConstant->setText(decoder.rollerSpeedConstantText());
        m_prompter.inform(Caption, QStringLiteral("'%1' is not a valid floating point value.").arg(typed),
                          PromptIcon::Error);
    });
    m_usbPanel->addControl(QStringLiteral("rpm CF"), rollerConstant);

    m_memo = new QPlainTextEdit(m_usbPanel);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setReadOnly(true);
    m_memo->setMaximumHeight(120);
    m_usbPanel->addControl(QStringLiteral("Records"), m_memo);
}

QSlider* TAccF::TrackBar1() const
{
    return m_usbPanel->findChild<QSlider*>(QStringLiteral("TrackBar1"));
}

QScrollBar* TAccF::ScrollBar2() const
{
    return m_usbPanel->findChild<QScrollBar*>(QStringLiteral("ScrollBar2"));
}

QScrollBar* TAccF::ScrollBar3() const
{
    return m_usbPanel->findChild<QScrollBar*>(QStringLiteral("ScrollBar3"));
}

void TAccF::Timer1Timer()
{
    const TickResult result = m_session.tick();
    SweepController& controller = m_session.controller();
    // Without a tach ratio every target change looks at the setup again, so a ratio typed in
    // while the window stands takes effect without a resize. The operator has already been told
    // why the ratio was refused; a box here would stop the poll.
    if (controller.target() != m_lastTarget) {
        m_lastTarget = controller.target();
        if (m_session.decoder().tachRatio() == 0.0f)
            m_session.applySetup();
    }
    {
        const QSignalBlocker blocker(m_target);
        m_target->setValue(controller.target());
    }
    if (result.frameRead)
        m_usbPanel->showSample(m_session.decoder().sample(), false);
    m_usbPanel->showTime(formatTimeOfDay(m_clock.now(), m_setup.locale().decimalSeparator));
    showStatus();
}

void TAccF::ResetPClick()
{
    m_session.controller().reset();
    showStatus();
}

void TAccF::SavePClick()
{
    emit saveRequested();
}

void TAccF::SetupPClick()
{
    emit testSetupRequested();
}

void TAccF::GraphPClick()
{
    if (m_session.controller().leaveForGraphs() == RecordedDataChoice::Save) {
        emit atmosphericWindowRequested();
        return;
    }
    hide();
    emit graphsRequested();
}

void TAccF::ViewUSBPannel1Click()
{
    if (m_usbPanel->isVisible()) {
        m_usbPanel->hide();
        return;
    }
    // Over the right-hand side of the dials, where it hides no panel value.
    const int width = std::min(420, this->width() / 2);
    m_usbPanel->setGeometry(this->width() - width - 10, m_dials->y(), width,
                            std::max(m_dials->height(), m_usbPanel->sizeHint().height()));
    m_usbPanel->show();
    m_usbPanel->raise();
}

void TAccF::LoadBackup1Click()
{
    const TextReadResult backup = loadRecordBackup(m_libraryRoot, BackupKind::Sweep);
    if (!backup.ok()) {
        // The memo keeps what it holds: a missing backup must not cost the lines on show.
        m_prompter.inform(QStringLiteral("Load Backup"), backup.error->message, PromptIcon::Error);
        return;
    }
    m_session.memo().setLines(backup.lines);
}

void TAccF::savedRun()
{
    // The file holds the run now, so clearing the memo first spares the operator the reset's
    // "erase all data?" question about lines that are already saved.
    m_session.memo().clear();
    m_session.controller().saved();
    showStatus();
}

void TAccF::showEngineSpeed(const DynoSample& sample)
{
    m_dials->show(sample.engineRpm, sample.power);
}

void TAccF::showValues(const DisplayedValues& values)
{
    const TextLocale& locale = m_setup.locale();
    m_speed->setText(formatNumber(values.roadSpeed, u"0.0", locale));
    m_power->setText(formatNumber(values.power, u"0.0", locale));
    m_acceleration->setText(formatNumber(values.angularAcceleration, u"0.0", locale));
    m_torque->setText(formatNumber(values.engineTorque, u"0.0", locale));
}

void TAccF::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TAccF::FormShow()
{
    m_timer.start();
    m_session.setCalibration(readLiveCalibration(m_configuration, LiveWindow::Sweep));
    m_session.takeDisplayFactors();
    showUnitLabels();
    m_session.connectUnit();
    m_session.controller().reset();
    showStatus();
}

void TAccF::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (event->spontaneous())
        return;
    m_session.disconnectUnit();
    m_timer.stop();
}

void TAccF::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The panel digits grow with the screen, so they read from across the dyno room.
    const int digits = std::clamp(height() / 14, 20, 96);
    for (QLabel* panel : {m_speed, m_power, m_acceleration, m_torque}) {
        QFont font = panel->font();
        font.setPixelSize(digits);
        font.setBold(true);
        panel->setFont(font);
        panel->setMinimumHeight(QFontMetrics(font).height() + 6);
    }
    for (QLabel* unit : {m_speedUnit, m_powerUnit, m_accelerationUnit, m_torqueUnit}) {
        QFont font = unit->font();
        font.setPixelSize(std::clamp(digits / 3, 12, 32));
        unit->setFont(font);
    }
    QFont statusFont = m_testStatus->font();
    statusFont.setPointSize(TestStatusPoints);
    m_testStatus->setFont(statusFont);
    m_testStatus->setMinimumHeight(QFontMetrics(statusFont).height() + 6);
    m_testStatus->clear();
    // Each dial is drawn in a square of the image's height; kept below half the width, the
    // outermost labels keep clear of the window's edges.
    m_dials->setMaximumHeight(std::max(m_dials->minimumHeight(), width() * 2 / 5));
    // The new sizes take their places now, so the dials below are drawn at the size they show.
    layout()->activate();
    applySetupAndReport();
    m_dials->setScale(m_setup.value(TestSetup::Spin::RedLine), m_setup.value(TestSetup::Spin::MnRpm));
    showStatus();
}

void TAccF::contextMenuEvent(QContextMenuEvent* event)
{
    m_popup->popup(event->globalPos());
    event->accept();
}

void TAccF::applySetupAndReport()
{
    const QString refused = m_session.applySetup();
    if (refused.isEmpty()) {
        m_reportedRefusal.clear();
        return;
    }
    if (refused == m_reportedRefusal)
        return;
    m_reportedRefusal = refused;
    // After the resize: a box inside the resize would run while the layout is half done.
    QMetaObject::invokeMethod(
        this, [this, refused] { m_prompter.inform(Caption, refused, PromptIcon::Warning); }, Qt::QueuedConnection);
}

void TAccF::showUnitLabels()
{
    m_speedUnit->setText(m_units.roadSpeedUnit());
    m_powerUnit->setText(m_units.powerUnitLabel());
    m_accelerationUnit->setText(QStringLiteral("Acc"));
    m_torqueUnit->setText(m_units.forceUnit());
}

void TAccF::showStatus()
{
    const LiveStatus& status = m_session.controller().status();
    m_status->setText(status.text);
    m_status->setStyleSheet(barStyle(status.colour));
    m_testStatus->setText(status.text);
    m_testStatus->setStyleSheet(QStringLiteral("background: black; ") + colourStyle(status.colour, "color"));
}

void TAccF::showMemo()
{
    m_memo->setPlainText(m_session.memo().lines().join(QLatin1Char('\n')));
}

void TAccF::showCaption()
{
    const std::optional<QString>& error = m_session.link().state().windowCaption;
    if (error) {
        setWindowTitle(*error);
        return;
    }
    setWindowTitle(m_demoDyno ? Caption + DemoCaption : Caption);
}

} // namespace tolvane
