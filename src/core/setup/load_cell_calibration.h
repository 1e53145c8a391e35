#pragma once
// LoadCellCalibration: finds the load cell's zero offset and span with a known weight hung on the
// torque arm, and keeps the calibration log "CalLog.txt".
//
// Every 100 ms tick reads the raw load count. A zero takes the count as the offset for 21 ticks
// (about 2.1 s, the last tick's value stands); a span takes weight / (count - offset) as the span
// for 21 ticks. Zero and span exclude each other. The new constants stay here until they are
// saved; cancelling puts back the ones read when the calibration began (or last saved).
//
// The log: the title lines "Tolvane Dynamometer" and "Calibration  Log", a blank line " ", then
// one five-line entry per save, newest first (date and time, "Cal. Weight = ", "Span = ",
// "Offset = ", " "), then whatever followed (the older entries, the blank lines of a new log).
// Trimming: when an entry makes the log longer than 500 lines, only its first 498 lines are
// kept - the three title lines and the 99 newest whole entries, entries being five lines from
// line 3 - so the file stays between 498 and 503 lines and the oldest entries go first.
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

namespace tolvane {

class LoadCellCalibration {
public:
    // A zero or span ends on the tick its count passes this: 21 ticks.
    static constexpr int RunTicks = 20;
    static constexpr int MaxLogLines = 500;
    static constexpr int TrimmedLogLines = 498;
    static constexpr int EntryLine = 3; // where the newest entry goes
    // The largest value the step window's 24-bit load count can hold.
    static constexpr qint64 MaxLoadCount = 0xFFFFFF;
    static inline const QString LogTitle = QStringLiteral("Tolvane Dynamometer");
    static inline const QString LogSubtitle = QStringLiteral("Calibration  Log");
    static inline const QString Blank = QStringLiteral(" ");

    // The constants read from the configuration: they are also what cancelling restores.
    void begin(double offset, double span, double weight);

    double offset() const { return m_offset; }
    double span() const { return m_span; }
    double weight() const { return m_weight; }
    void setWeight(double weight) { m_weight = weight; }

    bool zeroRunning() const { return m_zeroRunning; }
    bool spanRunning() const { return m_spanRunning; }
    // Start a zero or a span; refused (false) while the other runs.
    bool startZero();
    bool startSpan();

    struct Tick {
        // (count - offset) x span with the constants before this tick: the live weight.
        double weight = 0.0;
        // While a span runs: (count - offset) x the new span, rounded and kept within the
        // load count's range, for the step window to show as its load count.
        std::optional<quint32> calibratedCount;
    };
    Tick tick(quint32 loadCount);

    // Cancel or hide: the saved constants come back and a running zero or span ends.
    void cancel();
    // Save: the new constants become the ones cancelling restores.
    void commit();

    // A new log: the two title lines and four blank lines.
    static QStringList newLog();
    static QStringList logEntry(const QString& savedAt, const QString& weightText, const QString& spanText,
                                const QString& offsetText);
    // Inserts the entry at line 3 (after the title lines; at the end of a log shorter than that)
    // and trims the log as described above.
    static void addEntry(QStringList& log, const QStringList& entry);

private:
    double m_offset = 1.0;
    double m_span = 1.0;
    double m_weight = 50.0;
    double m_savedOffset = 1.0;
    double m_savedSpan = 1.0;
    bool m_zeroRunning = false;
    bool m_spanRunning = false;
    quint16 m_zeroTicks = 0;
    quint16 m_spanTicks = 0;
};

} // namespace tolvane
