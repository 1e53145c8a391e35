#include "ui/shell/company_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/common/configuration.h"
#include "core/common/prompter.h"
#include "core/setup/company_info.h"

namespace tolvane {

namespace {
const QString Caption = QStringLiteral("Company Info");
}

TCmpNamef::TCmpNamef(CompanyInfo& company, Configuration& config, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_company(company), m_config(config), m_prompter(prompter)
{
    setWindowTitle(Caption);
    auto* column = new QVBoxLayout(this);
    auto* text = new QLabel(QStringLiteral("Please enter the contact info that you would \n"
                                           "like to have appear at the end of each test file."));
    text->setAlignment(Qt::AlignCenter);
    column->addWidget(text);

    auto* fields = new QFormLayout;
    m_comp1 = new QLineEdit;
    m_comp2 = new QLineEdit;
    m_comp1->setMinimumWidth(320);
    fields->addRow(new QLabel(QStringLiteral("Company Name:")), m_comp1);
    fields->addRow(new QLabel(QStringLiteral("City, Phone, Fax & Email:")), m_comp2);
    column->addLayout(fields);

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TCmpNamef::OKBtnClick);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();
    column->addLayout(buttons);
}

void TCmpNamef::OKBtnClick()
{
    m_company.set(m_comp1->text(), m_comp2->text());
    ConfigChanges changes = m_config.changes();
    changes.set(ConfigKeys::CompanyName, m_comp1->text());
    changes.set(ConfigKeys::CompanyAddr, m_comp2->text());
    // The program keeps the information either way and the layout save at exit tries again.
    if (const auto error = m_config.apply(changes))
        m_prompter.inform(Caption, error->message, PromptIcon::Warning);
    accept();
    emit rootDirectoryRequested();
}

} // namespace tolvane
