#pragma once
// One compared run of the browser's selection grid.
#include <QString>

namespace tolvane {

struct SelectionRow {
    QString colorName;    // "Clr:" — a toolkit colour name such as "clRed"
    QString displayName;  // "File Name:" — the path below the root, separators shown as three blanks
    QString dateTimeText; // "Date\Time:" — the file's last-write time as locale text
    QString path;         // "Path:" — the full path of the file
    QString markerName;   // point-marker name of the row position, printed with the graph
    bool operator==(const SelectionRow&) const = default;
};

} // namespace tolvane
