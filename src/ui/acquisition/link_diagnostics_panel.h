#pragma once
// LinkDiagnosticsPanel, a live window's hidden "USB_Panel": what the Black Box link reports (the
// connection and product captions, the status light, each library call's status and count), the
// fields of the newest sample, and the window's own tuning controls below them. A double click
// hides it again.
#include <QFrame>

#include <array>

class QFormLayout;
class QLabel;

namespace tolvane {

struct BlackBoxLinkState;
struct DynoSample;

class LinkDiagnosticsPanel : public QFrame {
    Q_OBJECT
public:
    explicit LinkDiagnosticsPanel(QWidget* parent = nullptr);

    QLabel* connectionLabel() const { return m_connection; }
    QLabel* productLabel() const { return m_product; }
    QLabel* lightLabel() const { return m_light; }
    // The nine call captions, in the order of BlackBoxDiagnostics.
    QLabel* callLabel(int index) const;
    QLabel* frameLabel() const { return m_frame; }
    QLabel* timeLabel() const { return m_time; }

    void showLink(const BlackBoxLinkState& state);
    // The sample's load count and auxiliary count as six hexadecimal digits (the sweep frame has no
    // output echo: "0") and the auxiliary count in decimal.
    void showSample(const DynoSample& sample, bool withEcho);
    void showTime(const QString& text);
    // A tuning control of the window, with its caption, below the captions.
    void addControl(const QString& caption, QWidget* control);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QLabel* m_connection;
    QLabel* m_product;
    QLabel* m_light;
    std::array<QLabel*, 9> m_calls{};
    QLabel* m_frame;
    QLabel* m_time;
    QFormLayout* m_controls;
};

} // namespace tolvane
