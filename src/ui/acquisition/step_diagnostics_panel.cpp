#include "ui/acquisition/step_diagnostics_panel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTime>

#include <cmath>

#include "core/acquisition/black_box_link.h"
#include "core/acquisition/brake_command.h"
#include "core/acquisition/frame_decoder.h"
#include "core/acquisition/sample_smoothing.h"
#include "core/common/number_text.h"
#include "platform/chart/toolkit_colors.h"

namespace tolvane {

namespace {

constexpr int CaptionColumns = 5;

QSlider* slider(QWidget* parent, const char* name, int minimum, int maximum, int value)
{
    auto* s = new QSlider(Qt::Horizontal, parent);
    s->setObjectName(QLatin1String(name));
    s->setRange(minimum, maximum);
    s->setValue(value);
    return s;
}

} // namespace

StepDiagnosticsPanel::StepDiagnosticsPanel(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("USB_Panel"));
    setStyleSheet(QStringLiteral("QFrame#USB_Panel { background: #C0C0C0; } QLabel { color: black; }"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 4, 6, 4);
    m_grid = new QGridLayout;
    outer->addLayout(m_grid);
    static constexpr std::array<const char*, CaptionCount> Names{
        "USBStatL",  "ProductL", "USBLight", "GetNumErrL", "DevFoundL",   "MfgErrL",  "RxBufErrL",
        "BytesBufL", "ReadErrL", "BytesRxL", "WriteErrL",  "NumWrittenL", "LoadHexL", "PeriodHexL",
        "AuxHexL",   "EchoHexL", "AuxDecL",  "RollerRpmL", "FrameTimeL"};
    for (int i = 0; i < CaptionCount; ++i)
        m_labels[static_cast<std::size_t>(i)] = addLabel(Names[static_cast<std::size_t>(i)]);
    m_labels[Light]->setAutoFillBackground(true);
    m_labels[Light]->setAlignment(Qt::AlignCenter);

    auto* controls = new QHBoxLayout;
    m_connect = new QPushButton(QStringLiteral("Connect"), this);
    m_connect->setObjectName(QStringLiteral("ConnectB"));
    m_disconnect = new QPushButton(QStringLiteral("Disconnect"), this);
    m_disconnect->setObjectName(QStringLiteral("DisconnectB"));
    m_aout = slider(this, "AOUTBarS", 0, AoutBarMax, 0);
    m_smoothing = slider(this, "TrackBar3", SampleSmoothing::MinDepth, SampleSmoothing::MaxDepth,
                         SampleSmoothing::DefaultDepth);
    m_rpmCF = new QLineEdit(FrameDecoder::DefaultRollerSpeedConstant, this);
    m_rpmCF->setObjectName(QStringLiteral("rpmCF"));
    m_rpmCF->setMaximumWidth(120);
    controls->addWidget(m_connect);
    controls->addWidget(m_disconnect);
    controls->addWidget(new QLabel(QStringLiteral("Output"), this));
    controls->addWidget(m_aout, 3);
    controls->addWidget(new QLabel(QStringLiteral("Smoothing"), this));
    controls->addWidget(m_smoothing, 1);
    controls->addWidget(new QLabel(QStringLiteral("rpm constant"), this));
    controls->addWidget(m_rpmCF);
    outer->addLayout(controls);

    connect(m_aout, &QSlider::valueChanged, this, [this](int v) {
        if (!m_aout->signalsBlocked())
            emit outputCodeMoved(v);
    });
    connect(m_smoothing, &QSlider::valueChanged, this, &StepDiagnosticsPanel::smoothingDepthMoved);
    connect(m_rpmCF, &QLineEdit::editingFinished, this,
            [this] { emit rollerConstantEdited(m_rpmCF->text()); });
    connect(m_connect, &QPushButton::clicked, this, &StepDiagnosticsPanel::connectClicked);
    connect(m_disconnect, &QPushButton::clicked, this, &StepDiagnosticsPanel::disconnectClicked);
}

QLabel* StepDiagnosticsPanel::addLabel(const char* name)
{
    auto* label = new QLabel(this);
    label->setObjectName(QLatin1String(name));
    label->setMinimumWidth(150);
    m_grid->addWidget(label, m_nextCell / CaptionColumns, m_nextCell % CaptionColumns);
    ++m_nextCell;
    return label;
}

QString StepDiagnosticsPanel::hexField(quint32 value)
{
    return QStringLiteral("%1").arg(value & 0xFFFFFFu, 6, 16, QLatin1Char('0')).toUpper();
}

void StepDiagnosticsPanel::showLink(const BlackBoxLinkState& state)
{
    m_labels[Connection]->setText(state.connection);
    m_labels[Product]->setText(state.product);
    m_labels[Light]->setText(state.lightText());
    QPalette palette = m_labels[Light]->palette();
    palette.setColor(QPalette::Window, colorFromName(state.lightColour()).value_or(Qt::red));
    m_labels[Light]->setPalette(palette);
    const BlackBoxDiagnostics& d = state.diagnostics;
    const std::array<std::pair<Caption, const QString*>, 9> captions{{{GetNumError, &d.getNumError},
                                                                      {DevicesFound, &d.devicesFound},
                                                                      {ProductError, &d.productError},
                                                                      {RxBufferError, &d.rxBufferError},
                                                                      {BytesInBuffer, &d.bytesInBuffer},
                                                                      {ReadError, &d.readError},
                                                                      {BytesReceived, &d.bytesReceived},
                                                                      {WriteError, &d.writeError},
                                                                      {BytesWritten, &d.bytesWritten}}};
    for (const auto& [caption, text] : captions)
        m_labels[caption]->setText(*text);
}

void StepDiagnosticsPanel::showFrame(const BlackBoxFrame& frame, double rollerSpeedConstant,
                                     DateTimeValue time)
{
    m_labels[LoadHex]->setText(QStringLiteral("Load  ") + hexField(frame.loadCount()));
    m_labels[PeriodHex]->setText(QStringLiteral("Period  ") + hexField(frame.periodCount()));
    m_labels[AuxHex]->setText(QStringLiteral("Aux  ") + hexField(frame.auxiliaryCount()));
    m_labels[EchoHex]->setText(QStringLiteral("Echo  ") + hexField(frame.outputEcho()));
    m_labels[AuxDecimal]->setText(QString::number(frame.auxiliaryCount()));
    const quint32 period = frame.periodCount();
    m_labels[RollerRpm]->setText(period != 0
                                     ? formatNumber(rollerSpeedConstant / period, u"0.00", QLatin1Char('.'))
                                     : QStringLiteral("0.0"));
    const double dayPart = time - std::floor(time);
    const QTime clock =
        QTime::fromMSecsSinceStartOfDay(static_cast<int>(std::llround(dayPart * MsPerDay)) % 86400000);
    m_labels[FrameTime]->setText(clock.toString(QStringLiteral("h:mm:ss.zzz ap")));
}

void StepDiagnosticsPanel::showOutputCode(int code)
{
    if (m_aout->value() == code)
        return;
    const QSignalBlocker block(m_aout);
    m_aout->setValue(code);
}

void StepDiagnosticsPanel::showSmoothingDepth(int depth)
{
    const QSignalBlocker block(m_smoothing);
    m_smoothing->setValue(depth);
}

void StepDiagnosticsPanel::showRollerConstant(const QString& text)
{
    m_rpmCF->setText(text);
}

} // namespace tolvane
