#include "ui/shell/power_unit_dialog.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/common/prompter.h"
#include "core/setup/power_unit.h"

namespace tolvane {

namespace {
const QString Caption = QStringLiteral("Tolvane");
}

TPwrUnit::TPwrUnit(Configuration& config, UnitSettings& units, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_config(config), m_units(units), m_prompter(prompter)
{
    setWindowTitle(Caption);
    auto* column = new QVBoxLayout(this);
    column->addWidget(new QLabel(QStringLiteral("Select Power Unit.")));

    // No unit is ticked at start: OK without a choice leaves the setting alone.
    auto* group = new QButtonGroup(this);
    m_bhp = new QRadioButton(QStringLiteral("BHP    = 1000"));
    m_ps = new QRadioButton(QStringLiteral("PS       = 1014"));
    m_kw = new QRadioButton(QStringLiteral("KW      = 0746"));
    for (QRadioButton* button : {m_bhp, m_ps, m_kw}) {
        group->addButton(button);
        column->addWidget(button);
    }

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("OK"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TPwrUnit::OKBtnClick);
    connect(cancel, &QPushButton::clicked, this, &TPwrUnit::CancelBtnClick);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    column->addLayout(buttons);
}

void TPwrUnit::OKBtnClick()
{
    std::optional<PowerUnit> chosen;
    if (m_bhp->isChecked())
        chosen = PowerUnit::Bhp;
    else if (m_ps->isChecked())
        chosen = PowerUnit::Ps;
    else if (m_kw->isChecked())
        chosen = PowerUnit::Kw;
    if (chosen) {
        if (const auto error = choosePowerUnit(*chosen, m_config, m_units))
            m_prompter.inform(Caption, error->message, PromptIcon::Warning);
    }
    accept();
}

void TPwrUnit::CancelBtnClick()
{
    reject();
}

} // namespace tolvane
