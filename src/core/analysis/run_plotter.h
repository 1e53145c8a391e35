#pragma once
// Turns run tables into curves: PlotAll draws every run of the selection (power solid, torque
// dashed, CO% dotted, in the run's colour and marker), PreViewG lays the current run over them as
// white dotted curves. The run viewer calls both; the window applies what they return to its
// notes box and run strip.
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

#include "core/analysis/graph_settings.h"
#include "core/analysis/plot_extents.h"
#include "core/analysis/run_loader.h"
#include "core/analysis/series.h"

namespace tolvane {

class Prompter;
class Selection;
class SeriesModel;
class ViewerState;

// Series keys of the chart.
struct SeriesKey {
    static constexpr int Power = 0;   // + run number r (1 ... 20)
    static constexpr int Torque = 20; // + r
    static constexpr int Co = 40;     // + r
    static constexpr int PreviewPower = 100;
    static constexpr int PreviewTorque = 101;
    static constexpr int PreviewCo = 102;
    static constexpr int Last = 102;
};

struct PlotAllResult {
    enum class Outcome {
        Plotted,   // every run drawn
        NoData,    // a run had fewer than two usable rows; the runs after it were not drawn
        FileError, // a file could not be read; the runs after it were not drawn
    };
    Outcome outcome = Outcome::Plotted;
    // The run strip: file name (after the last separator) of run r at index r - 1, for every run
    // loaded before the plot ended.
    QStringList runNames;
    // The last run loaded: its text for the notes box, its file name for the caption and its
    // colour for the notes font.
    QStringList lastRunLines;
    QString lastRunName;
    QString lastRunColor;
};

class RunPlotter {
public:
    RunPlotter(SeriesModel& chart, const Selection& selection, const GraphSettings& settings,
               ViewerState& viewer, Prompter& prompter, QChar decimalSeparator);

    // Runs the spike filter while the viewer has it armed (installed by the recalculation tools).
    void setSpikeFilter(SpikeFilterHook filter) { m_spikeFilter = std::move(filter); }

    // Reads every selected run from its file and draws its curves, replacing all run and preview
    // series. The caller has settled unsaved notes first. A run without data shows "No Data! ";
    // a file that cannot be read shows the reason; either ends the plot, keeping the runs drawn
    // so far.
    PlotAllResult PlotAll();

    // Loads the current run from the notes' lines into the viewer's header values and draws the
    // preview series 100 to 102. True when the run had the two rows a preview needs (the caller
    // then lets the test setup re-read the run); otherwise the old preview stays.
    bool PreViewG(const QStringList& lines);

private:
    bool plotRun(int run, const RunTable& table, double correction, PlotExtents& extents);
    void styleRunSeries(int key, const QString& color, LineStyle style, MarkerShape shape);
    void stylePreviewSeries(int key, MarkerShape shape, int size);

    SeriesModel& m_chart;
    const Selection& m_selection;
    const GraphSettings& m_settings;
    ViewerState& m_viewer;
    Prompter& m_prompter;
    QChar m_decimalSeparator;
    SpikeFilterHook m_spikeFilter;
    // A run's power, torque and CO% points while it is plotted (kept to reuse their memory).
    std::array<std::vector<SeriesPoint>, 3> m_curvePoints;
    // What the axes were last fitted to; nullopt until a plot first fits them.
    std::optional<GraphSettings::PlotBasis> m_fittedTo;
};

// The warning of a run whose data cannot be plotted.
QString noDataMessage();

} // namespace tolvane
