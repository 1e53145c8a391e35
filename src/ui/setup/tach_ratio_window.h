#pragma once
// TTachF, "Set Tachometer Ratio": finds the tach ratio in two steps. A function key pressed with
// the engine at a known rpm (F8 at 8000) gives the no-load ratio at once; the rpm read on a
// reference tachometer while the brake holds the target gives the loaded correction (Apply).
// OK keeps the ratio (optionally erasing the session's samples) and restarts the step test;
// Cancel puts the ratio back and restarts.
//
// The window acts on the step session only: its decoder's tach ratio and roller speed, its
// controller's target, status text, target list and restart, its record memo. The ratio reaches
// new tests and the step window's ratio label through the setup's TachRatio text. Applying the
// setup to the test windows is asked for through applySetupRequested(), which the application
// wires to the setup window's SaveasDefault1Click.
//
// The step controller does not record while this window shows. The window stays on top, opens
// centred, and takes the function keys before its controls; the step window forwards its own
// function keys to FormKeyDown.
#include <QWidget>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tolvane {

class Prompter;
class StepSession;

class TTachF : public QWidget {
    Q_OBJECT
public:
    static inline const QString EraseTitle = QStringLiteral("Erase sample data?");
    static inline const QString EraseText =
        QStringLiteral("Would you like to erase all samples from this session?");

    // The session and the prompter must outlive the window.
    TTachF(StepSession& session, Prompter& prompter, QWidget* parent = nullptr);

    QLineEdit* TachLoaded() const { return m_loaded; }
    QLineEdit* PrRatio() const { return m_ratio; }
    QLineEdit* Tachtrgt() const { return m_target; }
    QPushButton* ApplyBtn() const { return m_apply; }
    QPushButton* okbtn() const { return m_ok; }
    QPushButton* CancelBtn() const { return m_cancel; }
    QPlainTextEdit* instructions() const { return m_instructions; }
    // The ratio Cancel puts back.
    float restoreRatio() const { return m_restoreRatio; }

    void FormShow();
    // Function key Fn, n = 1 ... 12; other values and a roller below 100 rpm are ignored.
    void FormKeyDown(int functionKey);
    void ApplyBtnClick();
    void OKBtnClick();
    void CancelBtnClick();
    void PrRatioChange();
    void TachtrgtKeyUp();
    // Enter in the loaded rpm: Apply when it is enabled, otherwise OK.
    void TachLoadedKeyDown();

signals:
    // SaveasDefault1Click of the test setup: apply the setup to the test windows.
    void applySetupRequested();
    // The restart after OK or Cancel asked about recorded data and the operator chose to save:
    // the step window starts its save.
    void saveRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The key's number for F1 ... F12, else 0.
    static int functionKeyOf(const QKeyEvent& event);
    // The step decoder's ratio, or the setup's while the decoder has none yet.
    float ratioInUse() const;
    // The ratio into PrRatio and the setup's TachRatio ("0.0000").
    void showRatio(float ratio);
    void restartTest();

    StepSession& m_session;
    Prompter& m_prompter;
    QLineEdit* m_loaded;
    QLineEdit* m_ratio;
    QLineEdit* m_target;
    QPushButton* m_apply;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QPlainTextEdit* m_instructions;
    float m_restoreRatio = 0.0f;
    bool m_placed = false;
};

} // namespace tolvane
