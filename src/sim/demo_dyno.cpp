#include "sim/demo_dyno.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "sim/vehicle_presets.h"

namespace tolvane::sim {

namespace {

constexpr qint64 StepMs = 1;
constexpr double StepSeconds = StepMs / 1000.0;
constexpr double RadPerSecondPerRpm = std::numbers::pi / 30.0;
constexpr double ProgramTimeUnitSeconds = 0.864;
// lb-ft x rpm per horsepower, as the program divides.
constexpr double PowerDivisor = 5252.0;
constexpr quint32 MaxField = 0xFFFFFF;
// The load field is valid only with its top byte 0, so the unit's converter tops out here.
constexpr qint64 MaxLoadCount = 0xFFFF;
constexpr double CoilDacCounts = 4095.0;
// The unit's receive-queue status: empty, or a frame ready.
constexpr quint32 QueueEmpty = 0;
constexpr quint32 QueueReady = 2;
constexpr BlackBoxUsb::Handle HandleBase = 0x5100;

VehicleData presetOrStock(const QString& name)
{
    if (auto data = vehiclePreset(name))
        return *data;
    return *vehiclePreset(QStringLiteral("stock"));
}

void putField(quint8* at, quint32 value)
{
    at[0] = static_cast<quint8>(value >> 16);
    at[1] = static_cast<quint8>(value >> 8);
    at[2] = static_cast<quint8>(value);
}

} // namespace

double DemoDyno::Noise::gaussian()
{
    // Box-Muller on the engine's raw output: std::normal_distribution may differ between
    // standard libraries, and a seed must give the same run everywhere.
    if (m_haveSpare) {
        m_haveSpare = false;
        return m_spare;
    }
    constexpr double Scale = 1.0 / 9007199254740992.0; // 2^-53
    const double u1 = (static_cast<double>(m_engine() >> 11) + 1.0) * Scale;
    const double u2 = static_cast<double>(m_engine() >> 11) * Scale;
    const double radius = std::sqrt(-2.0 * std::log(u1));
    const double angle = 2.0 * std::numbers::pi * u2;
    m_spare = radius * std::sin(angle);
    m_haveSpare = true;
    return radius * std::cos(angle);
}

DemoDyno::DemoDyno(const Clock& clock, const Options& options)
    : m_clock(clock), m_origin(clock.now()), m_vehicle(presetOrStock(options.vehicle)),
      m_noiseLevel(std::max(0.0, options.noiseLevel)), m_noise(options.seed)
{
    m_rollerRpm = m_vehicle.data().idleRpm / m_vehicle.tachRatio();
}

void DemoDyno::advanceToNow()
{
    const DateTimeValue now = m_clock.now();
    const auto nowMs = static_cast<qint64>(std::llround((now - m_origin) * MsPerDay));
    if (nowMs < m_simulatedMs) {
        // The clock was set back: carry on from here instead of standing still until it has
        // caught up with the time already simulated.
        m_origin = now - static_cast<double>(m_simulatedMs) / MsPerDay;
        return;
    }
    if (nowMs == m_simulatedMs)
        return;
    if (nowMs - m_simulatedMs > MaxCatchUpMs) {
        m_simulatedMs = nowMs - MaxCatchUpMs;
        m_frameRpmSum = m_frameBrakeSum = 0.0;
        m_frameSteps = 0;
    }
    while (m_simulatedMs < nowMs) {
        stepPhysics(StepSeconds);
        m_simulatedMs += StepMs;
        if (m_simulatedMs % FrameIntervalMs == 0)
            finishFrame();
    }
}

void DemoDyno::stepPhysics(double dt)
{
    const double maxMove = ThrottleRatePerSecond * dt;
    m_throttle += std::clamp(m_throttleDemand - m_throttle, -maxMove, maxMove);

    const double rpm = m_rollerRpm;
    const double engineRpm = rpm * m_vehicle.tachRatio();
    const double wheel = m_engineRunning ? m_vehicle.wheelTorque(engineRpm, m_throttle)
                                         : m_vehicle.wheelTorqueEngineOff(engineRpm);
    m_brake.step(m_loop.step(rpm, dt), dt);
    const double brake = m_brake.torque(rpm);
    const double drag = RollerDragPerRpm * rpm;
    const double alpha = (wheel - brake - drag) / rotatingInertia();
    m_rollerRpm = std::max(0.0, rpm + alpha * dt / RadPerSecondPerRpm);

    m_frameRpmSum += m_rollerRpm;
    m_frameBrakeSum += m_brake.torque(m_rollerRpm);
    ++m_frameSteps;
}

void DemoDyno::finishFrame()
{
    const double meanRpm = m_frameSteps > 0 ? m_frameRpmSum / m_frameSteps : m_rollerRpm;
    const double meanBrake = m_frameSteps > 0 ? m_frameBrakeSum / m_frameSteps : brakeTorque();
    m_frameRpmSum = m_frameBrakeSum = 0.0;
    m_frameSteps = 0;

    // Both noise values are drawn for every frame, open or not, so a run does not depend on
    // when the program happened to connect.
    const double measuredRpm = meanRpm + SpeedNoiseRpm * m_noiseLevel * m_noise.gaussian();
    const double measuredLoad =
        meanBrake + m_armWeight * TorqueArmFeet + LoadNoiseLbFt * m_noiseLevel * m_noise.gaussian();
    if (!m_open)
        return;

    quint32 period = 0;
    if (measuredRpm > 0.0) {
        const double count = std::round(RollerSpeedConstant / measuredRpm);
        period = count <= MaxField ? static_cast<quint32>(count) : 0;
    }
    const auto load = static_cast<quint32>(
        std::clamp<qint64>(std::llround(LoadCellOffset + measuredLoad / LoadCellSpan), 0, MaxLoadCount));
    const auto coil = static_cast<quint32>(std::lround(m_brake.current() * CoilDacCounts));
    const quint32 echo = m_loop.hasCommand() ? m_loop.outputCode() : 0;

    putField(&m_frame[0], load);
    putField(&m_frame[3], period);
    putField(&m_frame[6], coil);
    putField(&m_frame[9], echo);
    m_frameTruth.engineRpm = meanRpm * m_vehicle.tachRatio();
    m_frameTruth.absorbedPower = (meanBrake + RollerDragPerRpm * meanRpm) * meanRpm / PowerDivisor;
    m_framePending = true;
}

int DemoDyno::getNumDevices(quint32& count)
{
    count = 1;
    return F32xStatus::Success;
}

int DemoDyno::getProductString(quint32 index, QByteArray& product)
{
    if (index != 0)
        return F32xStatus::DeviceNotFound;
    product = QByteArray(ProductString);
    return F32xStatus::Success;
}

int DemoDyno::open(quint32 index, Handle& handle)
{
    if (index != 0)
        return F32xStatus::DeviceNotFound;
    advanceToNow();
    // Both live windows keep a handle; a second open while connected shares the connection
    // rather than locking the demo out.
    if (!m_open) {
        m_open = true;
        m_framePending = false;
        m_handle = HandleBase + ++m_opens;
    }
    handle = m_handle;
    return F32xStatus::Success;
}

int DemoDyno::close(Handle handle)
{
    if (!validHandle(handle))
        return F32xStatus::InvalidHandle;
    advanceToNow();
    m_open = false;
    m_framePending = false;
    return F32xStatus::Success;
}

int DemoDyno::checkRxQueue(Handle handle, quint32& bytesInQueue, quint32& queueStatus)
{
    bytesInQueue = 0;
    queueStatus = QueueEmpty;
    if (!validHandle(handle))
        return F32xStatus::InvalidHandle;
    advanceToNow();
    if (m_framePending) {
        bytesInQueue = FrameSize;
        queueStatus = QueueReady;
    }
    return F32xStatus::Success;
}

int DemoDyno::read(Handle handle, quint8* buffer, quint32 bytesToRead, quint32& bytesRead)
{
    bytesRead = 0;
    if (!validHandle(handle))
        return F32xStatus::InvalidHandle;
    if (buffer == nullptr || bytesToRead == 0)
        return F32xStatus::InvalidParameter;
    advanceToNow();
    if (!m_framePending)
        return F32xStatus::RxQueueNotReady;
    bytesRead = std::min<quint32>(bytesToRead, FrameSize);
    std::memcpy(buffer, m_frame.data(), bytesRead);
    m_readTruth = m_frameTruth;
    m_framePending = false;
    return F32xStatus::Success;
}

int DemoDyno::write(Handle handle, const quint8* buffer, quint32 bytesToWrite, quint32& bytesWritten)
{
    bytesWritten = 0;
    if (!validHandle(handle))
        return F32xStatus::InvalidHandle;
    if (buffer == nullptr || bytesToWrite == 0)
        return F32xStatus::InvalidParameter;
    advanceToNow();
    // A command the unit cannot parse still crosses the bus; the unit just ignores it.
    m_loop.applyCommand(buffer, bytesToWrite);
    bytesWritten = bytesToWrite;
    return F32xStatus::Success;
}

bool DemoDyno::setVehicle(const QString& name)
{
    auto data = vehiclePreset(name);
    if (!data)
        return false;
    advanceToNow();
    m_vehicle = Vehicle(std::move(*data));
    return true;
}

void DemoDyno::setThrottle(double demand)
{
    advanceToNow();
    m_throttleDemand = std::clamp(demand, 0.0, 1.0);
}

void DemoDyno::setEngineRunning(bool running)
{
    advanceToNow();
    m_engineRunning = running;
}

void DemoDyno::setArmWeight(double pounds)
{
    advanceToNow();
    m_armWeight = std::max(0.0, pounds);
}

void DemoDyno::setNoiseLevel(double level)
{
    advanceToNow();
    m_noiseLevel = std::max(0.0, level);
}

double DemoDyno::trueWheelTorque(double engineRpm, double throttle) const
{
    return m_vehicle.wheelTorque(engineRpm, throttle);
}

double DemoDyno::trueWheelPower(double engineRpm, double throttle) const
{
    return trueWheelTorque(engineRpm, throttle) * (engineRpm / m_vehicle.tachRatio()) / PowerDivisor;
}

double DemoDyno::rotatingInertia() const
{
    return RollerInertia + m_vehicle.data().drivelineInertia;
}

double DemoDyno::setupInertia() const
{
    return rotatingInertia() / ProgramTimeUnitSeconds;
}

} // namespace tolvane::sim
