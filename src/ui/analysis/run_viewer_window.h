#pragma once
// TViewFiles: the child window beside the graph that shows the current run's text in an editable
// notes box, a strip of tabs with one tab per compared run, the run table on a double-click, and
// the file operations and recalculation tools of its context menu. The text itself is the core
// ViewerText; the rules live in core (viewer_text, run_viewer_rules and the tools), the window
// binds them to widgets. What belongs to the main window or the browser (Refresh, the file list,
// printing, a new test, the notes comparison) is asked for through signals.
//
// The main window's tiling of the browser and the graph around this window belongs to the main
// window's layout pass and is not done here.
#include <QWidget>

#include <functional>
#include <optional>

#include "core/analysis/even_increments.h"
#include "core/analysis/recalc_run.h"

class QAction;
class QMenu;
class QPlainTextEdit;
class QTableView;
class QTableWidget;
class QTimer;

namespace tolvane {

class DataPaths;
class LayoutSettings;
class RunPlotter;
class RunTableModel;
class Selection;
class TChg_IF;
class TChg_Ratio;

class TViewFiles : public QWidget {
    Q_OBJECT
public:
    // The browser's unsaved-notes check, run before another run replaces the notes: true when the
    // operator discarded the edits.
    using NotesCheck = std::function<bool()>;

    TViewFiles(RecalcContext context, Selection& selection, RunPlotter& plotter, const DataPaths& paths,
               LayoutSettings& layoutSettings, QWidget* parent = nullptr);
    ~TViewFiles() override;

    void setRootDirectory(const QString& root) { m_rootDirectory = root; }
    void setNotesCheck(NotesCheck check) { m_notesCheck = std::move(check); }

    QTableWidget* runStrip() const { return m_lineColor; }
    QPlainTextEdit* notesBox() const { return m_memo; }
    QTableView* runTableGrid() const { return m_runGrid; }
    QMenu* contextMenu() const { return m_menu; }
    TChg_IF& inertiaDialog() const { return *m_inertiaDialog; }
    TChg_Ratio& ratioDialog() const { return *m_ratioDialog; }

    // A click on run strip tab r (from 1): that run's text, colour and preview.
    void LineColorClick(int run);
    // Shows a run read from its file: the text (unmodified) in the given colour, the caption, and
    // the preview over the plotted runs.
    void showRun(const QStringList& lines, const QString& colorName, const QString& caption);
    void setNotesColor(const QString& colorName);
    // The full plot of every selected run (Refresh): the notes are settled first, and an operator
    // who discards edits skips this pass. The strip names the runs, the notes show the last one.
    void PlotAll();
    // Double-clicks swap the notes box and the run table.
    void Memo1DblClick();
    void StringGrid1DblClick();

    void Save1Click();
    void SaveCopyAs1Click();
    // Also the browser's Rename.
    void Rename1Click();
    void LoadBackup1Click();
    // Writes the last edit to the notes backup now if it is not there yet (it is written by
    // itself shortly after typing stops).
    void writeNotesBackup();
    void LargerFont1Click();
    void SmallerFont1Click();
    void CompareNotes1Click();
    // The Tools menu's entries and the tool items of the context menu.
    void ChangeInertia1Click();
    void ChangeRatio1Click();
    void EvnIncClick();
    void writem1Click();
    void SpikeFilter1Click();

signals:
    void refreshRequested();
    // The browser's file list must be brought up to date.
    void fileListChanged();
    void compareNotesRequested();
    void printRequested();
    void gotoTestRequested();
    // A tool drew on the graph: the graph window is brought forward.
    void showGraphRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMenu();
    QAction* addItem(const char* name, const QString& caption, std::function<void()> handler);
    void showText();
    void showRunStrip();
    void notesEdited();
    void applyNotesLook();
    void layoutStrip();
    void fillRunGrid();
    void report(const QString& title, const QString& text);

    RecalcContext m_context;
    Selection& m_selection;
    RunPlotter& m_plotter;
    const DataPaths& m_paths;
    QString m_rootDirectory;
    NotesCheck m_notesCheck;
    LayoutSettings& m_layout;
    QString m_notesColor = QStringLiteral("clYellow");
    EvenIncTable m_evenInc;

    QTableWidget* m_lineColor = nullptr;
    QPlainTextEdit* m_memo = nullptr;
    QTableView* m_runGrid = nullptr; // StringGrid1
    RunTableModel* m_runTable = nullptr;
    QMenu* m_menu = nullptr;
    TChg_IF* m_inertiaDialog = nullptr;
    TChg_Ratio* m_ratioDialog = nullptr;
    // Set while the box is filled from the text, so that the fill does not count as an edit.
    bool m_showing = false;
    bool m_backupFailureReported = false;
    // The text of the last edit until it is in the backup file.
    std::optional<QStringList> m_pendingBackup;
    QTimer* m_backupTimer = nullptr;
};

} // namespace tolvane
