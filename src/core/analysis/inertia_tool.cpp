#include "core/analysis/inertia_tool.h"

#include "core/analysis/graph_settings.h"
#include "core/analysis/run_plotter.h"
#include "core/analysis/series_model.h"
#include "core/analysis/viewer_state.h"
#include "core/analysis/viewer_text.h"
#include "core/common/number_text.h"
#include "core/common/prompter.h"
#include "core/setup/unit_settings.h"

#include <cmath>
#include <optional>

namespace tolvane {

namespace {

const QString InertiaPrefix = QStringLiteral("Inertia:");

bool usable(double inertia)
{
    return std::isfinite(inertia) && inertia >= 0.0;
}

struct PowerTorque {
    double power = 0.0;
    double torque = 0.0;
};

// The row at inertia x: recomputed in a sweep run, as stored (and corrected like every preview)
// in a step run.
std::optional<PowerTorque> rowAt(const RecalcRun& run, int row, double inertia, const UnitSettings& units)
{
    const RunTable& t = run.table;
    const std::optional<double> rpm = t.value(row, RunTable::EngineSpeedColumn);
    if (!run.hasAcceleration) {
        const std::optional<double> power = t.value(row, RunTable::PowerColumn);
        const std::optional<double> torque = t.value(row, RunTable::TorqueColumn);
        if (!power || !torque)
            return std::nullopt;
        return PowerTorque{*power * run.correction, *torque * run.correction};
    }
    const std::optional<double> acceleration = t.value(row, RunTable::CoColumn);
    const std::optional<double> staticTorque = t.value(row, 6);
    if (!rpm || !t.has(row, RunTable::TorqueColumn) || !acceleration || !staticTorque || run.tachRatio == 0.0)
        return std::nullopt;
    const double torque =
        (inertia * *acceleration + *staticTorque) / run.tachRatio * units.forceFactor() * run.correction;
    return PowerTorque{*rpm * torque / 5252.0, torque};
}

} // namespace

bool ShowNewInertia(RecalcContext& context, double inertia)
{
    const RecalcRun run = readRecalcRun(context);
    if (run.table.rowCount() < 2 || !usable(inertia))
        return false;
    context.viewer.setRunInertia(inertia);
    if (run.hasAcceleration && run.tachRatio == 0.0)
        return false;

    SeriesModel& chart = context.chart;
    const QString white = QStringLiteral("clWhite");
    chart.SetPlotting(false);
    for (const int key : {SeriesKey::PreviewPower, SeriesKey::PreviewTorque}) {
        chart.ClearSeries(key);
        stylePreviewCurve(chart, key, white);
    }
    const int xColumn = context.graph.xAxisColumn();
    for (int row = 0; row < run.table.rowCount(); ++row) {
        const std::optional<double> x = run.table.value(row, xColumn);
        const std::optional<PowerTorque> values = rowAt(run, row, inertia, context.units);
        if (!x || !values)
            continue;
        if (context.graph.showPower())
            chart.AddPoint(SeriesKey::PreviewPower, *x, values->power);
        if (context.graph.showTorque())
            chart.AddPoint(SeriesKey::PreviewTorque, *x, values->torque);
    }
    chart.SetPlotting(true);
    return true;
}

bool SaveNewInertia(RecalcContext& context, double inertia)
{
    if (!usable(inertia)) {
        context.prompter.inform(QStringLiteral("Adjust Inertia Value"),
                                QStringLiteral("The inertia must not be negative."), PromptIcon::Warning);
        return false;
    }
    const RecalcRun run = readRecalcRun(context);
    const TextLocale& locale = context.locale;
    QStringList lines = context.text.lines();
    for (QString& line : lines)
        if (line.startsWith(InertiaPrefix))
            line = InertiaPrefix + formatNumber(inertia, u"0.0000", locale);
    context.viewer.setRunInertia(inertia);

    if (run.hasAcceleration) {
        MaxTracker max;
        bool rewritten = false;
        for (int row = 0; row < static_cast<int>(run.rowLines.size()); ++row) {
            const std::optional<PowerTorque> values = rowAt(run, row, inertia, context.units);
            if (!values)
                continue;
            QString& line = lines[run.rowLines[static_cast<std::size_t>(row)]];
            line =
                replaceNumberFields(line,
                                    {{RunTable::PowerColumn, formatNumber(values->power, u"0.00", locale)},
                                     {RunTable::TorqueColumn, formatNumber(values->torque, u"0.00", locale)}},
                                    locale.decimalSeparator);
            max.add(values->power, values->torque, *run.table.value(row, RunTable::EngineSpeedColumn));
            rewritten = true;
        }
        if (rewritten)
            replaceSweepSummary(lines, max, context.units, locale);
    }
    return commitRecalculatedLines(context, lines);
}

} // namespace tolvane
