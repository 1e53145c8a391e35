#pragma once
// TDirForm, "Select Files": the test-library browser. Four drop-down lists walk the library's
// make, model, name and version folders, the file list shows the files of the chosen folder,
// and the selection grid shows the runs being compared (the shared Selection) with their colours.
// The browser also guards the run viewer's notes: edits are offered for saving before anything
// replaces them. The rules live in core (library_tree, test_file_check, selection, new_folder);
// what belongs to the main window (Refresh, plotting every run, a new test, the root-directory
// dialog, the save dialog's name proposal) is asked for through signals.
//
// The tiling of the graph and the run viewer around the browser belongs to the main window's
// layout pass; the browser only sizes its own controls (fitToWidth).
#include <QWidget>

#include <functional>
#include <optional>

#include "core/common/text_locale.h"

class QAction;
class QComboBox;
class QListWidget;
class QMenu;
class QTableWidget;

namespace tolvane {

class Configuration;
class GraphSettings;
class LayoutSettings;
class Prompter;
class Selection;
class SeriesModel;
class TMkDirF;
class TViewFiles;
class ViewerState;
class ViewerText;

class TDirForm : public QWidget {
    Q_OBJECT
public:
    // A drop onto a grid already holding more than this many rows (header row included) is refused.
    static constexpr int MaxRowsForDrop = 10;

    // The shared state the browser shows and changes.
    struct Models {
        Selection& selection;
        ViewerState& viewer;
        ViewerText& text;
        SeriesModel& series;
        const GraphSettings& graph;
        LayoutSettings& layout;
        Configuration& configuration;
        Prompter& prompter;
        const TextLocale& locale;
    };

    TDirForm(const Models& models, TViewFiles& runViewer, TMkDirF& makeDir, QWidget* parent = nullptr);
    ~TDirForm() override;

    // The test library's root (native separators accepted).
    void setRootDirectory(const QString& root);
    QString rootDirectory() const { return m_root; }
    // Points the file list at a folder and reads it; false (and an empty list) when the folder
    // cannot be opened.
    bool setFileListDirectory(const QString& folder);
    QString fileListDirectory() const { return m_fileDirectory; }

    QComboBox* Makecb() const { return m_lists[0]; }
    QComboBox* Modelcb() const { return m_lists[1]; }
    QComboBox* Namecb() const { return m_lists[2]; }
    QComboBox* Versioncb() const { return m_lists[3]; }
    QListWidget* Mfilelb() const { return m_files; }
    QTableWidget* Selfileg() const { return m_grid; }
    QMenu* PopupMenu1() const { return m_menu; }

    // The browser's own part of a resize: the file-name column takes the width left over, the four
    // lists share the width, and each drops down as many entries as the main window's height
    // allows.
    void fitToWidth(int mainWindowHeight);

    // Rebuilds the make list (start-up, "Refresh Directorys", a new root).
    void CBMK();
    void MakecbChange();
    void ModelcbChange();
    void NamecbChange();
    void VersioncbChange();
    // Asks for and makes a new folder below the file list's folder; its name (the typed path less
    // the prefilled part) is returned, empty when cancelled or failed.
    QString Makedir();
    // Chooses the lists' folders from a file's place and points the file list at its folder.
    void WriteDirBoxs(const QString& fullPath);

    // A click in the file list: the chosen file into the run viewer, if it is a test file.
    void MfilelbClick();
    // A double-click in the file list: the chosen file joins the selection.
    void MfilelbDblClick();
    // Files of the file list's folder dropped onto the grid join the selection.
    void SelfilegDragDrop(const QStringList& entryNames);
    // A History item: root + caption joins the selection; false when the file does not exist (or
    // the selection is full).
    bool addHistoryItem(const QString& caption);
    // Puts a file first in the History.
    void UpDateHistory(const QString& fullPath);
    // Writes the History and "File_Index" to the configuration.
    void WrtRegClick();

    // Run r (from 1) clicked in the grid: its file into the run viewer.
    void SelfilegSelectCell(int run);
    // Run r (from 1) double-clicked: the colour cell recolours the run, the other cells remove it.
    void SelfilegDblClick(int run, int column);
    void ClearAll1Click();
    // The selection grid is drawn again (Refresh ends with it).
    void repaintSelection();

    // The unsaved-notes check: true when the operator discarded the edits.
    bool MemoModified();
    // Repairs line 2 of the file just loaded into the notes when it does not name that file.
    void Check_File_Path(const QString& fullPath);

signals:
    void refreshRequested();
    void plotAllRequested();
    void newTestRequested();
    void rootDirectoryDialogRequested();
    void fileNameProposalRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    enum Level { Make, Model, Name, Version };

    void buildMenu();
    void fillGrid();
    // The grid's colour and date columns and the file list's width follow the layout settings.
    void showWidths();
    // The window and the grid take the graph's background colour.
    void showBackground();
    void layoutControls();
    QString levelFolder(int levels) const;
    void fillList(int level, const QStringList& folders);
    void clearListsFrom(int level);
    // Who chose: the operator in the list, the program (the first make of a new list), or the
    // program following a file's place through all levels at once.
    enum class Chooser { Operator, Program, Following };
    // A choice in the make, model or name list: the list below is filled from the chosen folder.
    void levelChange(int level, Chooser chooser);
    // "New..." chosen in a list: a new folder inside parent; false when none was made (the list's
    // choice is undone).
    bool chooseNewFolder(int level, const QString& parent);
    void showFolderCaption();
    QString chosenFile() const;
    std::optional<QString> fileDateTime(const QString& fullPath) const;
    bool addRun(const QString& fullPath, bool fromFileList);
    void report(const QString& title, const QString& text);

    Selection& m_selection;
    ViewerState& m_viewer;
    ViewerText& m_text;
    SeriesModel& m_series;
    TViewFiles& m_runViewer;
    Configuration& m_configuration;
    Prompter& m_prompter;
    TextLocale m_locale;
    TMkDirF& m_makeDir;
    LayoutSettings& m_layout;
    const GraphSettings& m_graph;

    QString m_root;
    QString m_fileDirectory;
    int m_mainWindowHeight = 0;

    QComboBox* m_lists[4] = {};
    QListWidget* m_files = nullptr;
    QTableWidget* m_grid = nullptr;
    QMenu* m_menu = nullptr;
};

} // namespace tolvane
