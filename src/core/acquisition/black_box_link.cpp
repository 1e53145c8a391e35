#include "core/acquisition/black_box_link.h"

namespace tolvane {

namespace {

constexpr int StepFrameSize = 12;
constexpr int SweepFrameSize = 9;
const QByteArray ProductPrefix = QByteArrayLiteral("qv512");
constexpr int ProductCaptionLength = 9;

QString caption(const char* prefix, qint64 number)
{
    return QLatin1String(prefix) + QString::number(number);
}

std::optional<QString> openErrorText(int status)
{
    switch (status) {
    case F32xStatus::InvalidHandle:
        return QStringLiteral("Open Error = F32x_INVALID_HANDLE");
    case F32xStatus::InvalidParameter:
        return QStringLiteral("Open Error = F32x_INVALID_PARAMETER");
    case F32xStatus::DeviceNotFound:
        return QStringLiteral("Open Error = DEVICE_NOT_FOUND");
    default:
        return std::nullopt;
    }
}

} // namespace

BlackBoxLink::BlackBoxLink(BlackBoxUsb& usb, LiveWindow window, QObject* parent)
    : QObject(parent), m_usb(usb), m_window(window)
{
}

int BlackBoxLink::frameSize() const
{
    return m_window == LiveWindow::Step ? StepFrameSize : SweepFrameSize;
}

// Every operation changes the state in place and signals once at its end, if anything changed.
class BlackBoxLink::ChangeNotice {
public:
    explicit ChangeNotice(BlackBoxLink& link) : m_link(link), m_before(link.m_state) {}
    ~ChangeNotice()
    {
        if (m_link.m_state != m_before)
            emit m_link.changed();
    }
    ChangeNotice(const ChangeNotice&) = delete;
    ChangeNotice& operator=(const ChangeNotice&) = delete;

private:
    BlackBoxLink& m_link;
    const BlackBoxLinkState m_before;
};

void BlackBoxLink::connectUnit(const BlackBoxCommandBytes& command)
{
    const ChangeNotice notice(*this);
    if (m_state.lightOn)
        return;
    quint32 count = 0;
    const int numStatus = m_usb.getNumDevices(count);
    // A failed count is no count: the number the library left behind means nothing.
    if (numStatus != F32xStatus::Success)
        count = 0;
    m_state.diagnostics.getNumError = caption("Get Num Err  ", numStatus);
    m_state.diagnostics.devicesFound = caption("# of Devices found ", count);
    if (count == 0) {
        m_state.product = QStringLiteral("Product  N/A");
        return;
    }
    m_state.product = QStringLiteral("No qv512, check usb");
    for (quint32 index = 0; index < count; ++index) {
        QByteArray product;
        const int productStatus = m_usb.getProductString(index, product);
        m_state.diagnostics.productError = caption("Get mfg Err  ", productStatus);
        if (productStatus != F32xStatus::Success || !product.startsWith(ProductPrefix))
            continue;
        // One unit is enough: opening a second one would lose the first one's handle.
        if (tryOpen(index, product, command))
            return;
    }
}

bool BlackBoxLink::tryOpen(quint32 index, const QByteArray& product, const BlackBoxCommandBytes& command)
{
    BlackBoxUsb::Handle handle = 0;
    const int status = m_usb.open(index, handle);
    if (status != F32xStatus::Success) {
        if (const auto text = openErrorText(status))
            m_state.connection = *text;
        return false;
    }
    m_handle = handle;
    m_state.connection = BlackBoxCaptions::Connected;
    m_state.product = QStringLiteral("Product  ") + QString::fromLatin1(product.left(ProductCaptionLength));
    m_state.lightOn = true;
    writeCommand(command);
    m_state.pollTimerRunning = true;
    return true;
}

void BlackBoxLink::disconnectUnit()
{
    const ChangeNotice notice(*this);
    if (!m_state.lightOn)
        return;
    const int status = m_usb.close(m_handle);
    if (status == F32xStatus::Success) {
        m_handle = 0;
        m_state.connection = BlackBoxCaptions::NotConnected;
        m_state.lightOn = false;
        m_state.pollTimerRunning = false;
    } else if (status == F32xStatus::InvalidHandle) {
        m_state.windowCaption = QStringLiteral("Close Error = F32x_INVALID_HANDLE");
    }
}

std::optional<QByteArray> BlackBoxLink::readFrame(const BlackBoxCommandBytes& connectCommand)
{
    if (m_state.connection == BlackBoxCaptions::NotConnected) {
        connectUnit(connectCommand);
        return std::nullopt;
    }
    // After a failed open the caption holds the error and there is no handle to use: reading or
    // writing through it would only return errors, or reach a device this link never opened. The
    // tick waits, with the error on show, until the operator connects again.
    if (!m_state.lightOn)
        return std::nullopt;

    const ChangeNotice notice(*this);
    quint32 waiting = 0;
    quint32 queueStatus = 0;
    const int queueResult = m_usb.checkRxQueue(m_handle, waiting, queueStatus);
    m_state.diagnostics.rxBufferError = caption("RX Buf Err  ", queueResult);
    m_state.diagnostics.bytesInBuffer = caption("Bytes in Buff  ", waiting);

    if (m_window == LiveWindow::Sweep && waiting == 0) {
        m_state.product = QStringLiteral("Pause");
        return std::nullopt;
    }

    QByteArray frame(frameSize(), '\0');
    quint32 received = 0;
    const int readStatus = m_usb.read(m_handle, reinterpret_cast<quint8*>(frame.data()),
                                      static_cast<quint32>(frame.size()), received);
    m_state.diagnostics.readError = caption("Read Err  ", readStatus);
    m_state.diagnostics.bytesReceived = caption("Bytes RX  ", received);
    return frame;
}

void BlackBoxLink::answer(const BlackBoxCommandBytes& command)
{
    const ChangeNotice notice(*this);
    writeCommand(command);
    writeCommand(command);
}

void BlackBoxLink::writeCommand(const BlackBoxCommandBytes& command)
{
    quint32 written = 0;
    const int status = m_usb.write(m_handle, command.data(), static_cast<quint32>(command.size()), written);
    m_state.diagnostics.writeError = caption("Write Err  ", status);
    m_state.diagnostics.bytesWritten = caption("Num written  ", written);
}

} // namespace tolvane
