#pragma once
// DemoDynoWindow: the "Demo Dyno" tool window, on top of the live windows while the program runs
// on the simulator. It shows and sets the vehicle, the ignition, the noise and the rider (hand
// throttle or Auto rider), and puts the simulator's true wheel power and torque beside what the
// program shows, so a demo makes plain how close the measurement comes. The rider itself lives in
// DemoRider and keeps riding while this window is hidden.
#include <QDialog>

#include "core/common/text_locale.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QSlider;

namespace tolvane {

class AcquisitionSession;
class StepSession;
class SweepSession;

namespace sim {
class DemoDyno;
class DemoRider;
} // namespace sim

class DemoDynoWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int ThrottleKeyStep = 5;

    // Everything passed must outlive the window.
    DemoDynoWindow(sim::DemoDyno& dyno, sim::DemoRider& rider, StepSession& step, SweepSession& sweep,
                   const TextLocale& locale, QWidget* parent = nullptr);

    // The throttle keys: Up and Down open and close by 5 %, Page Up opens fully, Page Down and
    // Space shut it. True when `key` is one of them. Taking the throttle ends the Auto rider.
    bool throttleKey(int key);

    // After each decoded frame of a live session: the readouts (label texts only).
    void refreshReadout();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void vehicleChosen(int index);
    void showRider();

    sim::DemoDyno& m_dyno;
    sim::DemoRider& m_rider;
    StepSession& m_step;
    SweepSession& m_sweep;
    TextLocale m_locale;

    QComboBox* m_vehicle = nullptr;
    QCheckBox* m_engine = nullptr;
    QSlider* m_throttle = nullptr;
    QLabel* m_throttleText = nullptr;
    QCheckBox* m_autoRider = nullptr;
    QDoubleSpinBox* m_noise = nullptr;
    QLabel* m_trueRpm = nullptr;
    QLabel* m_truePower = nullptr;
    QLabel* m_trueTorque = nullptr;
    QLabel* m_shownRpm = nullptr;
    QLabel* m_shownPower = nullptr;
    QLabel* m_shownTorque = nullptr;
};

} // namespace tolvane
