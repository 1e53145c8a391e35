#pragma once
// The data graph window's chart data: every compared run's data lines side by side and, from
// them, up to six stacked y axes (power, torque and the four quantities after them), each with one
// curve per run against engine speed.
//
// A run's block starts at its column-heading line (the first line that still holds a tab after
// three "tab and the character after it" are taken out) and ends before "end.". Its column labels
// are the heading's own tab-ended labels, as many as the heading has. Each line of the block is a
// row of cells, one per label: a number is kept formatted "000.00"; other text stays text, and in
// the run's first and last column a text that is neither empty nor a warm-up value ("c...")
// is marked "E-" (the heading labels and the conversion-error lines of a sweep file show so).
#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <vector>

#include "core/analysis/compared_runs.h"
#include "core/common/text_locale.h"

namespace tolvane {

inline constexpr int DataGraphAxisCount = 6;
// The first plotted quantity, power, is the third column of a run.
inline constexpr int DataGraphFirstQuantityColumn = 2;

struct DataGraphRun {
    QString colour;
    QStringList labels;            // empty when the run has no heading line
    std::vector<QStringList> rows; // row 0 is the heading itself, then one row per line
};

struct DataGraphSubset {
    int run = 0; // index into runs()
    QString colour;
    QList<QPointF> points; // (engine speed, quantity) of every row where both are numbers
};

struct DataGraphAxis {
    QString label; // the column's label (the last run that has the column names it)
    std::vector<DataGraphSubset> subsets;
};

class DataGraphData {
public:
    // Reads every run's block and sorts its data rows by increasing engine speed (rows whose
    // first cell is no number keep their order after the others).
    static DataGraphData build(const std::vector<ComparedRun>& runs, const TextLocale& locale);

    const std::vector<DataGraphRun>& runs() const { return m_runs; }
    // Axes 0 to 5 that at least one run has a column for.
    std::vector<DataGraphAxis> axes() const;

private:
    std::vector<DataGraphRun> m_runs;
    TextLocale m_locale;
};

} // namespace tolvane
