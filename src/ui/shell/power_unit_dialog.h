#pragma once
// TPwrUnit: the choice of the power unit. OK writes the ticked unit to the configuration and the
// unit settings at once (choosePowerUnit); with nothing ticked nothing changes.
#include <QDialog>

class QRadioButton;

namespace tolvane {

class Configuration;
class Prompter;
class UnitSettings;

class TPwrUnit : public QDialog {
    Q_OBJECT
public:
    TPwrUnit(Configuration& config, UnitSettings& units, Prompter& prompter, QWidget* parent = nullptr);

    QRadioButton* bhp() const { return m_bhp; }
    QRadioButton* ps() const { return m_ps; }
    QRadioButton* kw() const { return m_kw; }

    void OKBtnClick();
    void CancelBtnClick();

private:
    Configuration& m_config;
    UnitSettings& m_units;
    Prompter& m_prompter;
    QRadioButton* m_bhp = nullptr;
    QRadioButton* m_ps = nullptr;
    QRadioButton* m_kw = nullptr;
};

} // namespace tolvane
