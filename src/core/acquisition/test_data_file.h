#pragma once
// The test data file: one saved run as 8-bit text, a header, the data lines, "end.", the setup
// block and the company lines. The step file's data lines are the record memo's; the sweep file's
// are computed here from the sample grid's text rows. These functions only build lines; saving
// (overwrite question, atomic write) is TestFileSaver's job.
#include <QList>
#include <QString>
#include <QStringList>

#include "core/common/date_time.h"
#include "core/common/text_locale.h"

namespace tolvane {

enum class TestFileKind { Step, Sweep };

// The test setup's values as the file's setup block stores them.
struct SetupBlockValues {
    int minRpm = 3000;
    int redline = 12000;
    int targetAcceleration = 20; // step: "Weight:", sweep: "T fps/s:"
    int holdAcceleration = 25;   // step: "DrgCo:", sweep: "Hold:"
    QString inertiaText = QStringLiteral("3.5000");
    bool autoDecel = true;
    int decelRpm = 4000;
    bool autoIncrement = true;
    int stepRpm = 1000;
    bool warmUp = false;
    int warmRpm = 7000;
    int maxFpss = 17;
    int maxLbss = 17;
    int minHp = 8;
    int minSeconds = 4;
    bool ega = false;
    int accelerationMultiplication = 16; // step file only
    int feedbackDivider = 3;              // step file only
};

QStringList setupBlockLines(const SetupBlockValues& values, TestFileKind kind);

// Everything a test file carries besides its data: the save dialog's texts, units, company.
struct TestFileHeader {
    QString relativePath;          // line 2, backslash separated, relative to the library root
    QStringList notes;
    QString temperatureText;
    QString pressureText;
    QString humidityText;
    QString correctionText;        // "Correction Factor Applied - " value, as typed
    double tachRatio = 0.0;
    QString engineSpeedLabel = QStringLiteral("RPM");
    QString roadSpeedLabel = QStringLiteral("MPH");
    QString powerLabel = QStringLiteral("BHP");
    QString torqueLabel = QStringLiteral("Ft/Lbs");
    QString gasHeadings = QStringLiteral("CO \tHC \tCO2 \tO2 \tFlux\t");
    QString companyName;
    QString companyAddress;
    DateTimeValue savedAt = 0.0;
};

// Step data lines get the correction factor at save time: every line that does not start with the
// warm-up prefix "c" and holds at least four tabs has its power and torque multiplied by it.
QString applyCorrection(const QString& dataLine, double correction, const TextLocale& locale);

QStringList buildStepFile(const TestFileHeader& header, const QStringList& recordLines,
                          const SetupBlockValues& setup, const TextLocale& locale);

// The sweep's text rows as the live grid holds them (column 0 time, 1 roller rpm, 2 force from
// offset and span only, 4 rpm change, 5 force change, 6 output echo).
using GridRows = QList<QStringList>;

// Deletes every row but the last whose rpm change (column 4) or force change (column 5) is not a
// number: the spike checks mark such cells, and a marked sample must not enter the saved curve.
void purgeMarkedRows(GridRows& rows, const TextLocale& locale);

struct SweepPhysics {
    double tachRatio = 0.0;
    double rollerFactor = 0.0379; // road speed per roller rpm
    double inertia = 3.5;         // the setup's inertia text read as a number
    double correction = 1.0;      // the save dialog's correction factor
    double corrFactor = 1.0;      // the atmospheric window's factor, for the "Max" lines
    double powerFactor = 1.0;
    double forceFactor = 1.0;
};

// Builds the sweep file from already purged rows. Data lines come from rows 14 … (row count − 5)
// when there are at least 19 rows.
QStringList buildSweepFile(const TestFileHeader& header, const GridRows& purgedRows, const SweepPhysics& physics,
                           const SetupBlockValues& setup, const TextLocale& locale);

} // namespace tolvane
