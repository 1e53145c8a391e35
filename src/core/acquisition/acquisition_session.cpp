#include "core/acquisition/acquisition_session.h"

#include <optional>

#include "core/acquisition/black_box_frame.h"
#include "core/acquisition/step_controller.h"
#include "core/acquisition/sweep_controller.h"
#include "core/acquisition/test_file_fields.h"
#include "core/common/clock.h"
#include "core/common/number_text.h"
#include "core/setup/test_setup.h"
#include "core/setup/unit_settings.h"

namespace tolvane {

AcquisitionSession::AcquisitionSession(LiveWindow window, BlackBoxUsb& usb, const Clock& clock, TestSetup& setup,
                                       const UnitSettings& units, const TextLocale& locale, QObject* parent)
    : QObject(parent), m_window(window), m_clock(clock), m_setup(setup), m_units(units), m_locale(locale),
      m_link(usb, window), m_grid(window), m_decoder(window, m_grid, locale)
{
    m_decoder.setCalibration(LiveCalibration::defaults(window));
    takeDisplayFactors();
}

AcquisitionSession::~AcquisitionSession() = default;

BrakeLoopSettings AcquisitionSession::loopSettings() const
{
    BrakeLoopSettings loop;
    loop.accelerationMultiplication = m_setup.value(TestSetup::Spin::AMFSB);
    loop.feedbackDivider = m_setup.value(TestSetup::Spin::FDFSB);
    loop.targetAcceleration = m_setup.value(TestSetup::Spin::WWRider);
    loop.bar2 = m_bar2;
    loop.bar3 = m_bar3;
    return loop;
}

void AcquisitionSession::setDiagnosticBars(int bar2, int bar3)
{
    m_bar2 = bar2;
    m_bar3 = bar3;
}

TickResult AcquisitionSession::tick()
{
    // The sweep window takes the sample's time just before its read, the step window as it
    // decodes; either way the frame is decoded before the command that answers it is built, so
    // the brake follows this sample's controller pass, not the previous one's.
    const DateTimeValue readTime = m_clock.now();
    const std::optional<QByteArray> frame = m_link.readFrame(command());
    TickResult result;
    if (!frame)
        return result;
    const DateTimeValue time = m_window == LiveWindow::Sweep ? readTime : m_clock.now();
    result.frameRead = true;
    result.frame = BlackBoxFrame(m_window, *frame);
    result.decode = m_decoder.decode(result.frame, time);
    m_link.answer(command());
    emit frameDecoded(result);
    return result;
}

StepSession::StepSession(BlackBoxUsb& usb, const Clock& clock, TestSetup& setup, const UnitSettings& units,
                         Prompter& prompter, const TextLocale& locale, QObject* parent)
    : AcquisitionSession(LiveWindow::Step, usb, clock, setup, units, locale, parent),
      m_controller(std::make_unique<StepController>(decoder(), grid(), setup, memo(), prompter, locale))
{
    decoder().setController(m_controller.get());
}

StepSession::~StepSession()
{
    decoder().setController(nullptr);
}

BlackBoxCommandBytes StepSession::command() const
{
    return m_controller->output().command(loopSettings()).bytes();
}

QStringList StepSession::fileLines(TestFileHeader header, const QString& relativePath) const
{
    header.relativePath = relativePath;
    header.savedAt = clock().now();
    header.tachRatio = decoder().tachRatio();
    return buildStepFile(header, memo().lines(), setupBlockValues(setup()), locale());
}

SweepSession::SweepSession(BlackBoxUsb& usb, const Clock& clock, TestSetup& setup, const UnitSettings& units,
                           Prompter& prompter, const TextLocale& locale, QObject* parent)
    : AcquisitionSession(LiveWindow::Sweep, usb, clock, setup, units, locale, parent),
      m_controller(std::make_unique<SweepController>(decoder(), grid(), setup, memo(), prompter))
{
    decoder().setController(m_controller.get());
}

SweepSession::~SweepSession()
{
    decoder().setController(nullptr);
}

BlackBoxCommandBytes SweepSession::command() const
{
    return BrakeCommand(LiveWindow::Sweep, m_controller->outputCode(), loopSettings()).bytes();
}

QStringList SweepSession::fileLines(TestFileHeader header, const QString& relativePath,
                                    double atmosphericFactor) const
{
    header.relativePath = relativePath;
    header.savedAt = clock().now();
    header.tachRatio = decoder().tachRatio();
    GridRows rows;
    rows.reserve(grid().rowCount());
    for (int r = 0; r < grid().rowCount(); ++r)
        rows << grid().row(r);
    purgeMarkedRows(rows, locale());
    SweepPhysics physics;
    physics.tachRatio = decoder().tachRatio();
    physics.rollerFactor = decoder().calibration().rollerFactor;
    physics.inertia = decoder().inertia();
    physics.correction = parseFloat(header.correctionText, locale()).value_or(1.0);
    physics.corrFactor = atmosphericFactor;
    physics.powerFactor = units().powerFactor();
    physics.forceFactor = units().forceFactor();
    return buildSweepFile(header, rows, physics, setupBlockValues(setup()), locale());
}

QString SweepSession::applySetup()
{
    QStringList refused;
    const auto positive = [&](TestSetup::Text field, const QString& name) -> std::optional<float> {
        const QString& text = setup().text(field);
        const std::optional<double> value = parseFloat(text, locale());
        if (value && *value > 0.0)
            return static_cast<float>(*value);
        refused << QStringLiteral("The %1 \"%2\" is not a number above 0.").arg(name, text);
        return std::nullopt;
    };
    if (const std::optional<float> ratio = positive(TestSetup::Text::TachRatio, QStringLiteral("tach ratio")))
        decoder().setTachRatio(*ratio);
    if (const std::optional<float> inertia = positive(TestSetup::Text::InertiaE, QStringLiteral("inertia")))
        decoder().setInertia(*inertia);
    return refused.join(QLatin1Char(' '));
}

} // namespace tolvane
