#pragma once
// The Demo Dyno: a vehicle on the roller, the eddy-current brake and the Black Box, simulated
// behind the unit's USB calls so the real link, decoder, controllers and writers run unchanged.
//
// Model (everything referred to the roller shaft, lb-ft, rpm, seconds):
//   J dw/dt = wheel torque - brake torque - roller drag
//   - J: roller and brake rotor (RollerInertia) plus the vehicle's drive line, lb-ft*s^2.
//   - wheel torque: the vehicle's engine curve at its throttle, through the gearing (engine
//     rpm = tach ratio x roller rpm) and drive-line efficiency, less the tyre's rolling loss.
//   - brake torque: coil current x a capacity that grows with roller speed (EddyCurrentBrake);
//     the unit's own loop sets the coil demand from the last command (BrakeLoop).
//   - roller drag: RollerDragPerRpm x roller rpm, the bearing and windage loss the program adds
//     back as its drag term (drag gain 1).
//   The physics runs in fixed 1 ms steps of the Clock, catching up on every call; the unit
//   finishes a frame at every 40 ms of the clock since construction and keeps only its newest.
//
// Frame (24-bit big-endian fields):
//   load count     LoadCellOffset + (brake reaction + any weight on the torque arm) / LoadCellSpan,
//                  plus noise; always below 65536, so byte 0 is 0;
//   period count   800000000 / the frame's mean roller rpm, plus noise; 0 when it does not fit 24
//                  bits (the roller stands);
//   auxiliary      the brake coil current in DAC counts, 0..4095;
//   output echo    the last output code received, 0 before any.
// A 12-byte read gets all four fields, a 9-byte read the first three; either read takes the frame.
//
// Vehicles (vehicle_presets.h): "stock", a litre sport bike whose gear gives the setup's default
// tach ratio 3.125 and whose drive line with the roller gives its default inertia 3.5000; "tuned",
// the same bike with more power; "middleweight", a 600 with tach ratio 3.4.
//
// Calibration: with "LoadOff" = loadCellOffset() and "LoadSpan" = loadCellSpan() the decoded
// force is the brake reaction in lb-ft of roller torque (0.01 lb-ft a count); with the program's
// default roller factor the road speed is right for this roller. The program's force + drag term
// then equals the wheel torque in steady state, and a sweep computed with the inertia value
// setupInertia() gives the wheel torque while accelerating: the program's acceleration is in
// rad/s per 0.864 s (its time step unit), so that value is J / 0.864.
//
// How a runner drives it: own a ManualClock; each tick advance it 40 ms, poll the link (read a
// frame, decode, run the controller, write the command) and let the VirtualDriver look at the
// engine and set the throttle. Nothing runs on its own: no timers, no threads.
//
// Deterministic: the same seed and the same calls at the same clock times give the same bytes.
#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <random>

#include "core/acquisition/black_box_usb.h"
#include "core/common/clock.h"
#include "sim/brake_loop.h"
#include "sim/eddy_current_brake.h"
#include "sim/vehicle.h"

namespace tolvane::sim {

class DemoDyno final : public BlackBoxUsb {
public:
    static constexpr const char* ProductString = "qv512 Demo Dyno";
    // What the windows call it wherever simulated data are on show.
    static constexpr const char* Name = "Demo Dyno";
    static constexpr int FrameSize = 12;
    static constexpr qint64 FrameIntervalMs = 40;
    static constexpr double RollerSpeedConstant = 800000000.0;
    static constexpr double RollerInertia = 2.6;       // lb-ft*s^2, drum and brake rotor
    static constexpr double RollerDragPerRpm = 0.0021; // lb-ft per roller rpm
    static constexpr double LoadCellOffset = 4096.0;   // counts at no load
    static constexpr double LoadCellSpan = 0.01;       // lb-ft per count
    static constexpr double TorqueArmFeet = 1.0;
    // Standard deviations at noise level 1.
    static constexpr double LoadNoiseLbFt = 0.25;
    static constexpr double SpeedNoiseRpm = 0.1;
    // How fast the throttle can move, full travel per second.
    static constexpr double ThrottleRatePerSecond = 6.0;
    // A clock jump longer than this (a suspended program, a clock set forward) is skipped
    // rather than simulated step by step; a clock set back carries on from where it was set.
    static constexpr qint64 MaxCatchUpMs = 10000;

    struct Options {
        QString vehicle = QStringLiteral("stock");
        std::uint64_t seed = 1;
        double noiseLevel = 1.0;
    };

    // The vehicle starts idling in gear, the brake off. An unknown vehicle name falls back to
    // "stock" (check with vehiclePreset() first when the name comes from a user).
    explicit DemoDyno(const Clock& clock, const Options& options);
    explicit DemoDyno(const Clock& clock) : DemoDyno(clock, Options()) {}

    // BlackBoxUsb
    int getNumDevices(quint32& count) override;
    int getProductString(quint32 index, QByteArray& product) override;
    int open(quint32 index, Handle& handle) override;
    int close(Handle handle) override;
    int checkRxQueue(Handle handle, quint32& bytesInQueue, quint32& queueStatus) override;
    int read(Handle handle, quint8* buffer, quint32 bytesToRead, quint32& bytesRead) override;
    int write(Handle handle, const quint8* buffer, quint32 bytesToWrite, quint32& bytesWritten) override;

    // Runs the physics up to the clock's present time. Every call above and every setter does
    // this first; the state getters below report the state as of the last catch-up.
    void advanceToNow();

    // The vehicle on the roller; switching keeps the roller turning. False for an unknown name.
    bool setVehicle(const QString& name);
    const Vehicle& vehicle() const { return m_vehicle; }
    // The rider's hand: the throttle moves towards this (0..1) at ThrottleRatePerSecond.
    void setThrottle(double demand);
    double throttleDemand() const { return m_throttleDemand; }
    double throttle() const { return m_throttle; }
    // Ignition: with the engine off the roller runs down and stands (period count 0), as the
    // load-cell zero wants it. Switching it on again starts the engine from the roller's speed.
    void setEngineRunning(bool running);
    bool isEngineRunning() const { return m_engineRunning; }
    // A weight hung on the brake's torque arm (TorqueArmFeet long), as for the load-cell span:
    // it adds weight x arm to the torque the load cell reports.
    void setArmWeight(double pounds);
    double armWeight() const { return m_armWeight; }
    // Scales both noise sources; 0 gives exact frames (but for count rounding).
    void setNoiseLevel(double level);
    double noiseLevel() const { return m_noiseLevel; }

    double rollerRpm() const { return m_rollerRpm; }
    double engineRpm() const { return m_rollerRpm * m_vehicle.tachRatio(); }
    double brakeTorque() const { return m_brake.torque(m_rollerRpm); }
    const BrakeLoop& brakeLoop() const { return m_loop; }
    bool isOpen() const { return m_open; }

    // Ground truth for checks and demos.
    double trueTachRatio() const { return m_vehicle.tachRatio(); }
    // The exact values behind a frame, before noise and count rounding: its mean engine speed and
    // the power the brake and the roller's drag took from the roller over its 40 ms, which is
    // what the program's step power reads (it has no inertia term) and the wheel power only
    // while the roller holds its speed.
    struct FrameTruth {
        double engineRpm = 0.0;
        double absorbedPower = 0.0;
    };
    // Of the frame the last successful read took.
    const FrameTruth& lastReadTruth() const { return m_readTruth; }
    // Steady-state wheel torque at the roller (lb-ft) and its power (hp) at an engine speed.
    double trueWheelTorque(double engineRpm, double throttle) const;
    double trueWheelPower(double engineRpm, double throttle) const;
    // Roller and drive line together, lb-ft*s^2 at the roller.
    double rotatingInertia() const;
    // The same in the unit of the test setup's inertia value (J / 0.864).
    double setupInertia() const;
    double loadCellOffset() const { return LoadCellOffset; }
    double loadCellSpan() const { return LoadCellSpan; }

private:
    class Noise {
    public:
        explicit Noise(std::uint64_t seed) : m_engine(seed) {}
        double gaussian();

    private:
        std::mt19937_64 m_engine;
        bool m_haveSpare = false;
        double m_spare = 0.0;
    };

    void stepPhysics(double dt);
    void finishFrame();
    bool validHandle(Handle handle) const { return m_open && handle == m_handle; }

    const Clock& m_clock;
    DateTimeValue m_origin;
    qint64 m_simulatedMs = 0;

    Vehicle m_vehicle;
    EddyCurrentBrake m_brake;
    BrakeLoop m_loop;
    double m_rollerRpm = 0.0;
    double m_throttle = 0.0;
    double m_throttleDemand = 0.0;
    bool m_engineRunning = true;
    double m_armWeight = 0.0;

    double m_frameRpmSum = 0.0;
    double m_frameBrakeSum = 0.0;
    int m_frameSteps = 0;

    double m_noiseLevel;
    Noise m_noise;

    bool m_open = false;
    Handle m_handle = 0;
    quint32 m_opens = 0;
    bool m_framePending = false;
    std::array<quint8, FrameSize> m_frame{};
    FrameTruth m_frameTruth;
    FrameTruth m_readTruth;
};

} // namespace tolvane::sim
