#pragma once
// TCmpNamef: the Company Info dialog. It asks for the business name and contact line that every
// saved test file carries at its end and every graph printout at its foot. OK puts them into the
// CompanyInfo the rest of the program reads and writes them to the configuration at once (the
// test files take their company lines from there); then the Root Directory dialog is asked for.
#include <QDialog>

class QLineEdit;

namespace tolvane {

class CompanyInfo;
class Configuration;
class Prompter;

class TCmpNamef : public QDialog {
    Q_OBJECT
public:
    TCmpNamef(CompanyInfo& company, Configuration& config, Prompter& prompter, QWidget* parent = nullptr);

    QLineEdit* comp1() const { return m_comp1; }
    QLineEdit* comp2() const { return m_comp2; }

    void OKBtnClick();

signals:
    // The Root Directory dialog, shown non-modally, follows the company information.
    void rootDirectoryRequested();

private:
    CompanyInfo& m_company;
    Configuration& m_config;
    Prompter& m_prompter;
    QLineEdit* m_comp1 = nullptr;
    QLineEdit* m_comp2 = nullptr;
};

} // namespace tolvane
