#pragma once
// TSetupF, the test setup window: the kind of test, the rpm range, the tach ratio, the step and
// sweep settings, the recording thresholds, the brake-control factors, the instrument switches
// and the step script. Every value lives in the TestSetup model; the controls show it and write
// the operator's changes back, and the change rules (limits, coupled boxes, the default script)
// are the model's.
//
// What the setup does to the live windows is asked for through signals, which the application
// wires to the step-test and sweep windows:
//   applyToTestWindows()      SaveasDefault1Click: show the step or the sweep window as the test
//                             type says and copy the setup into it (also asked for by the tach
//                             ratio window).
//   testStarted()             the end of "Test", after the setup was applied and the window closed:
//                             set the output hold and reconnect the USB unit when it is wanted.
//   wentBack()                "Go Back" hid the window: set the output hold.
//   mainWindowHideRequested() the window was closed ("Test" closes it): hide the main window.
// The live windows read their settings from TestSetup, so mirroring a box into them needs nothing
// here. No gas-analyzer window exists to open from "Test" or "Go Back"; "Enable EGA" follows the
// configured gas-analyzer port.
#include <QWidget>

#include <array>

#include "core/setup/test_setup.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class QSpinBox;
class QTabWidget;

namespace tolvane {

class Prompter;
class RunConditions;
class SetupScriptPage;
class UnitSettings;
class ViewerState;
class ViewerText;

class TSetupF : public QWidget {
    Q_OBJECT
public:
    // testPrmPath is the default setup file ("Test.Prm" in the data directory); saveDialog is the
    // save dialog's model, viewer and viewerText the run the viewer shows.
    TSetupF(TestSetup& setup, UnitSettings& units, RunConditions& saveDialog, ViewerState& viewer,
            ViewerText& viewerText, Prompter& prompter, QString testPrmPath, QWidget* parent = nullptr);

    // The test library's root, for the folder labels.
    void setRootDirectory(const QString& root) { m_root = root; }

    // The controls, by the model's names. Spin edits only; the track bars are AMFSB() and FDFSB().
    QSpinBox* spin(TestSetup::Spin spin) const;
    QCheckBox* check(TestSetup::Check check) const;
    QGroupBox* TstTypR() const { return m_testTypeBox; }
    QButtonGroup* testTypeButtons() const { return m_testTypes; }
    QLineEdit* TachRatio() const { return edit(TestSetup::Text::TachRatio); }
    QLineEdit* InertiaE() const { return edit(TestSetup::Text::InertiaE); }
    QLineEdit* Baddr() const { return edit(TestSetup::Text::Baddr); }
    QSlider* AMFSB() const { return m_amfsb; }
    QSlider* FDFSB() const { return m_fdfsb; }
    QLabel* AMFSBCaption() const { return m_amfsbCaption; }
    QLabel* FDFSBCaption() const { return m_fdfsbCaption; }
    QLabel* SmpDlyLabel() const { return m_smpDlyLabel; }
    QGroupBox* GroupBox3() const { return m_sweepGroup; }
    QGroupBox* GroupBox4() const { return m_stepGroup; }
    // The "Acceleration:" caption, spin and note lines, shown together.
    QWidget* accelerationPanel() const { return m_accelerationPanel; }
    QWidget* autoIncrementPanel() const { return m_autoIncrementPanel; }
    QPlainTextEdit* SetUpMemo() const { return m_notes; }
    // A label of the hidden "Paths" page ("NFName", "RootDirL", "MnL", "YMdL", "NmL", "ExtraL",
    // "TemPath"; "TempP" carries its path as the hint).
    QLabel* pathLabel(TestSetup::Text field) const;
    QTabWidget* pages() const { return m_pages; }
    SetupScriptPage* scriptPage() const { return m_scriptPage; }
    QPushButton* ApplyB() const { return m_apply; }
    QPushButton* Exitb() const { return m_exit; }

    // Page indexes of pages().
    enum Page { RecordingPage, SpecialPage, ScriptPage, PathsPage, NotesPage };

    void ReadVals();
    void LoadNotes();
    void DefaultValues();
    void WrtNewDirs();
    void TstTypRClick(TestType type);
    // "Test"; while the inertia is not above 0 it only brings the inertia warning.
    void ApplyBClick();
    void SaveasDefault1Click();
    void ExitbClick();
    void FormShow();
    void InertiaEExit();

signals:
    void applyToTestWindows();
    void testStarted();
    void wentBack();
    void mainWindowHideRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* edit(TestSetup::Text field) const { return m_edits[static_cast<std::size_t>(field)]; }
    QWidget* buildLeftPanel();
    QWidget* buildRecordingPage();
    QWidget* buildSpecialPage();
    QWidget* buildPathsPage();
    QWidget* buildNotesPage();
    QSpinBox* makeSpin(TestSetup::Spin spin, const char* name, const QString& hint = {});
    QCheckBox* makeCheck(TestSetup::Check check, const char* name, const QString& caption);
    QLineEdit* makeEdit(TestSetup::Text field, const char* name);
    QSlider* makeTrackBar(TestSetup::Spin spin, const char* name);

    void takeValue(TestSetup::Spin spin, int value);
    void showValue(TestSetup::Spin spin);
    void showChecked(TestSetup::Check check);
    void showText(TestSetup::Text field);
    void showEnabled();
    void showTestType();
    void showNotes();
    void runScriptSearch();

    TestSetup& m_setup;
    UnitSettings& m_units;
    RunConditions& m_saveDialog;
    ViewerState& m_viewer;
    ViewerText& m_viewerText;
    Prompter& m_prompter;
    QString m_testPrmPath;
    QString m_root;
    bool m_placed = false;

    std::array<QSpinBox*, 14> m_spins{};
    std::array<QCheckBox*, 9> m_checks{};
    std::array<QLineEdit*, 12> m_edits{};
    std::array<QLabel*, 12> m_pathLabels{};
    QGroupBox* m_testTypeBox = nullptr;
    QButtonGroup* m_testTypes = nullptr;
    QSlider* m_amfsb = nullptr;
    QSlider* m_fdfsb = nullptr;
    QLabel* m_amfsbCaption = nullptr;
    QLabel* m_fdfsbCaption = nullptr;
    QLabel* m_smpDlyLabel = nullptr;
    QGroupBox* m_stepGroup = nullptr;
    QGroupBox* m_sweepGroup = nullptr;
    QWidget* m_accelerationPanel = nullptr;
    QWidget* m_autoIncrementPanel = nullptr;
    QLabel* m_tempP = nullptr;
    QPlainTextEdit* m_notes = nullptr;
    QTabWidget* m_pages = nullptr;
    SetupScriptPage* m_scriptPage = nullptr;
    QPushButton* m_apply = nullptr;
    QPushButton* m_exit = nullptr;
};

} // namespace tolvane
