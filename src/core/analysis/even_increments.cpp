#include "core/analysis/even_increments.h"

#include "core/analysis/run_plotter.h"
#include "core/analysis/series_model.h"
#include "core/analysis/viewer_text.h"
#include "core/common/number_text.h"
#include "core/common/prompter.h"

#include <array>

namespace tolvane {

void EvenIncTable::compute(const RunTable& table)
{
    std::array<EvenIncBin, BinCount> all{};
    for (int row = 0; row < table.rowCount(); ++row) {
        const std::optional<double> rpm = table.value(row, RunTable::EngineSpeedColumn);
        const std::optional<double> power = table.value(row, RunTable::PowerColumn);
        if (!rpm || !power)
            continue;
        const std::int64_t rounded = roundHalfEven(*rpm);
        if (rounded < 0 || rounded / 100 >= BinCount)
            continue;
        EvenIncBin& bin = all[static_cast<std::size_t>(rounded / 100)];
        bin.bin = static_cast<int>(rounded / 100);
        bin.rpmSum = static_cast<double>(roundHalfEven(bin.rpmSum + *rpm));
        ++bin.rpmCount;
        bin.powerSum = RunTable::roundToCents(bin.powerSum + *power);
        ++bin.powerCount;
        bin.meanRpm = RunTable::roundToCents(bin.rpmSum / bin.rpmCount);
        bin.meanPower = RunTable::roundToCents(bin.powerSum / bin.powerCount);
    }
    m_bins.clear();
    for (const EvenIncBin& bin : all)
        if (bin.rpmCount > 0)
            m_bins.push_back(bin);
    for (std::size_t i = 1; i < m_bins.size(); ++i) {
        const EvenIncBin& before = m_bins[i - 1];
        EvenIncBin& bin = m_bins[i];
        const double evenRpm = 100.0 * bin.bin;
        const double span = bin.meanRpm - before.meanRpm;
        const double share = span > 0.0 ? (evenRpm - before.meanRpm) / span : 1.0;
        bin.evenPower = RunTable::roundToCents(before.meanPower + (bin.meanPower - before.meanPower) * share);
    }
}

QList<QPointF> EvenIncTable::evenPoints() const
{
    QList<QPointF> points;
    for (const EvenIncBin& bin : m_bins)
        if (bin.evenPower)
            points.append(QPointF(100.0 * bin.bin, *bin.evenPower));
    return points;
}

void EvnIncClick(RecalcContext& context, EvenIncTable& table)
{
    table.compute(readRecalcRun(context).table);
    SeriesModel& chart = context.chart;
    chart.SetPlotting(false);
    chart.ClearSeries(SeriesKey::PreviewPower);
    stylePreviewCurve(chart, SeriesKey::PreviewPower, QStringLiteral("clYellow"));
    chart.ClearSeries(SeriesKey::PreviewTorque);
    stylePreviewCurve(chart, SeriesKey::PreviewTorque, QStringLiteral("clAqua"));
    for (const QPointF& point : table.evenPoints())
        chart.AddPoint(SeriesKey::PreviewPower, point.x(), point.y());
    chart.SetPlotting(true);
    writem1Click(context, table);
}

bool writem1Click(RecalcContext& context, const EvenIncTable& table)
{
    const QList<QPointF> points = table.evenPoints();
    const RecalcRun run = readRecalcRun(context);
    if (points.isEmpty() || run.rowLines.empty()) {
        context.prompter.inform(
            QStringLiteral("writem"),
            QStringLiteral("There are no even increments to write. \"Even Inc\" finds them "
                           "in a run whose data spans more than one 100 rpm step."),
            PromptIcon::Warning);
        return false;
    }
    const TextLocale& locale = context.locale;
    const std::optional<double> firstRpm = run.table.value(0, RunTable::EngineSpeedColumn);
    const std::optional<double> firstRoad = run.table.value(0, RunTable::RoadSpeedColumn);
    const double roadPerRpm = firstRpm && firstRoad && *firstRpm != 0.0 ? *firstRoad / *firstRpm : 0.0;

    QStringList evenLines;
    const QString tab = QStringLiteral("\t");
    for (const QPointF& point : points) {
        const double rpm = point.x();
        const double power = point.y();
        evenLines.append(formatNumber(rpm, u"0", locale) + tab +
                         formatNumber(rpm * roadPerRpm, u"0.00", locale) + tab +
                         formatNumber(power, u"0.00", locale) + tab +
                         formatNumber(power * 5252.0 / rpm, u"0.00", locale) + tab);
    }
    QStringList lines = context.text.lines();
    for (auto index = run.rowLines.rbegin(); index != run.rowLines.rend(); ++index)
        lines.removeAt(*index);
    for (qsizetype k = 0; k < evenLines.size(); ++k)
        lines.insert(run.rowLines.front() + k, evenLines[k]);
    return commitRecalculatedLines(context, lines);
}

} // namespace tolvane
