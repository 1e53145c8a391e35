#pragma once
// TNtstDia: the New Test Help window, explaining the reference-test workflow each time a new test
// starts until the operator turns it off with its check box. Whether it is wanted is the
// configuration's "Help"/"Show_Help" (Configuration::showHelp).
#include <QDialog>

class QCheckBox;
class QPlainTextEdit;

namespace tolvane {

class Configuration;
class Prompter;

class TNtstDia : public QDialog {
    Q_OBJECT
public:
    TNtstDia(Configuration& config, Prompter& prompter, QWidget* parent = nullptr);

    QPlainTextEdit* helpText() const { return m_text; }
    QCheckBox* showCheckBox() const { return m_showCB; }

    // New Test's last step: shown non-modally when "Show_Help" reads "True" exactly.
    void showIfWanted();
    // Any click on "Always show this box before testing.": the help is turned off and the window
    // hides; the box keeps the state the click gave it.
    void ShowCBClick();
    void CloseBtnClick();

private:
    Configuration& m_config;
    Prompter& m_prompter;
    QPlainTextEdit* m_text = nullptr;
    QCheckBox* m_showCB = nullptr;
};

} // namespace tolvane
