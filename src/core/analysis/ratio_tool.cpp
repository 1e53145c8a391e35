#include "core/analysis/ratio_tool.h"

#include "core/analysis/graph_settings.h"
#include "core/analysis/run_plotter.h"
#include "core/analysis/series_model.h"
#include "core/analysis/viewer_text.h"
#include "core/common/number_text.h"
#include "core/common/prompter.h"

#include <cmath>
#include <optional>

namespace tolvane {

namespace {

const QString TachPrefix = QStringLiteral("Eng. Tachometer Ratio - ");

struct RatioRow {
    double roadSpeed = 0.0;
    double rpm = 0.0;
    double power = 0.0; // as stored
    double torque = 0.0;
};

bool usable(double ratio)
{
    return std::isfinite(ratio) && ratio > 0.0;
}

std::optional<RatioRow> rowAt(const RecalcRun& run, int row, double ratio)
{
    const std::optional<double> road = run.table.value(row, RunTable::RoadSpeedColumn);
    const std::optional<double> power = run.table.value(row, RunTable::PowerColumn);
    if (!road || !power)
        return std::nullopt;
    const double rpm = ratio * *road * RollerRpmPerRoadSpeed;
    if (rpm <= 0.0)
        return std::nullopt;
    return RatioRow{*road, rpm, *power, *power * 5252.0 / rpm * run.correction};
}

} // namespace

bool ShowNewRatio(RecalcContext& context, double ratio)
{
    if (!usable(ratio))
        return false;
    const RecalcRun run = readRecalcRun(context);
    if (run.table.rowCount() < 2)
        return false;

    SeriesModel& chart = context.chart;
    const QString white = QStringLiteral("clWhite");
    chart.SetPlotting(false);
    for (const int key : {SeriesKey::PreviewPower, SeriesKey::PreviewTorque}) {
        chart.ClearSeries(key);
        stylePreviewCurve(chart, key, white);
    }
    const bool roadSpeedAxis = context.graph.xAxisColumn() == GraphSettings::RoadSpeedAxis;
    for (int row = 0; row < run.table.rowCount(); ++row) {
        const std::optional<RatioRow> values = rowAt(run, row, ratio);
        if (!values)
            continue;
        const double x = roadSpeedAxis ? values->roadSpeed : values->rpm;
        if (context.graph.showPower())
            chart.AddPoint(SeriesKey::PreviewPower, x, values->power * run.correction);
        if (context.graph.showTorque())
            chart.AddPoint(SeriesKey::PreviewTorque, x, values->torque);
    }
    chart.SetPlotting(true);
    return true;
}

bool SaveNewRatio(RecalcContext& context, double ratio)
{
    if (!usable(ratio)) {
        context.prompter.inform(QStringLiteral("Adjust Tach Ratio"),
                                QStringLiteral("The tach ratio must be greater than 0."),
                                PromptIcon::Warning);
        return false;
    }
    const RecalcRun run = readRecalcRun(context);
    const TextLocale& locale = context.locale;
    QStringList lines = context.text.lines();
    for (QString& line : lines)
        if (line.startsWith(TachPrefix))
            line = TachPrefix + formatNumber(ratio, u"0.0000", locale);

    MaxTracker max;
    bool rewritten = false;
    for (int row = 0; row < static_cast<int>(run.rowLines.size()); ++row) {
        const std::optional<RatioRow> values = rowAt(run, row, ratio);
        if (!values)
            continue;
        QString& line = lines[run.rowLines[static_cast<std::size_t>(row)]];
        line = replaceNumberFields(line,
                                   {{RunTable::EngineSpeedColumn, formatNumber(values->rpm, u"0", locale)},
                                    {RunTable::TorqueColumn, formatNumber(values->torque, u"0.00", locale)}},
                                   locale.decimalSeparator);
        max.add(values->power, values->torque, values->rpm);
        rewritten = true;
    }
    if (rewritten)
        replaceSweepSummary(lines, max, context.units, locale);
    return commitRecalculatedLines(context, lines);
}

} // namespace tolvane
