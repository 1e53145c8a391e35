#pragma once
// TCalLdF, "Calibrate Load Cell": the zero offset and the span of the load cell from a known
// weight on the torque arm, the live calibrated weight, the calibration log "CalLog.txt" and the
// constants "BlackBox"/"LoadOff", "LoadSpan", "CalWeight" in the configuration. The rules are
// LoadCellCalibration's; the window reads the step session's raw load count every 100 ms and,
// while a span runs, shows the calibrated weight as the step window's load count.
//
// Save writes the configuration, then the log, and asks the step window to re-read its
// calibration (calibrationSaved). Cancel, or hiding the window any other way, puts the constants
// back and writes nothing. Either way closed() asks for the step window to be shown again.
#include <QDialog>
#include <QStringList>

#include "core/setup/load_cell_calibration.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace tolvane {

class Configuration;
class Prompter;
class StepSession;

class TCalLdF : public QDialog {
    Q_OBJECT
public:
    static constexpr int TimerIntervalMs = 100;

    // logPath is "CalLog.txt" in the data directory. Everything passed must outlive the window.
    TCalLdF(StepSession& session, Configuration& configuration, QString logPath, Prompter& prompter,
            QWidget* parent = nullptr);

    QLineEdit* CalWts() const { return m_weight; }
    QPushButton* Zerob() const { return m_zero; }
    QPushButton* Spanb() const { return m_spanButton; }
    QLineEdit* TqZroE() const { return m_zeroRef; }
    QLineEdit* TqSpnE() const { return m_spanRef; }
    QLineEdit* TqDisE() const { return m_display; }
    QPushButton* okbtn() const { return m_ok; }
    QPushButton* ExitB() const { return m_exit; }
    QPlainTextEdit* Memo1() const { return m_memo; }
    QTimer* Timer1() const { return m_timer; }
    const LoadCellCalibration& calibration() const { return m_calibration; }

    void FormShow();
    void Timer1Timer();
    void ZerobClick();
    void SpanbClick();
    // Typing in CalWts: a number above 0 becomes the weight at once; anything else leaves the
    // weight in use until the operator leaves the entry (CalWtsExit).
    void CalWtsChange();
    // Leaving CalWts: a text that is no weight brings the message and the weight in use comes
    // back into the entry. False when it did.
    bool CalWtsExit();
    void okbtnClick();
    void ExitBClick();
    void FormHide();

signals:
    // The new constants are in the configuration: the step window reads its calibration again.
    void calibrationSaved();
    // The window has closed (saved or not): show the step window.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QString numberText(double value, QStringView pattern) const;
    void showButtons();
    void loadLog();

    StepSession& m_session;
    Configuration& m_configuration;
    QString m_logPath;
    Prompter& m_prompter;
    LoadCellCalibration m_calibration;
    // The log as it will be saved; not written while an existing log could not be read, so that
    // it is not replaced by one without its entries.
    QStringList m_log;
    bool m_logWritable = true;
    bool m_placed = false;

    QLineEdit* m_weight;
    QPushButton* m_zero;
    QPushButton* m_spanButton;
    QLineEdit* m_zeroRef;
    QLineEdit* m_spanRef;
    QLineEdit* m_display;
    QPushButton* m_ok;
    QPushButton* m_exit;
    QPlainTextEdit* m_memo;
    QTimer* m_timer;
};

} // namespace tolvane
