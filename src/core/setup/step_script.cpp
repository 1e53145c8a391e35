#include "core/setup/step_script.h"

#include <cstdint>
#include <limits>

#include "core/common/number_text.h"

namespace tolvane {

QString tooManyStepsText()
{
    return QStringLiteral("Too many Steps!  Aborting!  Try a larger increment.");
}

QString throttleHeader(ThrottlePosition position)
{
    switch (position) {
    case ThrottlePosition::Throttle80:
        return QStringLiteral("80% Throttle");
    case ThrottlePosition::Throttle60:
        return QStringLiteral("60% Throttle");
    case ThrottlePosition::Throttle40:
        return QStringLiteral("40% Throttle");
    case ThrottlePosition::Throttle20:
        return QStringLiteral("20% Throttle");
    case ThrottlePosition::Throttle10:
        return QStringLiteral("10% Throttle");
    case ThrottlePosition::Throttle5:
        return QStringLiteral("5% Throttle");
    }
    return {};
}

std::optional<ThrottlePosition> throttleFromPercent(int percent)
{
    switch (percent) {
    case 80:
        return ThrottlePosition::Throttle80;
    case 60:
        return ThrottlePosition::Throttle60;
    case 40:
        return ThrottlePosition::Throttle40;
    case 20:
        return ThrottlePosition::Throttle20;
    case 10:
        return ThrottlePosition::Throttle10;
    case 5:
        return ThrottlePosition::Throttle5;
    default:
        return std::nullopt;
    }
}

QList<ThrottlePosition> allThrottlePositions()
{
    return {ThrottlePosition::Throttle80, ThrottlePosition::Throttle60, ThrottlePosition::Throttle40,
            ThrottlePosition::Throttle20, ThrottlePosition::Throttle10, ThrottlePosition::Throttle5};
}

namespace {

// Appends one rpm list; false as soon as the script would hold more than MaxScriptLines.
bool appendRpmList(QStringList& script, const ScriptRange& range)
{
    const std::int64_t s = range.start;
    const std::int64_t e = range.end;
    const std::int64_t inc = range.increment;
    std::uint16_t last = 0;
    const auto put = [&](std::uint16_t value) {
        script.append(QString::number(value));
        last = value;
        return script.size() <= MaxScriptLines;
    };

    auto v = static_cast<std::uint16_t>(s);
    if (s % inc > 0 && 1000 % inc == 0) {
        if (!put(v))
            return false;
        v = static_cast<std::uint16_t>(((s + inc) / 1000) * 1000);
    }
    for (;;) {
        if (!put(v))
            return false;
        v = static_cast<std::uint16_t>(v + inc);
        if ((v > e && v > s) || (v < e && v < s))
            break;
    }
    if (last != e)
        return put(static_cast<std::uint16_t>(e));
    return true;
}

} // namespace

GeneratedScript generateDefaultScript(const ScriptRange& range,
                                      const QList<ThrottlePosition>& roadLoadSections)
{
    if (range.increment > -50 && range.increment < 50)
        return {};
    GeneratedScript result{ScriptOutcome::Generated, {}};
    if (!appendRpmList(result.lines, range))
        return {ScriptOutcome::TooManySteps, {}};
    for (ThrottlePosition position : allThrottlePositions()) {
        if (!roadLoadSections.contains(position))
            continue;
        result.lines.append(throttleHeader(position));
        if (result.lines.size() > MaxScriptLines || !appendRpmList(result.lines, range))
            return {ScriptOutcome::TooManySteps, {}};
    }
    return result;
}

std::optional<int> scriptTarget(const QString& line)
{
    const auto value = parseInt(line);
    if (!value || *value < std::numeric_limits<int>::min() || *value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(*value);
}

std::optional<int> targetLineFrom(const QStringList& lines, int from)
{
    const int count = static_cast<int>(lines.size());
    if (count == 0)
        return std::nullopt;
    if (from < 0 || from >= count)
        from = 0;
    for (int k = 0; k < count; ++k) {
        const int index = (from + k) % count;
        if (scriptTarget(lines[index]))
            return index;
    }
    return std::nullopt;
}

} // namespace tolvane
