#include <gtest/gtest.h>

#include "core/setup/step_script.h"

using namespace tolvane;

namespace {

QStringList rpmLines(std::initializer_list<int> values)
{
    QStringList lines;
    for (int v : values)
        lines.append(QString::number(v));
    return lines;
}

QStringList range(int from, int to, int step)
{
    QStringList lines;
    for (int v = from; step > 0 ? v <= to : v >= to; v += step)
        lines.append(QString::number(v));
    return lines;
}

} // namespace

TEST(StepScript, GeneratesFromStartTowardsEndAndAlwaysEndsWithTheEnd)
{
    struct Case {
        int start, end, increment;
        QStringList expected;
    };
    const Case cases[] = {
        {3000, 12000, 1000, range(3000, 12000, 1000)},
        // The start off the grid is followed by the next whole thousand.
        {3500, 12000, 1000, QStringList{QStringLiteral("3500")} + range(4000, 12000, 1000)},
        {3000, 12500, 1000, range(3000, 12000, 1000) + QStringList{QStringLiteral("12500")}},
        {12000, 3000, -1000, range(12000, 3000, -1000)},
        // Rounded down to a thousand, not to a multiple of the increment: 3200, then 3000.
        {3200, 5000, 500, rpmLines({3200, 3000, 3500, 4000, 4500, 5000})},
        // Descending from an off-grid start: (3500 - 1000) rounded down is 2000.
        {3500, 1000, -1000, rpmLines({3500, 2000, 1000})},
        // An increment that does not divide 1000 keeps the start as it is.
        {3100, 4000, 300, rpmLines({3100, 3400, 3700, 4000})},
        {3100, 4100, 300, rpmLines({3100, 3400, 3700, 4000, 4100})},
        {5000, 5000, 1000, rpmLines({5000})},
        {5000, 5000, -50, rpmLines({5000})},
        // An increment away from the end: one line, then the end.
        {5000, 8000, -1000, rpmLines({5000, 8000})},
    };
    for (const Case& c : cases) {
        const GeneratedScript script = generateDefaultScript({c.start, c.end, c.increment});
        EXPECT_EQ(script.outcome, ScriptOutcome::Generated) << c.start << ' ' << c.end << ' ' << c.increment;
        EXPECT_EQ(script.lines, c.expected) << c.start << ' ' << c.end << ' ' << c.increment;
    }
}

TEST(StepScript, KeepsTheRunningValueInSixteenBits)
{
    // Below 0 the value wraps to 60000 and more, which ends a descending list; the end is not
    // repeated when the list already ends with it.
    EXPECT_EQ(generateDefaultScript({6000, 1000, -5000}).lines, rpmLines({6000, 1000}));
    EXPECT_EQ(generateDefaultScript({1500, 1000, -5000}).lines, rpmLines({1500, 1000}));
    // Past 65535 the value wraps to a small number and an ascending list goes on from there.
    EXPECT_EQ(generateDefaultScript({1000, 64000, 10000}).lines,
              rpmLines({1000, 11000, 21000, 31000, 41000, 51000, 61000, 5464, 15464, 25464, 35464, 45464,
                        55464, 64000}));
}

TEST(StepScript, LeavesTheScriptAloneForIncrementsBelowFifty)
{
    for (int increment : {40, 49, 0, -49, -40}) {
        const GeneratedScript script = generateDefaultScript({3000, 12000, increment});
        EXPECT_EQ(script.outcome, ScriptOutcome::Unchanged) << increment;
        EXPECT_TRUE(script.lines.isEmpty());
    }
    EXPECT_EQ(generateDefaultScript({3000, 3100, 50}).outcome, ScriptOutcome::Generated);
    EXPECT_EQ(generateDefaultScript({3100, 3000, -50}).outcome, ScriptOutcome::Generated);
}

TEST(StepScript, RefusesScriptsOfMoreThanAHundredLines)
{
    EXPECT_EQ(tooManyStepsText(), QLatin1String("Too many Steps!  Aborting!  Try a larger increment."));
    struct Case {
        int start, end, increment;
        bool fits;
    };
    const Case cases[] = {
        {500, 25000, 100, false}, // the 101st line brings the warning
        {500, 10400, 100, true},  // exactly 100 lines
        {500, 10500, 100, false}, // 101
        {500, 25000, 250, true},  // 99 lines
        {500, 24853, 246, true},  // 99 lines and the closing end rpm
        {500, 24854, 246, true},  // the 100th line is the end
        {500, 24855, 246, false}, // 100 lines and the closing end rpm would be the 101st
    };
    for (const Case& c : cases) {
        const GeneratedScript script = generateDefaultScript({c.start, c.end, c.increment});
        EXPECT_EQ(script.outcome, c.fits ? ScriptOutcome::Generated : ScriptOutcome::TooManySteps)
            << c.start << ' ' << c.end << ' ' << c.increment;
        if (c.fits) {
            EXPECT_LE(script.lines.size(), MaxScriptLines);
            EXPECT_EQ(script.lines.last(), QString::number(c.end));
        } else {
            EXPECT_TRUE(script.lines.isEmpty());
        }
    }
}

TEST(StepScript, RoadLoadRepeatsTheListUnderEachThrottleHeaderInPanelOrder)
{
    const QStringList list = range(3000, 6000, 1000);
    const GeneratedScript script =
        generateDefaultScript({3000, 6000, 1000}, {ThrottlePosition::Throttle5, ThrottlePosition::Throttle80,
                                                   ThrottlePosition::Throttle20});
    ASSERT_EQ(script.outcome, ScriptOutcome::Generated);
    EXPECT_EQ(script.lines, list + QStringList{QStringLiteral("80% Throttle")} + list +
                                QStringList{QStringLiteral("20% Throttle")} + list +
                                QStringList{QStringLiteral("5% Throttle")} + list);

    QStringList headers;
    for (ThrottlePosition p : allThrottlePositions())
        headers.append(throttleHeader(p));
    EXPECT_EQ(headers, (QStringList{QStringLiteral("80% Throttle"), QStringLiteral("60% Throttle"),
                                    QStringLiteral("40% Throttle"), QStringLiteral("20% Throttle"),
                                    QStringLiteral("10% Throttle"), QStringLiteral("5% Throttle")}));

    // The limit counts the whole script: seven lists and six headers. 7 × 13 + 6 = 97 lines fit,
    // 7 × 14 + 6 = 104 do not.
    EXPECT_EQ(generateDefaultScript({3000, 9000, 500}, allThrottlePositions()).lines.size(), 97);
    EXPECT_EQ(generateDefaultScript({3000, 9500, 500}, allThrottlePositions()).outcome,
              ScriptOutcome::TooManySteps);
}

TEST(StepScript, HeaderLinesAreNeverTargets)
{
    const QStringList script{QStringLiteral("3000"), QStringLiteral("4000"), QStringLiteral("80% Throttle"),
                             QStringLiteral("3000"), QStringLiteral("4000"), QStringLiteral("60% Throttle")};
    EXPECT_EQ(scriptTarget(script[0]), 3000);
    EXPECT_EQ(scriptTarget(script[2]), std::nullopt);
    EXPECT_EQ(scriptTarget(QStringLiteral("$BB8")), 3000); // integer texts accept "$" hexadecimal
    EXPECT_EQ(scriptTarget(QString()), std::nullopt);

    struct Case {
        int from;
        std::optional<int> line;
    };
    const Case cases[] = {{0, 0}, {1, 1}, {2, 3}, {5, 0}, {6, 0}, {-1, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(targetLineFrom(script, c.from), c.line) << c.from;
    EXPECT_EQ(targetLineFrom({QStringLiteral("80% Throttle")}, 0), std::nullopt);
    EXPECT_EQ(targetLineFrom({}, 0), std::nullopt);
}
