#pragma once
// Step scripts: the list of target engine speeds a step test walks through, one per line, at most
// 100 lines. A road-load script may also hold throttle header lines ("80% Throttle", ...), each
// followed by its own rpm list.
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace tolvane {

inline constexpr int MaxScriptLines = 100;

// The warning when a generated script would be longer than MaxScriptLines.
QString tooManyStepsText();

// The throttle boxes of the road-load panel, in the order their sections are written.
enum class ThrottlePosition { Throttle80, Throttle60, Throttle40, Throttle20, Throttle10, Throttle5 };
inline constexpr int ThrottlePositionCount = 6;

QString throttleHeader(ThrottlePosition position); // "80% Throttle", ..., "5% Throttle"
std::optional<ThrottlePosition> throttleFromPercent(int percent);
QList<ThrottlePosition> allThrottlePositions(); // in section order

struct ScriptRange {
    int start = 0;     // start rpm
    int end = 0;       // end rpm
    int increment = 0; // step, negative for a descending list
};

enum class ScriptOutcome {
    Unchanged,    // the increment is below 50 rpm either way: the script stays as it is
    Generated,    // lines holds the new script
    TooManySteps, // it would exceed MaxScriptLines: warn with tooManyStepsText() and empty the script
};

struct GeneratedScript {
    ScriptOutcome outcome = ScriptOutcome::Unchanged;
    QStringList lines;
};

// The default script: the rpm list from start towards end in steps of the increment, always ending
// with the end rpm; for a road-load test one more section per selected throttle position (its
// header, then the rpm list again), in ThrottlePosition order whatever the order given.
//
// The rule, kept because operators know its scripts: the running value is a 16-bit unsigned number;
// when the start is not a multiple of the increment but the increment divides 1000, the start is
// followed by (start + increment) rounded down to a whole thousand. The end rpm is appended only
// when the list does not already end with it. The limit of MaxScriptLines counts every line of the
// whole script, the closing end rpm included.
GeneratedScript generateDefaultScript(const ScriptRange& range,
                                      const QList<ThrottlePosition>& roadLoadSections = {});

// The target rpm of a script line; nullopt for a header line or anything else that is no integer.
std::optional<int> scriptTarget(const QString& line);

// The index of the first target line at or after from, wrapping past the last line to the first as
// the step test does; header lines are passed over so they never become a target. nullopt when the
// script holds no target at all.
std::optional<int> targetLineFrom(const QStringList& lines, int from);

} // namespace tolvane
