#pragma once
// Small pieces the setup, calibration and live windows share: opening centred on the screen or
// maximised, and the coloured entries that mark a window's fields the operator is meant to watch or fill in.
#include <QString>

class QLineEdit;
class QWidget;

namespace tolvane {

// The first time a window is shown (`placed` still false): sizes it to its contents and moves it
// to the centre of its screen. Later showings leave it where the operator put it.
void centreOnFirstShow(QWidget& window, bool& placed);

// Shows the window maximised. Without a window manager nothing would size it: it takes the
// screen's free area itself first, and a window manager then fits its frame in.
void showMaximisedOnScreen(QWidget& window);

// A line edit named `objectName` with the background and text colours given as style-sheet
// colour names ("yellow", "red", ...).
QLineEdit* colouredEntry(QWidget* parent, const QString& objectName, const QString& background,
                         const QString& textColour);

} // namespace tolvane
