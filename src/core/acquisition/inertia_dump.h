#pragma once
// The inertia measurement of the step window: while it runs, every accepted sample is appended to
// "Tst_Data.tmp" as four little-endian 8-byte doubles (seconds since the measurement started,
// roller rpm, force, angular acceleration); when it stops, the dump turns the records into lines of
// engine rpm ÷ 100, road speed, power, roller torque and acceleration for the record memo.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <optional>

#include "core/common/text_file.h"
#include "core/common/text_locale.h"

namespace tolvane {

struct InertiaRecord {
    double seconds = 0.0;
    double rollerRpm = 0.0;
    double force = 0.0;
    double acceleration = 0.0;
};

class InertiaRecorder {
public:
    // Creates the file empty (or empties it). Returns an error when it cannot be created.
    std::optional<FileError> start(const QString& path);
    void append(const InertiaRecord& record);
    // Reads the records back, empties and closes the file.
    QByteArray finish();
    bool isRunning() const { return m_file.isOpen(); }

private:
    QFile m_file;
};

QStringList dumpInertiaRecords(const QByteArray& records, double tachRatio, double inertia, const TextLocale& locale);

} // namespace tolvane
