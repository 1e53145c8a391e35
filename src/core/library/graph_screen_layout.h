#pragma once
// The arithmetic of the graph screen: where the browser, the graph window and the run viewer sit
// inside the main window, how a saved layout is read back, and how the other two follow when the
// operator drags one of them. Rectangles inside the main window are in its client coordinates;
// saved rectangles are screen rectangles as the configuration keeps them.
#include <QPoint>
#include <QRect>

#include "core/common/config_keys.h"

namespace tolvane {

struct GraphScreenRects {
    QRect browser;
    QRect graph;
    QRect viewer;
};

// The browser's selection-grid columns and file list whose widths the configuration keeps.
struct BrowserWidths {
    int color = 0;
    int date = 0;
    int files = 0;
};

namespace GraphScreenLayout {

// The client area's corner as seen from the main window's outer corner when a layout is saved
// and restored (frame and caption plus menu). Saving and restoring use the same offset, so a
// layout read back at the next start lands where it was left.
inline constexpr QPoint ClientOffset{6, 44};

// A main window smaller than this is maximised before the default layout is applied.
bool needsMaximise(int width, int height);
// The default tiling for a main window of the given outer width and height.
GraphScreenRects defaults(int width, int height);

QRect mainRect(const WindowRect& saved);
QRect childRect(const WindowRect& saved, QPoint mainTopLeft);
WindowRect savedMainRect(const QRect& frame);
// A saved rectangle made to fit the room it is shown in: no larger than the room (a layout saved
// on a larger display, or an edited file, must not ask for a window of any size), and placed
// inside it when none of it would be visible there.
QRect fittedInto(const QRect& saved, const QRect& room);
WindowRect savedChildRect(const QRect& child, QPoint mainTopLeft);

// Stored widths too narrow to grab are widened: colour 19, date 80, file list 100.
BrowserWidths repaired(BrowserWidths stored);
int fileNameColumnWidth(int browserWidth, const BrowserWidths& widths);
// The four level lists share the browser's width; the last one is 5 pixels narrower.
QRect levelListRect(int index, int browserWidth, int height);
int levelListDropDownCount(int mainHeight);

// The siblings after the operator resized one window; mainSize is the main window's outer size.
GraphScreenRects afterBrowserResize(const GraphScreenRects& now, QSize mainSize);
GraphScreenRects afterGraphResize(const GraphScreenRects& now, QSize mainSize);
GraphScreenRects afterViewerResize(const GraphScreenRects& now);

} // namespace GraphScreenLayout

} // namespace tolvane
