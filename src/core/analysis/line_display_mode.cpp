#include "core/analysis/line_display_mode.h"

namespace tolvane {

const std::array<LineDisplayItem, 7>& lineDisplayItems()
{
    using Mode = GraphSettings::LineDisplayMode;
    static const std::array<LineDisplayItem, 7> items{{
        {Mode::ShowHighest, "Showhighestnormal1", QStringLiteral("Show highest (normal)")},
        {Mode::ShowAll, "Showalldiagnose1", QStringLiteral("Show all (diagnose)")},
        {Mode::Tolerance3, "N301", QStringLiteral("3.0")},
        {Mode::Tolerance2, "N201", QStringLiteral("2.0")},
        {Mode::Tolerance1, "N101", QStringLiteral("1.0")},
        {Mode::Tolerance05, "N051", QStringLiteral("0.5")},
        {Mode::Tolerance01, "N011", QStringLiteral("0.1")},
    }};
    return items;
}

} // namespace tolvane
