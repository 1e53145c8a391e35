#pragma once
// The run viewer's rules that need no widget: the notes font steps, the run strip's column
// widths and text colours, and renaming the current run with the selection rows that show it.
#include <QList>
#include <QString>

#include <optional>

namespace tolvane {

class Selection;
class ViewerText;

// "Larger Font": no upper limit.
int largerNotesFont(int size);
// "Smaller Font": two points smaller, but never below 8.
int smallerNotesFont(int size);
// The size kept in the configuration, as the notes box can show it: an edited or damaged value
// below 1 point or above 200 points is held at that end (the toolkit draws empty boxes for
// glyphs of absurd sizes).
int storedNotesFont(int size);

// Pixel widths of the run strip's columns: column 0 holds 60, the run columns share what is left.
// Empty for no columns; a strip too narrow for its runs gives them 0.
QList<int> runStripColumnWidths(int stripWidth, int columnCount);
// Text colour of run column r: the run's colour, except that "ClBlack" (so spelt) is drawn white
// to stay readable on the dark strip.
QString runStripTextColor(const QString& runColor);

// "Rename...": the current run's file (root + line 2) is renamed to newFullPath, which must lie in
// the library (line 2 then stores it); the selection rows of the old file show the new path, the
// text's line 2 takes the new stored path and the text is written there and left unmodified.
// The refusal text otherwise; then the file, the rows and the text stay as they were.
std::optional<QString> renameCurrentRun(ViewerText& text, Selection& selection, const QString& rootDirectory,
                                        const QString& newFullPath);

} // namespace tolvane
