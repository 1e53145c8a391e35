#include "core/analysis/run_loader.h"

#include <algorithm>
#include <vector>

#include "core/analysis/run_reductions.h"
#include "core/common/number_text.h"
#include "core/common/text_file.h"

namespace tolvane {

namespace {

constexpr QLatin1StringView SaePrefix("SAE Correction Factor - ");
constexpr QLatin1StringView AppliedPrefix("Correction Factor Applied - ");
constexpr QLatin1StringView InertiaPrefix("Inertia:");
constexpr QLatin1StringView TachPrefix("Eng. Tachometer Ratio - ");

// Files keep engine speed in full rpm; older ones held hundreds, which a first field below this
// gives away.
constexpr double HundredsBelow = 500.0;

// Column k takes the k-th number of every line, each column filled from the top on its own.
// A column is never longer than the one before it, so row r holds the columns longer than r:
// always a run of first columns, which is what the table keeps.
RunTable fillFromTheTop(std::vector<double> numbers, const std::vector<int>& counts, QChar decimalSeparator)
{
    const auto rows = counts.size();
    std::vector<qsizetype> rowStart(rows + 1, 0);
    // The usual file: no line has more numbers than the one before, so row r is line r as read.
    if (std::is_sorted(counts.rbegin(), counts.rend())) {
        for (size_t r = 0; r < rows; ++r)
            rowStart[r + 1] = rowStart[r] + counts[r];
        return RunTable::fromRows(std::move(numbers), std::move(rowStart), decimalSeparator);
    }
    // columnLength[k]: the lines with more than k numbers; the widest line sets the column count.
    const int columns = *std::max_element(counts.begin(), counts.end());
    std::vector<size_t> columnLength(static_cast<size_t>(columns), 0);
    for (const int count : counts)
        for (int k = 0; k < count; ++k)
            ++columnLength[static_cast<size_t>(k)];
    // Row r holds as many cells as there are columns longer than r.
    std::vector<qsizetype> cellsFrom(rows + 1, 0);
    for (const size_t length : columnLength)
        ++cellsFrom[length];
    qsizetype longer = columns;
    for (size_t r = 0; r < rows; ++r) {
        longer -= cellsFrom[r];
        rowStart[r + 1] = rowStart[r] + longer;
    }
    std::vector<double> cells(numbers.size());
    std::vector<size_t> nextRow(static_cast<size_t>(columns), 0);
    size_t at = 0;
    for (const int count : counts) {
        for (int k = 0; k < count; ++k) {
            const size_t r = nextRow[static_cast<size_t>(k)]++;
            cells[static_cast<size_t>(rowStart[r]) + static_cast<size_t>(k)] = numbers[at++];
        }
    }
    return RunTable::fromRows(std::move(cells), std::move(rowStart), decimalSeparator);
}

} // namespace

template <typename View> void RunLoader::readHeader(View line, Kind kind, RunLoadResult& result) const
{
    const View start = line.left(kind == Kind::CurrentRun ? CurrentRunHeaderSpan : SelectedRunHeaderSpan);
    // Every prefix holds an "r" and no data line does: most lines are done with at a glance.
    if (!start.contains(QLatin1Char('r')))
        return;
    // The value is whatever follows the prefix's length, so only a prefix at the line's start
    // gives a number; one found further in takes the fallback.
    const auto valueAfter = [&](int prefixLength) {
        return parseFloat(line.mid(prefixLength), m_settings.decimalSeparator);
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

template <typename View> RunLoadResult RunLoader::scan(const std::vector<View>& lines, Kind kind) const
{
    std::size_t textSize = 0;
    for (const View line : lines)
        textSize += static_cast<std::size_t>(line.size()) + 1;
    RunLoadResult result;
    // The numbers of every data line in file order, and how many each line gave.
    std::vector<double> numbers;
    std::vector<int> counts;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const View line = lines[index];
        readHeader(line, kind, result);
        const auto* text = line.data();
        const qsizetype length = line.size();
        int converted = 0;
        qsizetype fieldStart = 0;
        for (qsizetype i = 0; i < length; ++i) {
            if (text[i] != QLatin1Char('\t'))
                continue;
            double number = 0.0;
            const View field(text + fieldStart, i - fieldStart);
            fieldStart = i + 1;
            if (!parsePlainNumber(field.begin(), field.end(), m_settings.decimalSeparator.unicode(),
                                  number)) {
                const std::optional<double> general = parseFloat(field, m_settings.decimalSeparator);
                if (!general)
                    continue;
                number = *general;
            }
            numbers.push_back(converted == 0 && number < HundredsBelow ? number * 100.0 : number);
            ++converted;
        }
        if (converted == 0)
            continue;
        if (counts.empty()) {
            result.firstDataLine = static_cast<int>(index);
            // Runs are long and their data lines alike: room for as many more lines of this
            // width, but never more than the text could hold (a number takes two characters).
            const std::size_t remaining = lines.size() - index;
            counts.reserve(remaining);
            numbers.reserve(std::min(remaining * static_cast<std::size_t>(converted), textSize / 2));
        }
        counts.push_back(converted);
    }
    result.table = fillFromTheTop(std::move(numbers), counts, m_settings.decimalSeparator);
    return result;
}

namespace {

std::vector<QStringView> viewsOf(const QStringList& lines)
{
    return {lines.begin(), lines.end()};
}

} // namespace

RunLoadResult RunLoader::loadCurrentRun(const QStringList& lines, const SpikeFilterHook& spikeFilter) const
{
    RunLoadResult result = scan(viewsOf(lines), Kind::CurrentRun);
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
    return reduceSelectedRun(scan(viewsOf(lines), Kind::SelectedRun));
}

RunLoadResult RunLoader::loadSelectedRun(QByteArrayView fileBytes) const
{
    return reduceSelectedRun(scan(lineViews(fileBytes), Kind::SelectedRun));
}

RunLoadResult RunLoader::reduceSelectedRun(RunLoadResult result) const
{
    result.firstDataLine = 0;
    if (m_settings.averageTestPhases)
        averageTestPhases(result.table);
    if (m_settings.showHighest)
        keepHighestTorque(result.table);
    return result;
}

} // namespace tolvane
