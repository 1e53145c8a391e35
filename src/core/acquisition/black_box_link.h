#pragma once
// BlackBoxLink: one live window's connection to the Black Box over its USB library. It connects,
// disconnects and, on each 40 ms tick, reads one frame and answers it with the brake command, and
// it keeps the captions and the status light that the window shows. The window (not this class)
// owns the timer; the link says whether it should run.
#include <QByteArray>
#include <QObject>
#include <QString>

#include <array>
#include <optional>

#include "core/acquisition/black_box_usb.h"
#include "core/acquisition/live_window.h"

namespace tolvane {

using BlackBoxCommandBytes = std::array<quint8, 9>;

namespace BlackBoxCaptions {
inline const QString Connected = QStringLiteral("USB Connected");
inline const QString NotConnected = QStringLiteral("USB NOT Connected!!!");
inline const QString LightOn = QStringLiteral("ON");
inline const QString LightOff = QStringLiteral("OFF");
inline const QString LightOnColour = QStringLiteral("clGreen");
inline const QString LightOffColour = QStringLiteral("clRed");
} // namespace BlackBoxCaptions

// The hidden diagnostics panel: each call's status and count, prefix and number.
struct BlackBoxDiagnostics {
    QString getNumError;   // "Get Num Err  " + status
    QString devicesFound;  // "# of Devices found " + count
    QString productError;  // "Get mfg Err  " + status
    QString rxBufferError; // "RX Buf Err  " + status
    QString bytesInBuffer; // "Bytes in Buff  " + count
    QString readError;     // "Read Err  " + status
    QString bytesReceived; // "Bytes RX  " + count
    QString writeError;    // "Write Err  " + status
    QString bytesWritten;  // "Num written  " + count

    bool operator==(const BlackBoxDiagnostics&) const = default;
};

struct BlackBoxLinkState {
    QString connection = BlackBoxCaptions::NotConnected; // the USB status caption
    QString product;                                     // the product caption
    bool lightOn = false;                                // green "ON" or red "OFF"
    std::optional<QString> windowCaption;                // set when closing the device fails
    bool pollTimerRunning = false;
    BlackBoxDiagnostics diagnostics;

    const QString& lightText() const
    {
        return lightOn ? BlackBoxCaptions::LightOn : BlackBoxCaptions::LightOff;
    }
    const QString& lightColour() const
    {
        return lightOn ? BlackBoxCaptions::LightOnColour : BlackBoxCaptions::LightOffColour;
    }
    bool operator==(const BlackBoxLinkState&) const = default;
};

class BlackBoxLink : public QObject {
    Q_OBJECT
public:
    // The step window reads 12-byte frames and answers every tick; the sweep window reads 9-byte
    // frames and answers only when the unit has sent something.
    BlackBoxLink(BlackBoxUsb& usb, LiveWindow window, QObject* parent = nullptr);

    const BlackBoxLinkState& state() const { return m_state; }
    LiveWindow window() const { return m_window; }
    int frameSize() const;
    bool isOpen() const { return m_state.lightOn; }

    // Opens the first "qv512" device and sends it one command; does nothing while connected.
    void connectUnit(const BlackBoxCommandBytes& command);
    // Closes the device; does nothing while not connected.
    void disconnectUnit();
    // One timer tick, first half: tries to connect (sending `connectCommand`) while "USB NOT
    // Connected!!!" shows; otherwise checks the queue and reads a frame. Returns the frame bytes
    // read (frameSize() of them, zeros where the unit sent fewer), or nothing when no frame was
    // read.
    std::optional<QByteArray> readFrame(const BlackBoxCommandBytes& connectCommand);
    // Second half, once the frame is decoded and the controller has set the brake target: writes
    // the command twice in succession (the captions show the second write). Only after a
    // readFrame() that returned a frame.
    void answer(const BlackBoxCommandBytes& command);

signals:
    void changed();

private:
    bool tryOpen(quint32 index, const QByteArray& product, const BlackBoxCommandBytes& command);
    void writeCommand(const BlackBoxCommandBytes& command);

    class ChangeNotice;

    BlackBoxUsb& m_usb;
    LiveWindow m_window;
    BlackBoxUsb::Handle m_handle = 0;
    BlackBoxLinkState m_state;
};

} // namespace tolvane
