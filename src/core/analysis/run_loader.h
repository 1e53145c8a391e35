#pragma once
// Turns the text of a saved run into a RunTable with one tolerant rule set, whatever the file's
// layout: a number counts when a tab follows it, text and empty fields are skipped, and column k
// takes the k-th number of every line, filled from the top. A few header values are picked out
// by their literal prefixes on the way.
//
// Two variants share the rules. The current run (the one in the viewer's notes) also reads the
// inertia and tach-ratio lines, notes the first data line, may run the spike filter and needs at
// least three rows for "Show highest"; each selected run of a full plot looks at a shorter start
// of each line for headers and may average its test phases.
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

#include "core/analysis/run_table.h"

namespace tolvane {

struct RunLoadSettings {
    bool corrected = true;          // Graph menu: Corrected (else Uncorrected)
    bool showHighest = false;       // Line display mode "Show highest (normal)"
    bool averageTestPhases = false; // graph menu "Average test phases" (selected runs only)
    QChar decimalSeparator = QLatin1Char('.');
};

struct RunLoadResult {
    RunTable table;
    // Factor for power and torque when plotting: the SAE factor in Corrected mode, 1 / the
    // applied factor in Uncorrected mode, 1.0 without either line.
    double correction = 1.0;
    // Current run only: set when the file has the line; a run without it keeps the old value.
    std::optional<double> tachRatio;
    std::optional<double> inertia;
    int firstDataLine = 0; // index of the first line on which a number was read (current run)
};

// Runs the spike filter on the current run's table (it may rewrite the table, the notes and the
// file). Given to the current-run load only while the filter is armed.
using SpikeFilterHook = std::function<void(RunTable& table, int firstDataLine)>;

class RunLoader {
public:
    // Prefixes of the header lines and the characters removed before the value.
    static constexpr int SaePrefixLength = 24;     // "SAE Correction Factor - "
    static constexpr int AppliedPrefixLength = 28; // "Correction Factor Applied - "
    static constexpr int InertiaPrefixLength = 8;  // "Inertia:"
    static constexpr int TachPrefixLength = 24;    // "Eng. Tachometer Ratio - "
    // How much of a line's start is searched for a header prefix.
    static constexpr int CurrentRunHeaderSpan = 255;
    static constexpr int SelectedRunHeaderSpan = 100;

    explicit RunLoader(RunLoadSettings settings) : m_settings(settings) {}

    // The run shown in the viewer (a preview): all headers, first data line, spike filter when
    // armed, then "Show highest" (emptied below three rows).
    RunLoadResult loadCurrentRun(const QStringList& lines, const SpikeFilterHook& spikeFilter = {}) const;
    // One run of the selection for the full plot: correction headers only, then "Average test
    // phases" and "Show highest".
    RunLoadResult loadSelectedRun(const QStringList& lines) const;
    // The same from a file's 8-bit contents, without a QString for every line: a full plot reads
    // every selected file on each refresh.
    RunLoadResult loadSelectedRun(QByteArrayView fileBytes) const;

    const RunLoadSettings& settings() const { return m_settings; }

private:
    enum class Kind { CurrentRun, SelectedRun };
    // Over QStringViews of the notes' lines or QLatin1StringViews of a file's bytes.
    template <typename View> RunLoadResult scan(const std::vector<View>& lines, Kind kind) const;
    template <typename View> void readHeader(View line, Kind kind, RunLoadResult& result) const;
    RunLoadResult reduceSelectedRun(RunLoadResult result) const;

    RunLoadSettings m_settings;
};

} // namespace tolvane
