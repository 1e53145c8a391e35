#include "ui/acquisition/demo_dyno_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include "core/acquisition/acquisition_session.h"
#include "core/acquisition/frame_decoder.h"
#include "core/common/number_text.h"
#include "sim/demo_dyno.h"
#include "sim/demo_rider.h"
#include "sim/vehicle_presets.h"

namespace tolvane {

namespace {

constexpr double MaxNoiseLevel = 5.0;
constexpr double NoiseStep = 0.5;

QLabel* readoutLabel(const char* name)
{
    auto* label = new QLabel;
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(64);
    return label;
}

} // namespace

DemoDynoWindow::DemoDynoWindow(sim::DemoDyno& dyno, sim::DemoRider& rider, StepSession& step,
                               SweepSession& sweep, const TextLocale& locale, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint), m_dyno(dyno), m_rider(rider), m_step(step),
      m_sweep(sweep), m_locale(locale)
{
    setWindowTitle(QString::fromLatin1(sim::DemoDyno::Name));

    m_vehicle = new QComboBox;
    m_vehicle->setObjectName(QStringLiteral("vehicleBox"));
    for (const QString& name : sim::vehiclePresetNames()) {
        const auto preset = sim::vehiclePreset(name);
        m_vehicle->addItem(preset ? preset->description : name, name);
    }
    m_vehicle->setCurrentIndex(std::max(0, m_vehicle->findData(dyno.vehicle().data().name)));

    m_engine = new QCheckBox(QStringLiteral("Engine running"));
    m_engine->setObjectName(QStringLiteral("engineBox"));
    m_engine->setChecked(dyno.isEngineRunning());

    m_throttle = new QSlider(Qt::Horizontal);
    m_throttle->setObjectName(QStringLiteral("throttleSlider"));
    m_throttle->setRange(0, sim::DemoRider::MaxThrottlePercent);
    m_throttle->setSingleStep(ThrottleKeyStep);
    m_throttle->setPageStep(ThrottleKeyStep * 5);
    m_throttleText = new QLabel;
    m_throttleText->setObjectName(QStringLiteral("throttleText"));
    m_throttleText->setMinimumWidth(40);
    auto* throttleRow = new QHBoxLayout;
    throttleRow->addWidget(m_throttle, 1);
    throttleRow->addWidget(m_throttleText);

    m_autoRider = new QCheckBox(QStringLiteral("Auto rider"));
    m_autoRider->setObjectName(QStringLiteral("autoRiderBox"));
    m_autoRider->setToolTip(QStringLiteral("The rider follows the live window's status: holds each target, "
                                           "ends the recordings, rides the sweeps."));

    m_noise = new QDoubleSpinBox;
    m_noise->setObjectName(QStringLiteral("noiseBox"));
    m_noise->setRange(0.0, MaxNoiseLevel);
    m_noise->setSingleStep(NoiseStep);
    m_noise->setDecimals(1);
    m_noise->setValue(dyno.noiseLevel());

    auto* controls = new QFormLayout;
    controls->addRow(QStringLiteral("Vehicle:"), m_vehicle);
    controls->addRow(QString(), m_engine);
    controls->addRow(QStringLiteral("Throttle:"), throttleRow);
    controls->addRow(QString(), m_autoRider);
    controls->addRow(QStringLiteral("Noise:"), m_noise);

    m_trueRpm = readoutLabel("trueRpmLabel");
    m_truePower = readoutLabel("truePowerLabel");
    m_trueTorque = readoutLabel("trueTorqueLabel");
    m_shownRpm = readoutLabel("shownRpmLabel");
    m_shownPower = readoutLabel("shownPowerLabel");
    m_shownTorque = readoutLabel("shownTorqueLabel");
    auto* readout = new QGroupBox(QStringLiteral("At the wheel now"));
    auto* grid = new QGridLayout(readout);
    grid->addWidget(new QLabel(QStringLiteral("Simulated")), 0, 1, Qt::AlignRight);
    grid->addWidget(new QLabel(QStringLiteral("Shown")), 0, 2, Qt::AlignRight);
    const struct {
        const char* caption;
        QLabel* truth;
        QLabel* shown;
    } rows[] = {{"Engine rpm", m_trueRpm, m_shownRpm},
                {"Power", m_truePower, m_shownPower},
                {"Torque", m_trueTorque, m_shownTorque}};
    int row = 1;
    for (const auto& r : rows) {
        grid->addWidget(new QLabel(QLatin1String(r.caption)), row, 0);
        grid->addWidget(r.truth, row, 1);
        grid->addWidget(r.shown, row, 2);
        ++row;
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(readout);
    setFixedSize(sizeHint().expandedTo(QSize(300, 0)));

    // The throttle keys work whichever control has the focus (the combo box would take Up and
    // Down for the vehicle, the slider its own steps).
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);

    connect(m_vehicle, &QComboBox::currentIndexChanged, this, &DemoDynoWindow::vehicleChosen);
    connect(m_engine, &QCheckBox::toggled, this, [this](bool on) {
        m_dyno.setEngineRunning(on);
        refreshReadout();
    });
    connect(m_throttle, &QSlider::valueChanged, &m_rider, &sim::DemoRider::setThrottlePercent);
    connect(m_autoRider, &QCheckBox::toggled, &m_rider, &sim::DemoRider::setAuto);
    connect(m_noise, &QDoubleSpinBox::valueChanged, this,
            [this](double level) { m_dyno.setNoiseLevel(level); });
    connect(&m_rider, &sim::DemoRider::changed, this, &DemoDynoWindow::showRider);
    connect(&step, &AcquisitionSession::frameDecoded, this, &DemoDynoWindow::refreshReadout);
    connect(&sweep, &AcquisitionSession::frameDecoded, this, &DemoDynoWindow::refreshReadout);
    showRider();
}

void DemoDynoWindow::vehicleChosen(int index)
{
    const QString name = m_vehicle->itemData(index).toString();
    if (!m_dyno.setVehicle(name))
        return;
    refreshReadout();
}

void DemoDynoWindow::showRider()
{
    {
        const QSignalBlocker blockSlider(m_throttle);
        const QSignalBlocker blockAuto(m_autoRider);
        m_throttle->setValue(m_rider.throttlePercent());
        m_autoRider->setChecked(m_rider.isAuto());
    }
    refreshReadout();
}

void DemoDynoWindow::refreshReadout()
{
    if (m_rider.isAuto()) {
        const QSignalBlocker blockSlider(m_throttle);
        m_throttle->setValue(m_rider.throttlePercent());
    }
    m_throttleText->setText(QString::number(m_rider.throttlePercent()) + QStringLiteral(" %"));

    // The live session's unit multipliers, so both columns are in the units the panels use.
    const AcquisitionSession* live = m_rider.liveSession();
    const FrameDecoder& decoder = live ? live->decoder() : m_step.decoder();
    const DisplayFactors& factors = decoder.displayFactors();

    m_dyno.advanceToNow();
    const double engineRpm = m_dyno.engineRpm();
    const double rollerRpm = engineRpm / m_dyno.trueTachRatio();
    const double wheelTorque = m_dyno.isEngineRunning() ? m_dyno.trueWheelTorque(engineRpm, m_dyno.throttle())
                                                        : m_dyno.vehicle().wheelTorqueEngineOff(engineRpm);
    // The program refers its torque to the engine speed (power x 5252 / engine rpm).
    const double power = wheelTorque * rollerRpm / FrameDecoder::PowerDivisor;
    const double engineTorque = engineRpm > 0.0 ? power * FrameDecoder::PowerDivisor / engineRpm : 0.0;
    m_trueRpm->setText(formatNumber(engineRpm, u"0", m_locale));
    m_truePower->setText(formatNumber(power * factors.power, u"0.0", m_locale));
    m_trueTorque->setText(formatNumber(engineTorque * factors.force, u"0.0", m_locale));

    if (live == nullptr) {
        for (QLabel* label : {m_shownRpm, m_shownPower, m_shownTorque})
            label->clear();
        return;
    }
    const DisplayedValues shown = decoder.displayed();
    m_shownRpm->setText(formatNumber(decoder.sample().engineRpm, u"0", m_locale));
    m_shownPower->setText(formatNumber(shown.power, u"0.0", m_locale));
    m_shownTorque->setText(formatNumber(shown.engineTorque, u"0.0", m_locale));
}

bool DemoDynoWindow::throttleKey(int key)
{
    switch (key) {
    case Qt::Key_Up:
        m_rider.setThrottlePercent(m_rider.throttlePercent() + ThrottleKeyStep);
        return true;
    case Qt::Key_Down:
        m_rider.setThrottlePercent(m_rider.throttlePercent() - ThrottleKeyStep);
        return true;
    case Qt::Key_PageUp:
        m_rider.setThrottlePercent(sim::DemoRider::MaxThrottlePercent);
        return true;
    case Qt::Key_PageDown:
    case Qt::Key_Space:
        m_rider.setThrottlePercent(0);
        return true;
    default:
        return false;
    }
}

void DemoDynoWindow::keyPressEvent(QKeyEvent* event)
{
    if ((event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && throttleKey(event->key()))
        return;
    QDialog::keyPressEvent(event);
}

bool DemoDynoWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && throttleKey(key->key()))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace tolvane
