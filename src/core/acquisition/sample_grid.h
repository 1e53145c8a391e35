#pragma once
// The live windows' per-sample text rows (the hidden string grid under the gas window, and the
// sweep run itself: the sweep file is computed from these rows when it is saved).
//
// Step window columns: 0 time "h:nn:ss.zzz", 1 roller rpm "0.0", 2 force "0.0", 3 time step
// "0.000", 4 rpm change "0.0", 5 force change "0.0", 6 output echo (decimal), 7 StationCorr
// "0.0000", 8 StationTemp "0.0", 9 StationBaro "0.00", 10 StationHumid "0".
// Sweep window columns: 0 to 5 the same (time with the locale's decimal separator, force before
// drag and gains), 6 always "0".
// Spike checks append or prefix marks to columns 3, 4 and 5, so a marked cell no longer reads
// as a number.
#include <QList>
#include <QString>
#include <QStringList>

#include "core/acquisition/live_window.h"

namespace tolvane {

// What the window's controller is doing decides where the next sample's row goes.
enum class GridPhase {
    Recording, // the row count grows by one before each write: every sample becomes a row
    Waiting,   // rows 1..10 move up to 0..9 (columns 0..5) first: a rolling window of samples
    Other,     // the newest sample overwrites the row at the row count
};

class SampleGrid {
public:
    static constexpr int StepColumns = 11;
    static constexpr int SweepColumns = 7;
    static constexpr int ResetRowCount = 10;  // after a reset of either controller
    static constexpr int AcquireRowCount = 9; // the step controller when an acquisition begins

    explicit SampleGrid(LiveWindow window);

    int columnCount() const { return m_columnCount; }

    // The visible row count. New samples go to the row at this index, one past the last visible
    // row, so the newest sample is held but not yet counted. Lowering the count discards the
    // rows beyond the new count; raising it adds empty rows.
    int rowCount() const { return m_rowCount; }
    void setRowCount(int count);
    void reset() { setRowCount(ResetRowCount); }

    // Chooses the row for the next sample by the phase rule and returns its index; the caller
    // then writes every column of it.
    int beginSampleRow(GridPhase phase);

    // Cells of any row up to the row count (inclusive, the newest sample's row); other cells read
    // empty and writing them is ignored.
    QString cell(int row, int column) const;
    void setCell(int row, int column, QString text);
    QStringList row(int row) const;

    // Deletes a row; the rows below move up and the row count drops by one. Used to purge
    // marked rows before a sweep is saved.
    void removeRow(int row);

private:
    void ensureRows(int rowsHeld);

    int m_columnCount;
    int m_rowCount = ResetRowCount;
    QList<QStringList> m_rows; // index rowCount is the newest, uncounted row
};

} // namespace tolvane
