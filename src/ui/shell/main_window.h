#pragma once
// TForm1: the main window. It holds the graph screen (browser, graph window and run viewer) in its
// client area, owns the main menu, the start-up that the browser's first show sets off, the
// saved and default layouts, the History menu and the Graph switches, and the way out of the
// program through the splash window. The shared state lives in the models it is given; the
// other windows are created by the application and handed over once.
#include <QMainWindow>

#include <functional>
#include <memory>

#include "core/library/graph_screen_layout.h"
#include "ui/analysis/graph_switch_items.h"

class QAction;
class QDialog;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace tolvane {

class CompanyInfo;
class Configuration;
class DataPaths;
class GraphSettings;
class LayoutSettings;
class Prompter;
class Selection;
class SeriesModel;
class TAboutBr;
class TCmpNamef;
class TCngDir;
class TDirForm;
class TGraph;
class THintBrzr;
class TPwrUnit;
class Tsplashf;
class TViewFiles;
class UnitSettings;
class ViewerState;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    static constexpr char Caption[] = "TOLVANE   QV512e    Eddy Current  Dynamometer";
    // The maker's site, opened by "Tolvane WEB".
    static constexpr char WebAddress[] = "https://www.tolvane.com/";

    struct Models {
        Configuration& config;
        CompanyInfo& company;
        LayoutSettings& layout;
        const DataPaths& paths;
        UnitSettings& units;
        GraphSettings& graph;
        Selection& selection;
        ViewerState& viewer;
        SeriesModel& chart;
        Prompter& prompter;
    };
    // The windows the main window shows, places and saves; they exist before it needs them.
    struct Windows {
        Tsplashf& splash;
        TCmpNamef& company;
        TAboutBr& about;
        TCngDir& rootDialog;
        TGraph& graph;
        TViewFiles& viewer;
        TDirForm& browser;
    };
    // Windows made after the start-up; their menu items do nothing until they are attached.
    struct LateWindows {
        THintBrzr& hints;
        TPwrUnit& powerUnits;
    };

    explicit TForm1(Models models, QWidget* parent = nullptr);
    ~TForm1() override;

    // Takes the graph screen's three windows into the client area and binds the menu to them.
    void attach(const Windows& windows);
    void attachLateWindows(const LateWindows& windows);

    QMenu* historyMenu() const { return m_historyMenu; }
    QMdiArea* clientArea() const { return m_area; }
    // The frame of each graph-screen window inside the client area.
    GraphScreenRects childRects() const;
    bool layoutReady() const { return m_layoutReady; }

    // The browser's first show: layout, exit screen readied, tiling, make list, History.
    void startUp();

    void AsSaved1Click();
    void Default1Click();
    void Save1Click();
    void LoadLastFiles();
    void Refresh1Click();
    // History item n (from 1): adds that file to the selection.
    void lastFileClick(int item);
    // The graph side of the save dialog's "Save then Graph", once the live test window has saved
    // the run: the graph screen comes back with the new file as History 1 (replacing the old
    // first entry), added to the selection, plotted and selected.
    void showSavedRun(const QString& savedPath);
    void WrtRtDr();

    void RPM1Click();
    void MPH1Click();
    void HP1Click();
    void Torque1Click();
    void CO1Click();
    void Corrected1Click();
    void Uncorrected1Click();
    void GridLines1Click();

    void Savedtestlocation1Click();
    void RefreshDirectorys1Click();
    void ExitAll1Click();
    void About1Click();
    void TolvaneWEB1Click();
    void HintBrowser1Click();
    // "Show New Test Hints": the New Test help shows again.
    void EnableHelp();
    // The library root everywhere it is used (browser, viewer, root dialog, and listeners).
    void setRootDirectory(const QString& root);

signals:
    void rootDirectoryChanged(const QString& root);
    // "New Test": the live-testing side runs the New Test sequence.
    void newTestRequested();
    // The window closed after saving the layout: the program ends.
    void closed();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenu();
    // An item named as the program names it; without a handler it stays disabled.
    QAction* addItem(QMenu* menu, const char* name, const QString& caption, std::function<void()> handler,
                     const QKeySequence& shortcut = {});
    void syncGraphChecks();
    void showHistory();
    void setFrameRect(const QRect& frame);
    // Shown maximised over the screen's free area, with or without a window manager.
    void maximise();
    void placeChildren(const GraphScreenRects& rects);
    void fitBrowser();
    // A child window was resized by the operator: its siblings follow.
    void tileAfter(QMdiSubWindow* resized);
    QString rootDirectory() const;
    QString historyPath(int item) const;

    Models m_models;
    std::unique_ptr<const Windows> m_windows;
    std::unique_ptr<const LateWindows> m_lateWindows;
    QMdiArea* m_area = nullptr;
    QMdiSubWindow* m_browserFrame = nullptr;
    QMdiSubWindow* m_graphFrame = nullptr;
    QMdiSubWindow* m_viewerFrame = nullptr;
    GraphSwitchItems m_switches;
    QAction* m_hintBrowser1 = nullptr;
    QMenu* m_historyMenu = nullptr;
    QList<QAction*> m_historyItems;
    bool m_layoutReady = false;
    // Set while one pass moves the graph screen's windows, so their own resizes do not start
    // another pass.
    bool m_layoutBusy = false;
};

} // namespace tolvane
