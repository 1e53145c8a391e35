#pragma once
// SetupScriptPage, the "Script Files" page of the test setup TSetupF: the step script memo bound to
// the TestSetup's script, the ".Script" files of the current test's folder, Browse / Save As /
// Clear All / Default, and the road-load throttle panel. The script lives in the model; the page
// only shows it and forwards the operator's edits and clicks.
#include <QWidget>

#include <array>
#include <optional>

#include "core/setup/script_files.h"
#include "core/setup/step_script.h"

class QCheckBox;
class QGroupBox;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace tolvane {

class Prompter;
class TestSetup;

class SetupScriptPage : public QWidget {
    Q_OBJECT
public:
    SetupScriptPage(TestSetup& setup, Prompter& prompter, QWidget* parent = nullptr);

    QPlainTextEdit* Script() const { return m_script; }
    QListWidget* ScriptLB() const { return m_list; }
    QPushButton* BrowseScript() const { return m_browse; }
    QPushButton* SaveScript() const { return m_save; }
    QPushButton* BitBtn2() const { return m_clear; }
    QPushButton* DefaultB() const { return m_default; }
    QGroupBox* TPISel() const { return m_throttlePanel; }
    // cb8, cb6, cb4, cb2, cb1, cb5 in section order.
    QCheckBox* throttleBox(ThrottlePosition position) const;
    const QString& scriptDirectory() const { return m_files.directory(); }

    // The pending script search: the list moves to the test's folder and, when it holds a script,
    // the operator is asked whether to use it. The page to bring to the front, if any.
    std::optional<ScriptFiles::Page> ChkScript(const QString& currentFile);
    void ScriptLBDblClick(const QString& fileName);
    void BrowseScriptClick();
    void SaveScriptClick();
    void BitBtn2Click();
    void DefaultBClick();

private:
    void rereadList();
    void showScript();
    void showThrottles();

    TestSetup& m_setup;
    ScriptFiles m_files;
    QPlainTextEdit* m_script;
    QListWidget* m_list;
    QPushButton* m_browse;
    QPushButton* m_save;
    QPushButton* m_clear;
    QPushButton* m_default;
    QGroupBox* m_throttlePanel;
    std::array<QCheckBox*, ThrottlePositionCount> m_throttles{};
    QRadioButton* m_map;
    QRadioButton* m_teka;
};

} // namespace tolvane
