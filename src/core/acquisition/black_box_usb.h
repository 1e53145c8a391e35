#pragma once
// The calls of the Black Box's USB library, as the live windows use them. The real unit and the
// Demo Dyno both sit behind this interface, so the link, the decoder and the controllers run the
// same code against either. Every call returns the library's status code.
#include <QByteArray>
#include <QtGlobal>

namespace tolvane {

namespace F32xStatus {
inline constexpr int Success = 0;
inline constexpr int InvalidHandle = 1;
inline constexpr int ReadError = 2;
inline constexpr int RxQueueNotReady = 3;
inline constexpr int WriteError = 4;
inline constexpr int InvalidParameter = 6;
inline constexpr int DeviceNotFound = 255;
} // namespace F32xStatus

class BlackBoxUsb {
public:
    using Handle = quintptr;

    virtual ~BlackBoxUsb() = default;

    virtual int getNumDevices(quint32& count) = 0;
    // The product text of device `index` (from 0); option 0 of the library.
    virtual int getProductString(quint32 index, QByteArray& product) = 0;
    virtual int open(quint32 index, Handle& handle) = 0;
    virtual int close(Handle handle) = 0;
    virtual int checkRxQueue(Handle handle, quint32& bytesInQueue, quint32& queueStatus) = 0;
    virtual int read(Handle handle, quint8* buffer, quint32 bytesToRead, quint32& bytesRead) = 0;
    virtual int write(Handle handle, const quint8* buffer, quint32 bytesToWrite, quint32& bytesWritten) = 0;
};

} // namespace tolvane
