#pragma once
// StepDiagnosticsPanel: the step window's hidden diagnostics panel `USB_Panel`. It shows the
// Black Box link's captions and status light, the fields of the newest frame in hexadecimal, the
// roller rpm and time taken from it, and holds the three service controls: the output slider
// `AOUTBarS` (the brake code the unit is sent), the smoothing slider `TrackBar3` and the
// roller-speed constant `rpmCF`. The panel shows; the window forwards what the operator changes.
#include <QFrame>
#include <QString>

#include <array>

#include "core/acquisition/black_box_frame.h"
#include "core/common/date_time.h"

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace tolvane {

struct BlackBoxLinkState;

class StepDiagnosticsPanel : public QFrame {
    Q_OBJECT
public:
    explicit StepDiagnosticsPanel(QWidget* parent = nullptr);

    QSlider* AOUTBarS() const { return m_aout; }
    QSlider* TrackBar3() const { return m_smoothing; }
    QLineEdit* rpmCF() const { return m_rpmCF; }
    QPushButton* connectButton() const { return m_connect; }
    QPushButton* disconnectButton() const { return m_disconnect; }

    void showLink(const BlackBoxLinkState& state);
    // The frame as read, with the roller-speed constant in use and the time the frame was taken.
    void showFrame(const BlackBoxFrame& frame, double rollerSpeedConstant, DateTimeValue time);
    // The slider follows the controller's output code without reporting it back as a move.
    void showOutputCode(int code);
    void showSmoothingDepth(int depth);
    void showRollerConstant(const QString& text);

    // A field of a frame as the panel shows it: six hexadecimal digits.
    static QString hexField(quint32 value);

signals:
    void outputCodeMoved(int code);
    void smoothingDepthMoved(int depth);
    // The operator finished editing rpmCF.
    void rollerConstantEdited(const QString& text);
    void connectClicked();
    void disconnectClicked();

private:
    QLabel* addLabel(const char* name);

    enum Caption {
        Connection,
        Product,
        Light,
        GetNumError,
        DevicesFound,
        ProductError,
        RxBufferError,
        BytesInBuffer,
        ReadError,
        BytesReceived,
        WriteError,
        BytesWritten,
        LoadHex,
        PeriodHex,
        AuxHex,
        EchoHex,
        AuxDecimal,
        RollerRpm,
        FrameTime,
        CaptionCount
    };
    std::array<QLabel*, CaptionCount> m_labels{};
    QSlider* m_aout = nullptr;
    QSlider* m_smoothing = nullptr;
    QLineEdit* m_rpmCF = nullptr;
    QPushButton* m_connect = nullptr;
    QPushButton* m_disconnect = nullptr;
    QGridLayout* m_grid = nullptr;
    int m_nextCell = 0;
};

} // namespace tolvane
