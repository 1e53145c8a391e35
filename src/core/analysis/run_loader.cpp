#include "core/analysis/run_loader.h"

#include <vector>

#include "core/analysis/run_reductions.h"
#include "core/common/number_text.h"

namespace tolvane {

namespace {

const QString SaePrefix = QStringLiteral("SAE Correction Factor - ");
const QString AppliedPrefix = QStringLiteral("Correction Factor Applied - ");
const QString InertiaPrefix = QStringLiteral("Inertia:");
const QString TachPrefix = QStringLiteral("Eng. Tachometer Ratio - ");

// Files keep engine speed in full rpm; older ones held hundreds, which a first field below this
// gives away.
constexpr double HundredsBelow = 500.0;

} // namespace

void RunLoader::readHeader(const QString& line, Kind kind, RunLoadResult& result) const
{
    const QStringView start =
        QStringView(line).left(kind == Kind::CurrentRun ? CurrentRunHeaderSpan : SelectedRunHeaderSpan);
    // The value is whatever follows the prefix's length, so only a prefix at the line's start
    // gives a number; one found further in takes the fallback.
    const auto valueAfter = [&](int prefixLength) {
        return parseFloat(QStringView(line).mid(prefixLength), m_settings.decimalSeparator);
    };
    if (m_settings.corrected && start.contains(SaePrefix)) {
        result.correction = valueAfter(SaePrefixLength).value_or(1.0);
    }
    if (!m_settings.corrected && start.contains(AppliedPrefix)) {
        // The stored values carry the applied factor; dividing it out needs a usable factor.
        const std::optional<double> applied = valueAfter(AppliedPrefixLength);
        result.correction = (applied && *applied != 0.0) ? 1.0 / *applied : 1.0;
    }
    if (kind == Kind::CurrentRun && start.contains(InertiaPrefix)) {
        result.inertia = valueAfter(InertiaPrefixLength).value_or(1.0);
    }
    if (kind == Kind::CurrentRun && start.contains(TachPrefix)) {
        result.tachRatio = valueAfter(TachPrefixLength).value_or(0.0);
    }
}

RunLoadResult RunLoader::scan(const QStringList& lines, Kind kind) const
{
    RunLoadResult result;
    std::vector<std::vector<double>> columns;
    bool dataSeen = false;
    for (qsizetype index = 0; index < lines.size(); ++index) {
        const QString& line = lines[index];
        readHeader(line, kind, result);
        const QChar* text = line.constData();
        const qsizetype length = line.size();
        size_t converted = 0;
        qsizetype fieldStart = 0;
        for (qsizetype i = 0; i < length; ++i) {
            if (text[i] != QLatin1Char('\t'))
                continue;
            const std::optional<double> number =
                parseFloat(QStringView(text + fieldStart, i - fieldStart), m_settings.decimalSeparator);
            fieldStart = i + 1;
            if (!number)
                continue;
            double value = *number;
            if (converted == 0 && value < HundredsBelow)
                value *= 100.0;
            if (converted == columns.size())
                columns.emplace_back();
            columns[converted].push_back(value);
            ++converted;
        }
        if (converted > 0 && !dataSeen) {
            dataSeen = true;
            result.firstDataLine = static_cast<int>(index);
        }
    }
    result.table = RunTable::fromColumns(std::move(columns), m_settings.decimalSeparator);
    return result;
}

RunLoadResult RunLoader::loadCurrentRun(const QStringList& lines, const SpikeFilterHook& spikeFilter) const
{
    RunLoadResult result = scan(lines, Kind::CurrentRun);
    if (spikeFilter)
        spikeFilter(result.table, result.firstDataLine);
    if (m_settings.showHighest) {
        // Fewer than three rows are not worth a preview in this mode.
        if (result.table.has(2, RunTable::EngineSpeedColumn))
            keepHighestTorque(result.table);
        else
            result.table.setRowCount(0);
    }
    return result;
}

RunLoadResult RunLoader::loadSelectedRun(const QStringList& lines) const
{
    RunLoadResult result = scan(lines, Kind::SelectedRun);
    result.firstDataLine = 0;
    if (m_settings.averageTestPhases)
        averageTestPhases(result.table);
    if (m_settings.showHighest)
        keepHighestTorque(result.table);
    return result;
}

} // namespace tolvane
