#pragma once
// Tsplashf: the splash window, which is also the About box and the exit screen. Its fields Comp1
// and Comp2 show the company name and contact line (the CompanyInfo model) and, once the window
// serves as About box or exit screen, let the operator change them. What happens to the main
// window (closing it, showing it maximised) is asked for through signals.
#include <QDialog>

#include "tolvane_version.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QWidget;

namespace tolvane {

class CompanyInfo;
class Prompter;

class Tsplashf : public QDialog {
    Q_OBJECT
public:
    // The program's own version text, the project's version in CMake; it is never translated.
    static constexpr char VersionText[] = TOLVANE_VERSION;

    // programPath: the full path of the running program, shown as its file name and directory.
    Tsplashf(CompanyInfo& company, const QString& programPath, QWidget* parent = nullptr);

    // While the window is on screen, the company-name field tells that the configuration is
    // being read; the company information itself is unchanged.
    void showLoading();
    // About: the window shown modally without the exit-screen buttons.
    void showAbout(Prompter& prompter);

    QLineEdit* comp1() const { return m_comp1; }
    QLineEdit* comp2() const { return m_comp2; }
    QLabel* versionLabel() const { return m_versionLDD; }
    QLabel* programNameLabel() const { return m_label7; }
    QLabel* programPathLabel() const { return m_label8; }
    // The exit-screen buttons' panel, hidden while the window serves as About box.
    QWidget* panel2() const { return m_panel2; }
    QPushButton* closeAllButton() const { return m_bitBtn3; }
    QPushButton* viewGraphsButton() const { return m_bitBtn2; }
    QTimer* timer1() const { return m_timer1; }

    // Once, 2.1 s after creation: ends a modal showing that is still open, then stops.
    void Timer1Timer();
    // OK: the company fields become editable, the exit-screen buttons appear, the window closes.
    // The main window runs the same step at start-up.
    void OKBClick();
    // "&Close All": closes this window and asks for the main window's close (the program's end).
    void BitBtn3Click();
    // "&VIEW  GRAPHS": asks for the main window maximised, and closes this window.
    void BitBtn2Click();

    // Every way out of the exit screen but "&Close All" asks for the graphs.
    void done(int result) override;

signals:
    void closeAllRequested();
    void viewGraphsRequested();

private:
    void showCompany();

    CompanyInfo& m_company;
    QLineEdit* m_comp1 = nullptr;
    QLineEdit* m_comp2 = nullptr;
    QLabel* m_versionLDD = nullptr;
    QLabel* m_label7 = nullptr;
    QLabel* m_label8 = nullptr;
    QWidget* m_panel2 = nullptr;
    QPushButton* m_bitBtn3 = nullptr;
    QPushButton* m_bitBtn2 = nullptr;
    QTimer* m_timer1 = nullptr;
    bool m_closingAll = false;
};

} // namespace tolvane
