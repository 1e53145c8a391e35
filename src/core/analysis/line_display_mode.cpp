#include "core/analysis/line_display_mode.h"

namespace tolvane {

const std::array<LineDisplayItem, 7>& lineDisplayItems()
{
    using Mode = GraphSettings::LineDisplayMode;
    static const std::array<LineDisplayItem, 7> items{{
        {Mode::ShowHighest, QStringLiteral("Show highest (normal)")},
        {Mode::ShowAll, QStringLiteral("Show all (diagnose)")},
        {Mode::Tolerance3, QStringLiteral("3.0")},
        {Mode::Tolerance2, QStringLiteral("2.0")},
        {Mode::Tolerance1, QStringLiteral("1.0")},
        {Mode::Tolerance05, QStringLiteral("0.5")},
        {Mode::Tolerance01, QStringLiteral("0.1")},
    }};
    return items;
}

} // namespace tolvane
