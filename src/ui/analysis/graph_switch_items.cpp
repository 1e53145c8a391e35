#include "ui/analysis/graph_switch_items.h"

#include <QAction>

#include "core/analysis/graph_settings.h"

namespace tolvane {

void GraphSwitchItems::showChecks(const GraphSettings& settings) const
{
    const bool engine = settings.xAxisColumn() == GraphSettings::EngineSpeedAxis;
    rpm1->setChecked(engine);
    mph1->setChecked(!engine);
    hp1->setChecked(settings.showPower());
    torque1->setChecked(settings.showTorque());
    co1->setChecked(settings.showCo());
    corrected1->setChecked(settings.corrected());
    uncorrected1->setChecked(!settings.corrected());
    gridLines1->setChecked(settings.gridLines());
}

} // namespace tolvane
