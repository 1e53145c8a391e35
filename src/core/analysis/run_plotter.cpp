#include "core/analysis/run_plotter.h"

#include "core/analysis/series_model.h"
#include "core/analysis/viewer_state.h"
#include "core/common/prompter.h"
#include "core/common/text_file.h"
#include "core/library/selection.h"

namespace tolvane {

namespace {

constexpr int RunMarkerSize = 8;
constexpr double RescaleMargin = 8.0;
constexpr double PreviewMargin = 3.0;
constexpr double PreviewTolerance = 0.001;
const QString PreviewColor = QStringLiteral("clWhite");

QString fileNameOf(const QString& path)
{
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    return path.mid(cut + 1);
}

} // namespace

QString noDataMessage()
{
    return QStringLiteral("No Data! \nThis can happen if ALL the data in one file is cold...");
}

RunPlotter::RunPlotter(SeriesModel& chart, const Selection& selection, const GraphSettings& settings,
                       ViewerState& viewer, Prompter& prompter, QChar decimalSeparator)
    : m_chart(chart), m_selection(selection), m_settings(settings), m_viewer(viewer), m_prompter(prompter),
      m_decimalSeparator(decimalSeparator)
{
}

void RunPlotter::styleRunSeries(int key, const QString& color, LineStyle style, MarkerShape shape)
{
    m_chart.setDrawLine(key, true);
    m_chart.setDrawMarkers(key, m_settings.printPoints());
    m_chart.setLineColor(key, color);
    m_chart.setLineStyle(key, style);
    m_chart.setMarkerColor(key, color);
    m_chart.setMarkerShape(key, shape);
    m_chart.setMarkerSize(key, RunMarkerSize);
}

bool RunPlotter::plotRun(int run, const RunTable& table, double correction, PlotExtents& extents)
{
    const int xColumn = m_settings.xAxisColumn();
    const int powerKey = SeriesKey::Power + run;
    const int torqueKey = SeriesKey::Torque + run;
    const int coKey = SeriesKey::Co + run;
    for (int key : {powerKey, torqueKey, coKey})
        m_chart.setNumericalTolerance(key, m_settings.pointTolerance());
    if (!table.has(1, xColumn) || !table.has(0, xColumn))
        return false;

    const QString color = m_selection.row(run).colorName;
    const auto shape = static_cast<MarkerShape>(run % 4);
    styleRunSeries(powerKey, color, LineStyle::Solid, shape);
    m_chart.setRegressionLine(powerKey, m_chart.series(powerKey)->regressionLineColor, LineStyle::None);
    if (m_settings.showTorque())
        styleRunSeries(torqueKey, color, LineStyle::Dash, shape);
    if (m_settings.showCo())
        styleRunSeries(coKey, color, LineStyle::Dot, shape);

    // Each curve's points in the order the rows give them, handed to the chart per curve: the
    // same points as one AddPoint per row and curve, without a series look-up for every point.
    std::vector<SeriesPoint>& powerPoints = m_curvePoints[0];
    std::vector<SeriesPoint>& torquePoints = m_curvePoints[1];
    std::vector<SeriesPoint>& coPoints = m_curvePoints[2];
    for (std::vector<SeriesPoint>& points : m_curvePoints)
        points.clear();
    for (int row = 0; row < table.rowCount(); ++row) {
        const std::optional<double> x = table.value(row, xColumn);
        const std::optional<double> power = table.value(row, RunTable::PowerColumn);
        if (!x || !power)
            continue;
        powerPoints.push_back({*x, *power * correction});
        extents.includeX(*x);
        extents.includeY(*power * correction);
        if (m_settings.showTorque()) {
            if (const std::optional<double> torque = table.value(row, RunTable::TorqueColumn)) {
                torquePoints.push_back({*x, *torque * correction});
                extents.includeY(*torque * correction);
            }
        }
        if (m_settings.showCo()) {
            // The gas (or acceleration) column is a measurement of its own: never corrected.
            if (const std::optional<double> co = table.value(row, RunTable::CoColumn)) {
                coPoints.push_back({*x, *co});
                extents.includeY(*co);
            }
        }
    }
    m_chart.AddPoints(powerKey, powerPoints);
    m_chart.AddPoints(torqueKey, torquePoints);
    m_chart.AddPoints(coKey, coPoints);
    // Without "HP" the power points stay (their markers may show) but no line joins them.
    if (!powerPoints.empty())
        m_chart.setDrawLine(powerKey, m_settings.showPower());
    return true;
}

PlotAllResult RunPlotter::PlotAll()
{
    PlotAllResult result;
    m_viewer.setFileCountAtPlot(m_selection.runCount());
    m_chart.SetPlotting(false);
    m_chart.setAxesCrossAtZero(false);
    PlotExtents extents;
    for (int key = 0; key <= SeriesKey::Last; ++key)
        m_chart.ClearSeries(key);

    const RunLoader loader(m_settings.loadSettings(m_decimalSeparator));
    // Only the last run's text goes to the notes box: it alone is made into lines.
    QByteArray lastRunBytes;
    for (int run = 1; run <= m_selection.runCount(); ++run) {
        const SelectionRow& row = m_selection.row(run);
        m_viewer.setRunCorrection(1.0);
        m_viewer.setCurrentFile(row.path);
        result.runNames.append(fileNameOf(row.path));
        FileReadResult file = readFileBytes(row.path);
        if (!file.ok()) {
            result.outcome = PlotAllResult::Outcome::FileError;
            m_prompter.inform(QStringLiteral("Error"), file.error->message, PromptIcon::Error);
            break;
        }
        const RunLoadResult loaded = loader.loadSelectedRun(file.bytes);
        m_viewer.setRunCorrection(loaded.correction);
        lastRunBytes = std::move(file.bytes);
        result.lastRunName = result.runNames.last();
        result.lastRunColor = row.colorName;
        if (!plotRun(run, loaded.table, loaded.correction, extents)) {
            result.outcome = PlotAllResult::Outcome::NoData;
            m_prompter.inform(QStringLiteral("Warning"), noDataMessage(), PromptIcon::Warning);
            break;
        }
    }
    if (!result.lastRunName.isEmpty())
        result.lastRunLines = splitLines(lastRunBytes);
    m_viewer.setPlotExtents(extents);
    // A fixed range stays fixed, so fitting it once is not enough: after a switch that changed
    // what the curves show (road speed, uncorrected values, other curves or reductions) the old
    // range would frame nothing of them, whichever menu made the switch.
    const GraphSettings::PlotBasis basis = m_settings.plotBasis();
    const bool refit = m_viewer.rescalePending() || (m_fittedTo && *m_fittedTo != basis);
    if (result.outcome == PlotAllResult::Outcome::Plotted && refit) {
        m_chart.setXAxisRange(extents.xMinimum - RescaleMargin, extents.xMaximum + RescaleMargin);
        m_chart.setYAxisRange(extents.yMinimum - RescaleMargin, extents.yMaximum + RescaleMargin);
        m_viewer.setRescalePending(false);
        m_fittedTo = basis;
    }
    // Drawing resumes even after a failed run, so the chart shows the runs plotted before it.
    m_chart.SetPlotting(true);
    return result;
}

void RunPlotter::stylePreviewSeries(int key, MarkerShape shape, int size)
{
    m_chart.ClearSeries(key);
    m_chart.setEnabled(key, true);
    m_chart.setDrawLine(key, true);
    m_chart.setDrawMarkers(key, true);
    m_chart.setFillMarkers(key, false);
    m_chart.setLineColor(key, PreviewColor);
    m_chart.setLineStyle(key, LineStyle::Dot);
    m_chart.setMarkerColor(key, PreviewColor);
    m_chart.setMarkerShape(key, shape);
    m_chart.setMarkerSize(key, size);
    m_chart.setRegressionLine(key, QStringLiteral("clBlack"), LineStyle::None);
    m_chart.setNumericalTolerance(key, PreviewTolerance);
}

bool RunPlotter::PreViewG(const QStringList& lines)
{
    m_viewer.setRunCorrection(1.0);
    m_viewer.setFirstDataLine(0);
    const RunLoader loader(m_settings.loadSettings(m_decimalSeparator));
    SpikeFilterHook filter;
    if (m_viewer.spikeFilterArmed() && m_spikeFilter) {
        // The filter finds the spikes' text lines from where the data begins.
        filter = [this](RunTable& table, int firstDataLine) {
            m_viewer.setFirstDataLine(firstDataLine);
            m_spikeFilter(table, firstDataLine);
        };
    }
    const RunLoadResult loaded = loader.loadCurrentRun(lines, filter);
    m_viewer.setRunCorrection(loaded.correction);
    m_viewer.setFirstDataLine(loaded.firstDataLine);
    if (loaded.tachRatio)
        m_viewer.setRunTachRatio(*loaded.tachRatio);
    if (loaded.inertia)
        m_viewer.setRunInertia(*loaded.inertia);

    const RunTable& table = loaded.table;
    if (table.rowCount() < 2)
        return false;
    const int xColumn = m_settings.xAxisColumn();
    const double correction = loaded.correction;
    PlotExtents extents = m_viewer.plotExtents();

    m_chart.SetPlotting(false);
    m_chart.setAxesCrossAtZero(false);
    if (m_settings.showPower()) {
        stylePreviewSeries(SeriesKey::PreviewPower, MarkerShape::Cross, 15);
        // The axes follow the preview only while they still hold the fit the last rescale made.
        const ChartAxis& xAxis = m_chart.xAxis();
        const ChartAxis& yAxis = m_chart.yAxis();
        const bool fitted = !xAxis.automatic && !yAxis.automatic &&
                            xAxis.minimum == extents.xMinimum - PreviewMargin &&
                            xAxis.maximum == extents.xMaximum + PreviewMargin &&
                            yAxis.minimum == extents.yMinimum - PreviewMargin &&
                            yAxis.maximum == extents.yMaximum + PreviewMargin;
        for (int row = 0; row < table.rowCount(); ++row) {
            const std::optional<double> x = table.value(row, xColumn);
            const std::optional<double> power = table.value(row, RunTable::PowerColumn);
            if (!x || !power)
                continue;
            const double y = *power * correction;
            m_chart.AddPoint(SeriesKey::PreviewPower, *x, y);
            if (fitted) {
                if (*x < m_chart.xAxis().minimum)
                    m_chart.setXAxisRange(*x - PreviewMargin, m_chart.xAxis().maximum);
                if (*x > m_chart.xAxis().maximum)
                    m_chart.setXAxisRange(m_chart.xAxis().minimum, *x + PreviewMargin);
                if (y < m_chart.yAxis().minimum)
                    m_chart.setYAxisRange(y - PreviewMargin, m_chart.yAxis().maximum);
                if (y > m_chart.yAxis().maximum)
                    m_chart.setYAxisRange(m_chart.yAxis().minimum, y + PreviewMargin);
            }
            extents.includeX(*x);
            extents.includeY(y);
        }
    } else {
        m_chart.ClearSeries(SeriesKey::PreviewPower);
    }
    if (m_settings.showTorque())
        stylePreviewSeries(SeriesKey::PreviewTorque, MarkerShape::Diamond, 4);
    if (m_settings.showCo())
        stylePreviewSeries(SeriesKey::PreviewCo, MarkerShape::Circle, 4);

    for (int row = 0; row < table.rowCount(); ++row) {
        const std::optional<double> x = table.value(row, xColumn);
        if (!x)
            continue;
        // A row without torque (or gas) empties that preview curve: the curve shows only rows
        // after the last gap.
        const std::optional<double> torque = table.value(row, RunTable::TorqueColumn);
        if (m_settings.showTorque() && torque) {
            m_chart.AddPoint(SeriesKey::PreviewTorque, *x, *torque * correction);
            extents.includeY(*torque * correction);
        } else {
            m_chart.ClearSeries(SeriesKey::PreviewTorque);
        }
        const std::optional<double> co = table.value(row, RunTable::CoColumn);
        if (m_settings.showCo() && co) {
            m_chart.AddPoint(SeriesKey::PreviewCo, *x, *co);
            extents.includeY(*co);
        } else {
            m_chart.ClearSeries(SeriesKey::PreviewCo);
        }
    }
    m_viewer.setPlotExtents(extents);
    m_chart.SetPlotting(true);
    return true;
}

} // namespace tolvane
