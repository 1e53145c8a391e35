#pragma once
// TAtomComdF, "Enter atmospheric conditions": the three entries, their unit captions, the factor
// and OK / "Go Back". Everything it decides comes from AtmosphericConditions; the window shows the
// model and forwards typing, the unit commands and the double-clicks.
#include <QWidget>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace tolvane {

class AtmosphericConditions;

class TAtomComdF : public QWidget {
    Q_OBJECT
public:
    explicit TAtomComdF(AtmosphericConditions& model, QWidget* parent = nullptr);

    QLineEdit* TmpB() const { return m_temperature; }
    QLineEdit* PSIB() const { return m_pressure; }
    QLineEdit* Humdtyb() const { return m_humidity; }
    QLabel* TmpL() const { return m_temperatureUnit; }
    QLabel* PreL() const { return m_pressureUnit; }
    QLineEdit* CorrectF() const { return m_factor; }
    QComboBox* CorrSelect() const { return m_standard; }
    QPushButton* OkB() const { return m_ok; }
    QPushButton* BackB() const { return m_back; }
    QMenu* unitMenu() const { return m_menu; }

    void OkBClick();
    void BackBClick();

signals:
    // The entries were copied into the save dialog: show it (this window has closed).
    void saveDialogRequested();
    // After every OK: the save dialog's folder list reads its folder again.
    void saveFolderRereadRequested();
    // "Go Back": the live windows decide whether the gas analyzer comes back (this window has closed).
    void goBackRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showModel();

    AtmosphericConditions& m_model;
    QLineEdit* m_temperature;
    QLineEdit* m_pressure;
    QLineEdit* m_humidity;
    QLabel* m_temperatureUnit;
    QLabel* m_pressureUnit;
    QLineEdit* m_factor;
    QComboBox* m_standard;
    QPushButton* m_ok;
    QPushButton* m_back;
    QMenu* m_menu;
};

} // namespace tolvane
