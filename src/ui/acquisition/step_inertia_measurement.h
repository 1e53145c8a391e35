#pragma once
// StepInertiaMeasurement: the step window's "Cal. Inertia". While it runs, every accepted sample
// goes to "Tst_Data.tmp" in the data directory (time, roller rpm, force, engine rpm; see
// inertia_dump.h); ending it asks whether to save, and Yes dumps the records into the record
// memo as lines of engine rpm ÷ 100, road speed, power, roller torque and acceleration, with the
// setup's inertia and the tach ratio in use.
#include <QString>

#include "core/acquisition/inertia_dump.h"
#include "core/common/text_locale.h"

namespace tolvane {

struct DynoSample;
class Prompter;
class StepSession;

class StepInertiaMeasurement {
public:
    static inline const QString StatusText = QStringLiteral("Mesuring Inertia");
    static inline const QString StatusColourName = QStringLiteral("clFuchsia");
    static inline const QString SaveTitle = QStringLiteral("Save to file?");
    static inline const QString SaveText =
        QStringLiteral("Would you like to save your test data to a file now?");

    enum class Outcome {
        Started,
        NotStarted, // the file could not be created; the operator was told
        Stopped,    // ended without saving: the records stay in the file
        Dumped,     // ended with Yes: the records are in the memo, the save is due
    };

    StepInertiaMeasurement(StepSession& session, Prompter& prompter, const TextLocale& locale, QString path);

    bool isRunning() const { return m_recorder.isRunning(); }
    // Starts a measurement, or ends the running one with the save question.
    Outcome toggle();
    // An accepted sample while the measurement runs.
    void record(const DynoSample& sample);

private:
    StepSession& m_session;
    Prompter& m_prompter;
    TextLocale m_locale;
    QString m_path;
    InertiaRecorder m_recorder;
};

} // namespace tolvane
