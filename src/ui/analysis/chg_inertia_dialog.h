#pragma once
// TChg_IF, "Adjust Inertia Value": previews the current run at another flywheel inertia while the
// value moves and rewrites its text on "Apply"; "Even Inc." runs the even-increment tool.
#include "ui/analysis/recalc_value_dialog.h"

namespace tolvane {

class TChg_IF : public RecalcValueDialog {
    Q_OBJECT
public:
    explicit TChg_IF(RecalcContext& context, QWidget* parent = nullptr);

    QPushButton* evenIncButton() const { return m_evenInc; }

    // ChangeInertia1Click: the run's path, the slider and the value box at RunInertia (which
    // previews it), and the dialog shown. The current-run load refills a showing dialog this way.
    void showForCurrentRun();

signals:
    void evenIncRequested();

protected:
    bool preview(double value) override;
    bool save(double value) override;

private:
    QPushButton* m_evenInc = nullptr;
};

} // namespace tolvane
