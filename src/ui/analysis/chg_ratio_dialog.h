#pragma once
// TChg_Ratio, "Adjust Tach Ratio": previews the current run at another engine tach ratio while the
// value moves and rewrites its text on "Apply".
#include "ui/analysis/recalc_value_dialog.h"

namespace tolvane {

class TChg_Ratio : public RecalcValueDialog {
    Q_OBJECT
public:
    explicit TChg_Ratio(RecalcContext& context, QWidget* parent = nullptr);

    // ChangeRatio1Click: the run's path, the value box at "1.0000" (previewed even when it held
    // that already) and the dialog shown; the slider keeps its position.
    void showForCurrentRun();

protected:
    bool preview(double value) override;
    bool save(double value) override;
};

} // namespace tolvane
