// Setting the tach ratio: the function-key ratio, the measurement target from the end rpm, the
// loaded correction and the limits on what the operator types.
#include <gtest/gtest.h>

#include "core/setup/tach_ratio_rules.h"

using namespace tolvane;

TEST(TachRatioRules, FunctionKeyGivesTheRatioAtTheKeysRpm)
{
    const struct {
        int key;
        double rollerRpm;
        bool taken;
        const char* ratio;
        int target;
    } cases[] = {
        {8, 2560.0, true, "3.1250", 8000},
        {1, 100.0, true, "10.0000", 1000}, // the slowest roller that counts
        {12, 4000.0, true, "3.0000", 12000},
        {8, 99.99, false, "", 0}, // roller barely turning: keys ignored
        {8, 0.0, false, "", 0},
        {0, 2560.0, false, "", 0}, // not a function key
        {13, 2560.0, false, "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "F" << c.key << " at " << c.rollerRpm);
        const auto result = TachRatioRules::functionKeyRatio(c.key, c.rollerRpm);
        ASSERT_EQ(result.has_value(), c.taken);
        if (!result)
            continue;
        EXPECT_EQ(TachRatioRules::ratioText(result->ratio, QLatin1Char('.')), QString::fromLatin1(c.ratio));
        EXPECT_EQ(result->target, c.target);
    }
    EXPECT_EQ(TachRatioRules::ratioText(3.125f, QLatin1Char(',')), QStringLiteral("3,1250"));
}

TEST(TachRatioRules, MeasurementTargetIsEightyPercentOfTheEndRpmToTheThousand)
{
    const struct {
        int redLine;
        int target;
    } cases[] = {{12000, 10000}, {11250, 9000}, {12500, 10000}, {1000, 1000}, {25000, 20000}, {5600, 4000}};
    for (const auto& c : cases)
        EXPECT_EQ(TachRatioRules::measurementTarget(c.redLine), c.target) << c.redLine;
}

TEST(TachRatioRules, LoadedCorrectionScalesTheRatioToTheReferenceTachometer)
{
    EXPECT_EQ(TachRatioRules::ratioText(TachRatioRules::loadedRatio(3.125f, 8000, 7800), QLatin1Char('.')),
              QStringLiteral("3.0469"));
    // The reference agrees: nothing changes.
    EXPECT_FLOAT_EQ(TachRatioRules::loadedRatio(3.125f, 8000, 8000), 3.125f);
    // Without a no-load ratio there is nothing to correct.
    EXPECT_FLOAT_EQ(TachRatioRules::loadedRatio(0.0f, 8000, 7800), 0.0f);
    EXPECT_FLOAT_EQ(TachRatioRules::loadedRatio(3.125f, 0, 7800), 3.125f);
}

TEST(TachRatioRules, TypedRpmLimits)
{
    const struct {
        const char* text;
        std::optional<int> loaded;
        bool tooHigh;
        std::optional<int> target;
    } cases[] = {
        {"7800", 7800, false, 7800},
        {"20000", 20000, false, 20000},
        {"20001", 20001, true, 20001},
        {"99999999999", 2147483647, true, 2147483647},
        {"1900", 1900, false, 1900},
        {"1899", 1899, false, std::nullopt},
        {"$76C", 1900, false, 1900}, // integer texts take "$" for hexadecimal
        {"0", std::nullopt, false, std::nullopt},
        {"-7800", std::nullopt, false, std::nullopt},
        {"78x0", std::nullopt, false, std::nullopt},
        {"", std::nullopt, false, std::nullopt},
        {"7800.5", std::nullopt, false, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const QString text = QString::fromLatin1(c.text);
        EXPECT_EQ(TachRatioRules::loadedRpm(text), c.loaded);
        if (c.loaded) {
            EXPECT_EQ(TachRatioRules::isTooHigh(*c.loaded), c.tooHigh);
        }
        EXPECT_EQ(TachRatioRules::typedTarget(text), c.target);
    }
}

TEST(TachRatioRules, StatusTexts)
{
    EXPECT_EQ(TachRatioRules::openedText(10000), QStringLiteral("Set Tech @  10000 rpm."));
    EXPECT_EQ(TachRatioRules::typedTargetText(9000), QStringLiteral("Set Tach @  9000 rpm."));
    EXPECT_EQ(TachRatioRules::loadedText(10000), QStringLiteral("Loaded Tach Setup, GOTO  10000"));
    EXPECT_EQ(TachRatioRules::TooHighText, QStringLiteral("Cannot allow rpm > 20,000"));
}
