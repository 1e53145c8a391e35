#include "core/setup/tach_ratio_rules.h"

#include <limits>

#include "core/common/number_text.h"

namespace tolvane {

std::optional<TachRatioRules::KeyRatio> TachRatioRules::functionKeyRatio(int functionKey, double rollerRpm)
{
    if (functionKey < FirstFunctionKey || functionKey > LastFunctionKey || !(rollerRpm >= MinRollerRpm))
        return std::nullopt;
    const int target = functionKey * RpmPerFunctionKey;
    return KeyRatio{static_cast<float>(target / rollerRpm), target};
}

int TachRatioRules::measurementTarget(int redLine)
{
    return static_cast<int>(roundHalfEven(redLine * (TargetShareOfRedLine / RpmPerFunctionKey))) *
           RpmPerFunctionKey;
}

float TachRatioRules::loadedRatio(float ratio, int targetRpm, int loadedRpm)
{
    if (ratio == 0.0f || targetRpm <= 0)
        return ratio;
    const double rollerRpm = targetRpm / static_cast<double>(ratio);
    return static_cast<float>(loadedRpm / rollerRpm);
}

namespace {

std::optional<int> intAtLeast(QStringView text, int minimum)
{
    const std::optional<std::int64_t> value = parseInt(text);
    if (!value || *value < minimum)
        return std::nullopt;
    // Beyond any rpm; kept in an int so the comparisons that follow stay exact.
    if (*value > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    return static_cast<int>(*value);
}

} // namespace

std::optional<int> TachRatioRules::loadedRpm(QStringView text)
{
    return intAtLeast(text, 1);
}

std::optional<int> TachRatioRules::typedTarget(QStringView text)
{
    return intAtLeast(text, MinTypedTarget);
}

QString TachRatioRules::ratioText(float ratio, QChar decimalSeparator)
{
    return formatNumber(static_cast<double>(ratio), u"0.0000", decimalSeparator);
}

} // namespace tolvane
