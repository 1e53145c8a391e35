#pragma once
// The program's icon, drawn rather than shipped: a dial with its needle in the graph's lime, so
// the title bars of the graph screen's windows carry the program's own mark.
#include <QIcon>

namespace tolvane {

QIcon programIcon();

} // namespace tolvane
