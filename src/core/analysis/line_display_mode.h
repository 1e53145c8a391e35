#pragma once
// The graph window's "Line display mode" submenu: one radio group, none checked at start. Each
// item chooses a mode of GraphSettings, which sets the point tolerance the mode stands for.
#include <QString>

#include <array>

#include "core/analysis/graph_settings.h"

namespace tolvane {

struct LineDisplayItem {
    GraphSettings::LineDisplayMode mode;
    const char* name; // the menu item's object name
    QString caption;
};

// The submenu's items in menu order.
const std::array<LineDisplayItem, 7>& lineDisplayItems();

} // namespace tolvane
