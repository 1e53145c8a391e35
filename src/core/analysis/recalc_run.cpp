#include "core/analysis/recalc_run.h"

#include "core/analysis/axis_titles.h"
#include "core/analysis/graph_settings.h"
#include "core/analysis/run_loader.h"
#include "core/analysis/series_model.h"
#include "core/analysis/viewer_state.h"
#include "core/analysis/viewer_text.h"
#include "core/common/number_text.h"
#include "core/setup/unit_settings.h"

#include <algorithm>

namespace tolvane {

namespace {

const QChar Tab = QLatin1Char('\t');

// The sweep heading's fifth label; step headings carry gas labels there.
bool isSweepHeading(const QString& line)
{
    const QStringList pieces = line.split(Tab);
    return pieces.size() > 5 && pieces[4].trimmed() == QLatin1String("Acc");
}

QString summaryLine(const QString& label, double value, double rpm, const UnitSettings& units,
                    const TextLocale& locale)
{
    return QStringLiteral("Max ") + labelBeforeTab(label) + QStringLiteral(":  ") +
           formatNumber(value, u"0.00", locale) + QStringLiteral("  @  ") + formatNumber(rpm, u"0", locale) +
           QLatin1Char(' ') + labelBeforeTab(units.engineSpeedUnit()) + QLatin1Char('.');
}

} // namespace

RecalcRun readRecalcRun(const RecalcContext& context)
{
    RunLoadSettings settings = context.graph.loadSettings(context.locale.decimalSeparator);
    settings.showHighest = false;
    settings.averageTestPhases = false;
    const QStringList& lines = context.text.lines();
    RunLoadResult loaded = RunLoader(settings).loadCurrentRun(lines);

    RecalcRun run;
    run.table = std::move(loaded.table);
    run.rowLines = dataLineIndices(lines, context.locale.decimalSeparator);
    run.rowLines.resize(
        std::min<std::size_t>(run.rowLines.size(), static_cast<std::size_t>(run.table.rowCount())));
    run.correction = loaded.correction;
    run.tachRatio = loaded.tachRatio.value_or(context.viewer.runTachRatio());
    const int firstData = run.rowLines.empty() ? static_cast<int>(lines.size()) : run.rowLines.front();
    for (int i = 0; i < firstData; ++i)
        run.hasAcceleration = run.hasAcceleration || isSweepHeading(lines[i]);
    return run;
}

std::vector<int> dataLineIndices(const QStringList& lines, QChar decimalSeparator)
{
    std::vector<int> indices;
    for (qsizetype index = 0; index < lines.size(); ++index) {
        QStringList pieces = lines[index].split(Tab);
        pieces.removeLast(); // text after the last tab is no field
        if (std::any_of(pieces.cbegin(), pieces.cend(), [&](const QString& piece) {
                return parseFloat(piece, decimalSeparator).has_value();
            }))
            indices.push_back(static_cast<int>(index));
    }
    return indices;
}

QString replaceNumberFields(const QString& line, const std::map<int, QString>& byColumn,
                            QChar decimalSeparator)
{
    QStringList pieces = line.split(Tab);
    int column = 0;
    for (qsizetype k = 0; k + 1 < pieces.size(); ++k) {
        if (!parseFloat(pieces[k], decimalSeparator))
            continue;
        if (const auto found = byColumn.find(column); found != byColumn.end())
            pieces[k] = found->second;
        ++column;
    }
    return pieces.join(Tab);
}

void MaxTracker::add(double powerValue, double torqueValue, double engineRpm)
{
    if (powerValue > power) {
        power = powerValue;
        powerRpm = engineRpm;
    }
    if (torqueValue > torque) {
        torque = torqueValue;
        torqueRpm = engineRpm;
    }
}

bool replaceSweepSummary(QStringList& lines, const MaxTracker& max, const UnitSettings& units,
                         const TextLocale& locale)
{
    const QString prefix = QStringLiteral("Max ");
    if (lines.size() < 5 || !lines[3].startsWith(prefix) || !lines[4].startsWith(prefix))
        return false;
    lines[3] = summaryLine(units.powerUnitLabel(), max.power, max.powerRpm, units, locale);
    lines[4] = summaryLine(units.forceUnit(), max.torque, max.torqueRpm, units, locale);
    return true;
}

void stylePreviewCurve(SeriesModel& chart, int key, const QString& colour)
{
    chart.setEnabled(key, true);
    chart.setDrawLine(key, true);
    chart.setDrawMarkers(key, false);
    chart.setLineColor(key, colour);
    chart.setLineStyle(key, LineStyle::Dot);
    chart.setRegressionLine(key, QStringLiteral("clBlack"), LineStyle::None);
    chart.setMarkerShape(key, MarkerShape::Cross);
    chart.setMarkerColor(key, colour);
}

bool commitRecalculatedLines(RecalcContext& context, const QStringList& lines)
{
    if (lines == context.text.lines())
        return false;
    context.text.setLines(lines, true);
    return true;
}

} // namespace tolvane
