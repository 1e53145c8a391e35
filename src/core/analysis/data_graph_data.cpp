#include "core/analysis/data_graph_data.h"

#include "core/common/number_text.h"

#include <algorithm>
#include <optional>

namespace tolvane {

namespace {

const QChar Tab = QLatin1Char('\t');

bool isHeadingLine(QString line)
{
    for (int n = 0; n < 3; ++n) {
        const qsizetype tab = line.indexOf(Tab);
        if (tab < 0)
            return false;
        line.remove(tab, 2);
    }
    return line.contains(Tab);
}

// The tab-ended pieces of a line; text after the last tab is not a labelled field.
QStringList tabEndedPieces(const QString& line)
{
    QStringList pieces = line.split(Tab);
    pieces.removeLast();
    return pieces;
}

QStringList rowCells(const QString& line, int columns, const TextLocale& locale)
{
    const QStringList pieces = line.split(Tab);
    QStringList cells;
    for (int k = 0; k < columns; ++k) {
        const QString piece = k < pieces.size() ? pieces[k] : QString();
        if (const std::optional<double> value = parseFloat(piece, locale)) {
            cells.append(formatNumber(*value, u"000.00", locale));
            continue;
        }
        const bool edge = k == 0 || k == columns - 1;
        if (edge && !piece.isEmpty() && !piece.startsWith(QLatin1Char('c')))
            cells.append(QStringLiteral("E-") + piece);
        else
            cells.append(piece);
    }
    return cells;
}

DataGraphRun readRun(const ComparedRun& run, const TextLocale& locale)
{
    DataGraphRun block;
    block.colour = run.colour;
    bool started = false;
    for (const QString& line : run.lines) {
        if (line.startsWith(QLatin1String("end.")))
            break;
        if (!started) {
            if (!isHeadingLine(line))
                continue;
            block.labels = tabEndedPieces(line);
            started = true;
        }
        block.rows.push_back(rowCells(line, static_cast<int>(block.labels.size()), locale));
    }
    return block;
}

void sortDataRows(DataGraphRun& block, const TextLocale& locale)
{
    if (block.rows.size() < 2)
        return;
    auto speed = [&](const QStringList& row) {
        return row.isEmpty() ? std::nullopt : parseFloat(row[0], locale);
    };
    std::stable_sort(block.rows.begin() + 1, block.rows.end(),
                     [&](const QStringList& a, const QStringList& b) {
                         const std::optional<double> x = speed(a);
                         const std::optional<double> y = speed(b);
                         if (x && y)
                             return *x < *y;
                         return x.has_value() && !y.has_value();
                     });
}

} // namespace

DataGraphData DataGraphData::build(const std::vector<ComparedRun>& runs, const TextLocale& locale)
{
    DataGraphData data;
    data.m_locale = locale;
    for (const ComparedRun& run : runs) {
        DataGraphRun block = readRun(run, locale);
        sortDataRows(block, locale);
        data.m_runs.push_back(std::move(block));
    }
    return data;
}

std::vector<DataGraphAxis> DataGraphData::axes() const
{
    std::vector<DataGraphAxis> axes;
    for (int k = 0; k < DataGraphAxisCount; ++k) {
        const int column = DataGraphFirstQuantityColumn + k;
        DataGraphAxis axis;
        for (std::size_t j = 0; j < m_runs.size(); ++j) {
            const DataGraphRun& run = m_runs[j];
            if (column >= run.labels.size())
                continue;
            axis.label = run.labels[column];
            DataGraphSubset subset{static_cast<int>(j), run.colour, {}};
            for (std::size_t a = 1; a < run.rows.size(); ++a) {
                const std::optional<double> x = parseFloat(run.rows[a][0], m_locale);
                const std::optional<double> y = parseFloat(run.rows[a][column], m_locale);
                if (x && y)
                    subset.points.append(QPointF(*x, *y));
            }
            axis.subsets.push_back(std::move(subset));
        }
        if (!axis.subsets.empty())
            axes.push_back(std::move(axis));
    }
    return axes;
}

} // namespace tolvane
