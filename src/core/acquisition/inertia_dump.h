#pragma once
// The inertia measurement of the step window: while it runs, every accepted sample is appended to
// "Tst_Data.tmp" as four little-endian 8-byte doubles (the sample's time in the decoder's time-step
// unit, roller rpm, force, engine rpm); when it stops, the dump turns the records into lines of
// engine rpm ÷ 100, road speed, power, roller torque and acceleration for the record memo.
//
// The time unit is the one the frame decoding uses for its time step (days x 100000, so one unit
// is 0.864 s): the dump's acceleration is then in the decoder's rad/s per unit, and the setup's
// inertia means the same here as in a sweep, where the inertia torque is inertia x that
// acceleration.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <optional>

#include "core/common/text_file.h"
#include "core/common/text_locale.h"

namespace tolvane {

struct InertiaRecord {
    double time = 0.0; // days x 100000
    double rollerRpm = 0.0;
    double force = 0.0;
    double engineRpm = 0.0;

    // The record of a sample taken at `time` (days since 30 Dec 1899).
    static double timeUnits(double days) { return days * 100000.0; }
};

class InertiaRecorder {
public:
    // Creates the file empty (or empties it). Returns an error when it cannot be created.
    std::optional<FileError> start(const QString& path);
    // Each record reaches the file at once, so a crash keeps what was measured.
    void append(const InertiaRecord& record);
    // Reads the records back, empties and closes the file.
    QByteArray finish();
    // Closes the file and leaves the records in it (the operator did not want them dumped).
    void close() { m_file.close(); }
    bool isRunning() const { return m_file.isOpen(); }

private:
    QFile m_file;
};

QStringList dumpInertiaRecords(const QByteArray& records, double tachRatio, double inertia, const TextLocale& locale);

} // namespace tolvane
