#pragma once
// "Even Inc" and "writem": turn a run into one power value every 100 engine rpm. The rows are
// gathered in 100 rpm bins (the rpm rounded, then divided by 100); each bin keeps its mean rpm
// and mean power; the power at each bin's even rpm (bin * 100) is interpolated on the straight
// line between the means of the bin before it and its own. "writem" then replaces the run's data
// lines by one line per even rpm.
#include <QList>
#include <QPointF>

#include <optional>
#include <vector>

#include "core/analysis/recalc_run.h"

namespace tolvane {

struct EvenIncBin {
    int bin = 0;         // engine rpm div 100
    double rpmSum = 0.0; // kept to whole rpm at every addition
    int rpmCount = 0;
    double powerSum = 0.0; // kept to two decimals at every addition
    int powerCount = 0;
    double meanRpm = 0.0;            // two decimals
    double meanPower = 0.0;          // two decimals
    std::optional<double> evenPower; // at bin * 100 rpm; none for the first bin
};

// EvenIncTable: the bins of the last "Even Inc", lowest first, empty bins left out.
class EvenIncTable {
public:
    // Bins 0 to 198; faster rows (19 900 rpm and up) and rows without rpm or power are not counted.
    static constexpr int BinCount = 199;

    void compute(const RunTable& table);
    const std::vector<EvenIncBin>& bins() const { return m_bins; }
    // (even rpm, power) of every bin that has an interpolated power.
    QList<QPointF> evenPoints() const;

private:
    std::vector<EvenIncBin> m_bins;
};

// EvnIncClick: fills the table from the current run, draws its even points as a yellow dotted
// series 100 (series 101 is emptied and styled aqua), then runs writem1Click.
void EvnIncClick(RecalcContext& context, EvenIncTable& table);

// writem1Click: the run's data lines are replaced, where the first of them stood, by one line per
// even point: rpm ("0"), road speed at the run's first row's ratio of road speed to rpm ("0.00"),
// power ("0.00") and torque ("0.00"), each followed by a tab. The text is left modified, not
// saved. Without even points (no "Even Inc" yet, or a run within one bin) nothing changes and
// the operator is told. True when the text changed.
bool writem1Click(RecalcContext& context, const EvenIncTable& table);

} // namespace tolvane
