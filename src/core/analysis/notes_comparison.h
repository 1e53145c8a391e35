#pragma once
// The notes comparison grid of the data graph window: the header and note lines of every compared
// run side by side, one column per run, with the cells that differ from the next run's marked.
// Column 0 holds the row labels; row 0 the runs' display names; row 1 the test type and time;
// rows 2 and 3 the correction factor and tach ratio; rows 4 and on the note lines (every line
// with a colon) in the order met in each file, so the rows line up by position, not by label.
#include <QString>
#include <QStringList>

#include <vector>

#include "core/analysis/compared_runs.h"

namespace tolvane {

struct NotesCellStyle {
    QString textColour; // toolkit colour names
    QString backgroundColour;
    bool operator==(const NotesCellStyle&) const = default;
};

class NotesComparison {
public:
    // With no runs the grid is 2 x 2 and says "No Data" over the first run column.
    static NotesComparison build(const std::vector<ComparedRun>& runs);

    int rowCount() const { return static_cast<int>(m_cells.size()); }
    int columnCount() const { return m_columnCount; }
    QString cell(int row, int column) const;

    // Row 0 and column 0 are the fixed cells. Data cells take the run's colour on black; in rows 2
    // and on a cell whose text differs from the next run's cell of the same row turns yellow.
    NotesCellStyle cellStyle(int row, int column) const;

    // Layout: column 0 is 77 pixels wide, the run columns share the grid width less 100 pixels,
    // and a run's name is cut from the left to what fits (seven pixels a character).
    static constexpr int LabelColumnWidth = 77;
    static int runColumnWidth(int gridWidth, int columnCount);
    QString headerText(int column, int columnWidth) const;

private:
    QString& at(int row, int column);
    QString runColour(int column) const;

    std::vector<QStringList> m_cells; // m_cells[row][column]
    int m_columnCount = 2;
    QStringList m_colours; // per column; index 0 unused
};

} // namespace tolvane
