#pragma once
// Turns each Black Box frame into the live DynoSample: roller speed, force, time step, engine
// speed, torque and power; applies the plausibility limits and the spike checks, writes the
// sample's row into the SampleGrid, smooths (step window) and hands the result to the window's
// display and controller hooks (live_display.h, sample_controller.h) at their fixed points.
//
// One decoder per live window, for the window's life: the previous-sample values, the remembered
// rpm change, the spike counters and the smoothing histories are never reset. "Previous" values
// are those of the last frame that passed the plausibility limits.
//
// Without a controller the decoder behaves as if the controller stood in its initial, waiting
// state: rows go to the rolling window.
#include <QString>
#include <QStringView>

#include <array>

#include "core/acquisition/black_box_frame.h"
#include "core/acquisition/dyno_sample.h"
#include "core/acquisition/live_display.h"
#include "core/acquisition/live_window.h"
#include "core/acquisition/sample_grid.h"
#include "core/acquisition/sample_smoothing.h"
#include "core/acquisition/spike_checks.h"
#include "core/acquisition/live_calibration.h"
#include "core/common/text_locale.h"
#include "core/setup/unit_settings.h"

namespace tolvane {

class SampleController;

// The unit multipliers of the displays (SpeedFactor, PowerFactor, ForceFactor of the unit
// settings: each configuration "mf" value / 1000).
struct DisplayFactors {
    double speed = 1.0;
    double power = 1.0;
    double force = 1.0;

    static DisplayFactors of(const UnitSettings& units)
    {
        return {units.speedFactor(), units.powerFactor(), units.forceFactor()};
    }
};

// The weather-station values the step window writes into every grid row and shows as a
// correction percentage.
struct StationValues {
    double corr = 1.0;  // StationCorr
    double temp = 0.0;  // StationTemp, deg F
    double baro = 0.0;  // StationBaro, inHg
    double humid = 0.0; // StationHumid, %
};

enum class FrameOutcome {
    Accepted,   // the sample went through to the displays and the controller
    OutOfRange, // roller rpm or force outside the plausibility limits: nothing changed
    ForceSpike, // step window: row written and marked, then dropped before gauges and controller
};

struct DecodeResult {
    FrameOutcome outcome = FrameOutcome::OutOfRange;
    int gridRow = -1; // the row written, -1 for an out-of-range frame
};

class FrameDecoder {
public:
    static constexpr double MinRollerRpm = 100.0;
    static constexpr double MaxRollerRpm = 6300.0;
    static constexpr double MinForce = -1.0;
    static constexpr double MaxForce = 300.0;
    static constexpr double DragPerRpm = 0.0021;
    static constexpr double RadPerSecondPerRpm = 0.10472;
    static constexpr double PowerDivisor = 5252.0;
    static inline const QString DefaultRollerSpeedConstant = QStringLiteral("800000000");

    // The grid must outlive the decoder; the window's controller changes its row count too.
    FrameDecoder(LiveWindow window, SampleGrid& grid, const TextLocale& locale);

    LiveWindow window() const { return m_window; }

    void setCalibration(const LiveCalibration& calibration) { m_calibration = calibration; }
    const LiveCalibration& calibration() const { return m_calibration; }
    void setDisplayFactors(const DisplayFactors& factors) { m_factors = factors; }
    const DisplayFactors& displayFactors() const { return m_factors; }
    void setStationValues(const StationValues& station) { m_station = station; }
    const StationValues& stationValues() const { return m_station; }

    // Engine revolutions per roller revolution; 0 until the tachometer is set up.
    void setTachRatio(float ratio) { m_tachRatio = ratio; }
    float tachRatio() const { return m_tachRatio; }
    // The test setup's inertia (sweep window: inertia torque = inertia x angular acceleration).
    void setInertia(float inertia) { m_inertia = inertia; }
    float inertia() const { return m_inertia; }

    // The diagnostics panel's roller-speed constant (default "800000000"). Text that does not
    // read as a positive number is refused (false) and the previous constant stays.
    bool setRollerSpeedConstantText(QStringView text);
    const QString& rollerSpeedConstantText() const { return m_rollerConstantText; }

    SampleSmoothing& smoothing() { return m_smoothing; }

    // Hooks; either may be null. They must outlive the decoder or be reset to null first.
    void setController(SampleController* controller) { m_controller = controller; }
    void setDisplay(LiveDisplay* display) { m_display = display; }

    // Decodes one frame taken at `time` (the step window takes the time as it decodes, the
    // sweep window just before its read).
    DecodeResult decode(const BlackBoxFrame& frame, DateTimeValue time);

    const DynoSample& sample() const { return m_sample; }
    // The panel values of the last sample, as the window's displays were given them.
    DisplayedValues displayed() const { return displayedValues(m_sample); }
    const SpikeChecks& spikeChecks() const { return m_spikes; }

    // The roller rpm of the newest frame, whether or not it passed the limits (0 for a standing
    // roller). The tach ratio is measured against it: the sample keeps the last accepted speed,
    // which would still read 2560 rpm after the roller has stopped.
    double frameRollerRpm() const { return m_frameRollerRpm; }
    // The newest valid load field: what a frame with an invalid load field falls back on, and
    // what the load-cell calibration reads.
    quint32 rawLoadCount() const { return m_loadCount; }
    // Shows `count` as the sample's load count until the next frame replaces it (the load-cell
    // calibration writes the calibrated weight there while it spans). The raw count and the
    // decoding of later frames are not affected, so the span is never computed from a value
    // written back here, and an invalid load field still falls back on a real reading.
    void overrideLoadCount(quint32 count) { m_sample.loadCount = count; }

private:
    using SampleCells = std::array<QString, SampleGrid::StepColumns>;
    SampleCells sampleCells(const DynoSample& next) const;
    void finishStep(DynoSample& next);
    void finishSweep(DynoSample& next);
    void updateMotion(DynoSample& next) const;
    DisplayedValues displayedValues(const DynoSample& next) const;

    LiveWindow m_window;
    SampleGrid& m_grid;
    TextLocale m_locale;
    LiveCalibration m_calibration;
    DisplayFactors m_factors;
    StationValues m_station;
    float m_tachRatio = 0.0f;
    float m_inertia = 3.5f;
    QString m_rollerConstantText = DefaultRollerSpeedConstant;
    double m_rollerConstant = 800000000.0;
    SampleController* m_controller = nullptr;
    LiveDisplay* m_display = nullptr;

    DynoSample m_sample;
    quint32 m_loadCount = 0;
    double m_frameRollerRpm = 0.0;
    DateTimeValue m_previousTime = 0.0;
    double m_previousRollerRpm = 0.0;
    double m_previousForce = 0.0;
    SpikeChecks m_spikes;
    SampleSmoothing m_smoothing;
};

} // namespace tolvane
