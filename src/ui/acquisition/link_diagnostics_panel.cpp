#include "ui/acquisition/link_diagnostics_panel.h"

#include <QFormLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "core/acquisition/black_box_link.h"
#include "core/acquisition/dyno_sample.h"

namespace tolvane {

namespace {

QString hex6(quint32 value)
{
    return QStringLiteral("%1").arg(value, 6, 16, QLatin1Char('0')).toUpper();
}

} // namespace

LinkDiagnosticsPanel::LinkDiagnosticsPanel(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("USB_Panel"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    setStyleSheet(QStringLiteral("LinkDiagnosticsPanel { background: #C0C0C0; } QLabel { color: black; }"));
    auto* layout = new QVBoxLayout(this);
    const auto label = [this, layout](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(QLatin1String(name));
        layout->addWidget(l);
        return l;
    };
    m_connection = label("USBStatus");
    m_product = label("ProductL");
    m_light = label("USBLight");
    m_light->setAlignment(Qt::AlignCenter);
    static const char* const callNames[] = {"GetNumErr", "DevicesL", "GetMfgErr", "RxBufErr", "BytesInBuf",
                                            "ReadErr",   "BytesRx",  "WriteErr",  "NumWritten"};
    for (std::size_t i = 0; i < m_calls.size(); ++i)
        m_calls[i] = label(callNames[i]);
    m_frame = label("FrameL");
    m_time = label("TimeL");
    m_controls = new QFormLayout;
    layout->addLayout(m_controls);
    layout->addStretch(1);
}

QLabel* LinkDiagnosticsPanel::callLabel(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_calls.size()))
        return nullptr;
    return m_calls[static_cast<std::size_t>(index)];
}

void LinkDiagnosticsPanel::showLink(const BlackBoxLinkState& state)
{
    m_connection->setText(state.connection);
    m_product->setText(state.product);
    m_light->setText(state.lightText());
    m_light->setStyleSheet(state.lightOn ? QStringLiteral("background: #008000; color: white;")
                                         : QStringLiteral("background: #FF0000; color: white;"));
    const BlackBoxDiagnostics& d = state.diagnostics;
    const QString* texts[] = {&d.getNumError,    &d.devicesFound, &d.productError,
                              &d.rxBufferError,  &d.bytesInBuffer, &d.readError,
                              &d.bytesReceived,  &d.writeError,   &d.bytesWritten};
    for (std::size_t i = 0; i < m_calls.size(); ++i)
        m_calls[i]->setText(*texts[i]);
}

void LinkDiagnosticsPanel::showSample(const DynoSample& sample, bool withEcho)
{
    m_frame->setText(QStringLiteral("Load %1  Aux %2  Out %3  Aux %4")
                         .arg(hex6(sample.loadCount), hex6(sample.auxiliaryCount),
                              withEcho ? hex6(sample.outputEcho) : QStringLiteral("0"))
                         .arg(sample.auxiliaryCount));
}

void LinkDiagnosticsPanel::showTime(const QString& text)
{
    m_time->setText(text);
}

void LinkDiagnosticsPanel::addControl(const QString& caption, QWidget* control)
{
    m_controls->addRow(caption, control);
}

void LinkDiagnosticsPanel::mouseDoubleClickEvent(QMouseEvent* event)
{
    hide();
    event->accept();
}

} // namespace tolvane
